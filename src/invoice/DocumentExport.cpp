#include "DocumentExport.h"

#include "csv/CsvWriter.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/StoredForm.h"

#include <QHash>
#include <QSet>
#include <QRegularExpression>

namespace DocumentExport {

namespace {

struct Rows
{
    QStringList columns;
    QList<QList<Csv::Cell>> rows;
};

bool isDateColumn(const QString &column)
{
    return column.contains(QLatin1String("Date"));
}

/// A stored value as a cell: numbers as numbers (also numbers stored as text, such
/// as boolean texts and amount texts), dates in ISO form, the rest as text.
Csv::Cell cellAt(const Statement &query, int column, const QString &name, const QLocale &storedLocale)
{
    static const QRegularExpression plainNumber(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    if (query.isNumberAt(column)) {
        Csv::Cell cell(query.textAt(column));
        cell.isNumber = true;
        return cell;
    }
    const QString text = query.textAt(column);
    if (isDateColumn(name)) {
        std::optional<QDate> date = StoredForm::readDate(text);
        if (!date)
            date = StoredForm::Legacy::readDate(text, storedLocale);
        if (date)
            return Csv::Cell(StoredForm::dateText(*date));
    }
    Csv::Cell cell(text);
    cell.isNumber = plainNumber.match(text).hasMatch();
    return cell;
}

Rows readRows(Database &db, const QString &sql, const QLocale &storedLocale)
{
    Statement query = db.prepare(sql);
    Rows result;
    for (int c = 0; c < query.columnCount(); ++c)
        result.columns << query.columnName(c);
    while (query.step()) {
        QList<Csv::Cell> row;
        for (int c = 0; c < result.columns.size(); ++c)
            row << cellAt(query, c, result.columns[c], storedLocale);
        result.rows << row;
    }
    return result;
}

/// The headers of the documents in the range, and the column of their numbers.
Rows documentsInRange(Database &db, QDate from, QDate to, const QLocale &storedLocale)
{
    // Stored dates may be in an older locale form, so the range is applied in memory.
    Rows all = readRows(db, QStringLiteral("SELECT * FROM tblInvHeader ORDER BY intInvNumber"), storedLocale);
    const qsizetype dateColumn = all.columns.indexOf(QStringLiteral("strInvDate"));
    Rows inRange{all.columns, {}};
    for (const QList<Csv::Cell> &row : all.rows) {
        const QDate date = QDate::fromString(row[dateColumn].text, Qt::ISODate);
        if (date.isValid() && date >= from && date <= to)
            inRange.rows << row;
    }
    return inRange;
}

Rows linesOf(Database &db, const Rows &documents, const QLocale &storedLocale)
{
    const qsizetype numberColumn = documents.columns.indexOf(QStringLiteral("intInvNumber"));
    QSet<QString> numbers;
    for (const QList<Csv::Cell> &row : documents.rows)
        numbers.insert(row[numberColumn].text);
    Rows lines = readRows(db, QStringLiteral("SELECT * FROM tblInvData ORDER BY intInvNumber, intInvDataID"),
                          storedLocale);
    const qsizetype lineNumber = lines.columns.indexOf(QStringLiteral("intInvNumber"));
    lines.rows.removeIf([&](const QList<Csv::Cell> &line) { return !numbers.contains(line[lineNumber].text); });
    return lines;
}

QByteArray write(const Rows &rows)
{
    Csv::Writer writer(rows.columns);
    for (const QList<Csv::Cell> &row : rows.rows)
        writer.addRow(row);
    return writer.bytes();
}

} // namespace

QByteArray oneFile(Database &db, QDate from, QDate to, const QLocale &storedLocale)
{
    const Rows documents = documentsInRange(db, from, to, storedLocale);
    const Rows lines = linesOf(db, documents, storedLocale);
    const qsizetype headerNumber = documents.columns.indexOf(QStringLiteral("intInvNumber"));
    const qsizetype lineNumber = lines.columns.indexOf(QStringLiteral("intInvNumber"));

    QMultiHash<QString, qsizetype> linesByDocument;
    for (qsizetype i = 0; i < lines.rows.size(); ++i)
        linesByDocument.insert(lines.rows[i][lineNumber].text, i);

    // The line's own copy of the document number would only repeat the header's.
    QStringList lineColumns = lines.columns;
    lineColumns.removeAt(lineNumber);
    Rows joined{documents.columns + lineColumns, {}};
    for (const QList<Csv::Cell> &document : documents.rows) {
        QList<qsizetype> indexes = linesByDocument.values(document[headerNumber].text);
        std::sort(indexes.begin(), indexes.end());
        if (indexes.isEmpty())
            joined.rows << document + QList<Csv::Cell>(lineColumns.size(), Csv::Cell(QString()));
        for (const qsizetype i : indexes) {
            QList<Csv::Cell> line = lines.rows[i];
            line.removeAt(lineNumber);
            joined.rows << document + line;
        }
    }
    return write(joined);
}

Files twoFiles(Database &db, QDate from, QDate to, const QLocale &storedLocale)
{
    const Rows documents = documentsInRange(db, from, to, storedLocale);
    return {write(documents), write(linesOf(db, documents, storedLocale))};
}

} // namespace DocumentExport
