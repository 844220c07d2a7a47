#include "CsvTable.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>

namespace Csv {

namespace {

bool looksBinary(const QByteArray &bytes)
{
    // Text files hold no NUL bytes and hardly any other control characters.
    qsizetype controls = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0)
            return true;
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f')
            ++controls;
    }
    return controls > bytes.size() / 100;
}

QString decodeStrict(QStringDecoder &&decoder, const QByteArray &bytes, bool *ok)
{
    QString text = decoder.decode(bytes);
    *ok = !decoder.hasError();
    return text;
}

QString megabytes(qint64 bytes)
{
    return QLocale::system().toString(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

class Parser
{
public:
    Parser(QStringView text, QChar separator, const Limits &limits)
        : m_text(text)
        , m_separator(separator)
        , m_limits(limits)
    {
    }

    /// The next row, or false at the end of the text.
    bool nextRow(QStringList &fields)
    {
        fields.clear();
        if (m_pos >= m_text.size())
            return false;
        ++m_rowNumber;
        while (true) {
            if (fields.size() >= m_limits.maxFields)
                throw CsvError(QStringLiteral("Row %1 has more than %2 fields; the file cannot be imported.")
                                   .arg(m_rowNumber)
                                   .arg(m_limits.maxFields));
            fields.append(nextField());
            if (m_pos >= m_text.size())
                return true;
            const QChar c = m_text[m_pos];
            if (c == m_separator) {
                ++m_pos;
                continue;
            }
            // A line break ends the row: CR LF, LF or CR alone.
            ++m_pos;
            if (c == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
                ++m_pos;
            return true;
        }
    }

    [[nodiscard]] int rowNumber() const { return m_rowNumber; }

private:
    QString nextField()
    {
        QString field;
        if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
            const int startRow = m_rowNumber;
            ++m_pos;
            while (true) {
                if (m_pos >= m_text.size())
                    throw CsvError(QStringLiteral("The quoted field that starts in row %1 never ends; "
                                                  "a closing quote is missing.")
                                       .arg(startRow));
                const QChar c = m_text[m_pos++];
                if (c == u'"') {
                    if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                        ++m_pos;
                        append(field, c);
                        continue;
                    }
                    break;
                }
                append(field, c);
            }
        }
        // Plain text, or what follows a closing quote up to the separator (taken as
        // written, as spreadsheets do).
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == m_separator || c == u'\n' || c == u'\r')
                break;
            append(field, c);
            ++m_pos;
        }
        return field;
    }

    void append(QString &field, QChar c)
    {
        if (field.size() >= m_limits.maxFieldLength)
            throw CsvError(QStringLiteral("Row %1 has a field longer than %2 characters; the file cannot be imported.")
                               .arg(m_rowNumber)
                               .arg(m_limits.maxFieldLength));
        field.append(c);
    }

    QStringView m_text;
    QChar m_separator;
    const Limits &m_limits;
    qsizetype m_pos = 0;
    int m_rowNumber = 0;
};

bool isBlank(const QStringList &fields)
{
    return fields.size() == 1 && fields.first().trimmed().isEmpty();
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (const auto encoding = QStringConverter::encodingForData(bytes);
        encoding && *encoding != QStringConverter::Utf8) {
        // A byte order mark of UTF-16 or UTF-32.
        return QStringDecoder(*encoding).decode(bytes);
    }
    if (looksBinary(bytes))
        throw CsvError(QStringLiteral("The file is not a text file. Choose a file saved as CSV (comma or "
                                      "semicolon separated text)."));
    bool ok = false;
    QString text = decodeStrict(QStringDecoder(QStringConverter::Utf8), bytes, &ok);
    if (ok)
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    text = decodeStrict(QStringDecoder(QStringConverter::System), bytes, &ok);
    if (ok)
        return text;
    // Where the system code page is UTF-8 itself, older files were most likely
    // written in the Western Windows code page.
    QStringDecoder western("windows-1252");
    if (western.isValid())
        return western.decode(bytes);
    return QString::fromLatin1(bytes);
}

QChar detectSeparator(QStringView text)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? QChar(u';') : QChar(u',');
}

Table parse(const QByteArray &bytes, const Limits &limits)
{
    if (bytes.size() > limits.maxFileBytes)
        throw CsvError(QStringLiteral("The file is %1; a file to import can be at most %2.")
                           .arg(megabytes(bytes.size()), megabytes(limits.maxFileBytes)));
    const QString text = decode(bytes);
    Parser parser(text, detectSeparator(text), limits);
    Table table;
    QStringList fields;
    while (parser.nextRow(fields)) {
        if (isBlank(fields))
            continue;
        if (table.headers.isEmpty()) {
            table.headers = fields;
            continue;
        }
        table.rows.append(fields);
        table.rowNumbers.append(parser.rowNumber());
    }
    if (table.headers.isEmpty())
        throw CsvError(QStringLiteral("The file is empty."));

    QSet<QString> seen;
    for (QString &header : table.headers) {
        header = header.trimmed();
        const QString key = header.toCaseFolded();
        if (key.isEmpty())
            continue;
        if (seen.contains(key))
            throw CsvError(QStringLiteral("The column \"%1\" is named twice in the header row. Give each column "
                                          "its own name and import again.")
                               .arg(header));
        seen.insert(key);
    }
    if (table.rows.isEmpty())
        throw CsvError(QStringLiteral("The file has a header row but no rows under it; there is nothing to import."));
    return table;
}

Table readFile(const QString &path, const Limits &limits)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CsvError(QStringLiteral("The file \"%1\" cannot be read: %2").arg(path, file.errorString()));
    if (file.size() > limits.maxFileBytes)
        throw CsvError(QStringLiteral("The file is %1; a file to import can be at most %2.")
                           .arg(megabytes(file.size()), megabytes(limits.maxFileBytes)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CsvError(QStringLiteral("The file \"%1\" cannot be read: %2").arg(path, file.errorString()));
    return parse(bytes, limits);
}

QString protectFormula(const QString &text)
{
    static const QString starters = QStringLiteral("=+-@");
    if (!text.isEmpty() && starters.contains(text.front()))
        return QLatin1Char('\'') + text;
    return text;
}

QString unprotectFormula(const QString &text)
{
    static const QString starters = QStringLiteral("=+-@");
    if (text.size() > 1 && text.front() == u'\'' && starters.contains(text[1]))
        return text.mid(1);
    return text;
}

} // namespace Csv
