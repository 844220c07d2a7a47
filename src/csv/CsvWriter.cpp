#include "CsvWriter.h"

#include "CsvTable.h"

#include <QDir>
#include <QSaveFile>

#include <memory>
#include <vector>

namespace Csv {

namespace {

QString quoted(const QString &field)
{
    static const QString needsQuotes = QStringLiteral(",;\"\r\n");
    bool quote = !field.isEmpty() && (field.front().isSpace() || field.back().isSpace());
    for (const QChar c : field) {
        if (needsQuotes.contains(c)) {
            quote = true;
            break;
        }
    }
    if (!quote)
        return field;
    QString copy = field;
    return QLatin1Char('"') + copy.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

Cell Cell::number(double value)
{
    // The shortest C form that reads back as the same double.
    Cell cell(QString::number(value, 'g', 17));
    const QString shortest = QString::number(value, 'g', 15);
    if (shortest.toDouble() == value)
        cell.text = shortest;
    cell.isNumber = true;
    return cell;
}

Cell Cell::number(qint64 value)
{
    Cell cell(QString::number(value));
    cell.isNumber = true;
    return cell;
}

Writer::Writer(const QStringList &headers)
{
    m_bytes = QByteArray("\xEF\xBB\xBF");
    QStringList protectedHeaders;
    for (const QString &header : headers)
        protectedHeaders << protectFormula(header);
    appendLine(protectedHeaders);
}

void Writer::addRow(const QList<Cell> &cells)
{
    QStringList fields;
    fields.reserve(cells.size());
    for (const Cell &cell : cells)
        fields << (cell.isNumber ? cell.text : protectFormula(cell.text));
    appendLine(fields);
    ++m_rows;
}

void Writer::appendLine(const QStringList &fields)
{
    QStringList line;
    line.reserve(fields.size());
    for (const QString &field : fields)
        line << quoted(field);
    m_bytes += line.join(QLatin1Char(',')).toUtf8();
    m_bytes += "\r\n";
}

void saveFile(const QString &path, const QByteArray &bytes)
{
    saveFiles({{path, bytes}});
}

void saveFiles(const QList<std::pair<QString, QByteArray>> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const auto &[path, bytes] : files) {
        auto file = std::make_unique<QSaveFile>(path);
        const QString shown = QDir::toNativeSeparators(path);
        if (!file->open(QIODevice::WriteOnly))
            throw CsvError(QStringLiteral("The file \"%1\" cannot be written: %2").arg(shown, file->errorString()));
        // Flushed here so that a full disk shows before any file is renamed into place.
        if (file->write(bytes) != bytes.size() || !file->flush())
            throw CsvError(QStringLiteral("The file \"%1\" could not be written completely (%2); nothing was saved.")
                               .arg(shown, file->errorString()));
        staged.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (!staged[i]->commit())
            throw CsvError(QStringLiteral("The file \"%1\" could not be written completely (%2); nothing was saved.")
                               .arg(QDir::toNativeSeparators(files[qsizetype(i)].first), staged[i]->errorString()));
    }
}

} // namespace Csv
