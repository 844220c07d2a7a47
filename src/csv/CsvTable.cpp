#include "CsvTable.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>

#include <limits>

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

/// Splits UTF-8 text into rows and fields. The structure (quotes, separators, line
/// ends) is all ASCII, so it is found on the bytes; only fields asked for become text.
class Parser
{
public:
    Parser(const QByteArray &text, char separator, const Limits &limits, qsizetype pos = 0, int rowNumber = 0)
        : m_text(text)
        , m_separator(separator)
        , m_limits(limits)
        , m_pos(pos)
        , m_rowNumber(rowNumber)
    {
    }

    /// The next row: its fields into \a fields when given, else only checked and
    /// counted. False at the end of the text.
    bool nextRow(QStringList *fields, int *fieldCount)
    {
        if (fields)
            fields->clear();
        *fieldCount = 0;
        if (m_pos >= m_text.size())
            return false;
        ++m_rowNumber;
        while (true) {
            if (*fieldCount >= m_limits.maxFields)
                throw CsvError(QStringLiteral("Row %1 has more than %2 fields; the file cannot be imported.")
                                   .arg(m_rowNumber)
                                   .arg(m_limits.maxFields));
            nextField(fields);
            ++*fieldCount;
            if (m_pos >= m_text.size())
                return true;
            const char c = m_text[m_pos];
            if (c == m_separator) {
                ++m_pos;
                continue;
            }
            // A line break ends the row: CR LF, LF or CR alone.
            ++m_pos;
            if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
            return true;
        }
    }

    [[nodiscard]] qsizetype pos() const { return m_pos; }
    [[nodiscard]] int rowNumber() const { return m_rowNumber; }

private:
    void nextField(QStringList *fields)
    {
        QByteArray field;
        qsizetype characters = 0;
        const auto take = [&](char c) {
            // Characters, not bytes: a continuation byte adds none.
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++characters > m_limits.maxFieldLength)
                throw CsvError(
                    QStringLiteral("Row %1 has a field longer than %2 characters; the file cannot be imported.")
                        .arg(m_rowNumber)
                        .arg(m_limits.maxFieldLength));
            if (fields)
                field.append(c);
        };
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            const int startRow = m_rowNumber;
            ++m_pos;
            while (true) {
                if (m_pos >= m_text.size())
                    throw CsvError(QStringLiteral("The quoted field that starts in row %1 never ends; "
                                                  "a closing quote is missing.")
                                       .arg(startRow));
                const char c = m_text[m_pos++];
                if (c == '"') {
                    if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                        ++m_pos;
                        take(c);
                        continue;
                    }
                    break;
                }
                take(c);
            }
        }
        // Plain text, or what follows a closing quote up to the separator (taken as
        // written, as spreadsheets do).
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == m_separator || c == '\n' || c == '\r')
                break;
            take(c);
            ++m_pos;
        }
        if (fields)
            fields->append(QString::fromUtf8(field));
    }

    const QByteArray &m_text;
    char m_separator;
    const Limits &m_limits;
    qsizetype m_pos = 0;
    int m_rowNumber = 0;
};

bool isBlank(const QStringList &fields)
{
    return fields.size() == 1 && fields.first().trimmed().isEmpty();
}

/// Whether the whole of \a bytes is valid UTF-8, checked piece by piece so that no
/// copy of a large file is made.
bool isUtf8(const QByteArray &bytes)
{
    constexpr qsizetype kPiece = 1 << 20;
    QStringDecoder decoder(QStringConverter::Utf8);
    for (qsizetype at = 0; at < bytes.size(); at += kPiece) {
        (void)QString(decoder.decode(QByteArrayView(bytes).sliced(at, std::min(kPiece, bytes.size() - at))));
        if (decoder.hasError())
            return false;
    }
    // A sequence cut off at the very end is an error only once the decoder is flushed.
    (void)QString(decoder.decode(QByteArrayView()));
    return !decoder.hasError() && decoder.isValid();
}

} // namespace

QByteArray toUtf8Text(const QByteArray &bytes)
{
    if (const auto encoding = QStringConverter::encodingForData(bytes);
        encoding && *encoding != QStringConverter::Utf8) {
        // A byte order mark of UTF-16 or UTF-32.
        return QString(QStringDecoder(*encoding).decode(bytes)).toUtf8();
    }
    if (looksBinary(bytes))
        throw CsvError(QStringLiteral("The file is not a text file. Choose a file saved as CSV (comma or "
                                      "semicolon separated text)."));
    if (isUtf8(bytes))
        return bytes;
    bool ok = false;
    QString text = decodeStrict(QStringDecoder(QStringConverter::System), bytes, &ok);
    if (ok)
        return text.toUtf8();
    // Where the system code page is UTF-8 itself, older files were most likely
    // written in the Western Windows code page.
    QStringDecoder western("windows-1252");
    if (western.isValid())
        return QString(western.decode(bytes)).toUtf8();
    return QString::fromLatin1(bytes).toUtf8();
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
    Table table;
    table.m_text = toUtf8Text(bytes);
    // Skipped rather than cut off, which would copy the whole text.
    const qsizetype textStart = table.m_text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    // The first line decides the separator; a quoted line break is rare there.
    const qsizetype firstLineEnd = table.m_text.indexOf('\n');
    table.m_separator =
        detectSeparator(QString::fromUtf8(QByteArrayView(table.m_text)
                                              .sliced(textStart, (firstLineEnd < 0 ? table.m_text.size() : firstLineEnd)
                                                                     - textStart)))
            .toLatin1();
    Parser parser(table.m_text, table.m_separator, limits, textStart);
    QStringList fields;
    int fieldCount = 0;
    bool headerFound = false;
    while (true) {
        const qsizetype start = parser.pos();
        const int rowNumber = parser.rowNumber() + 1;
        // Only the header and one-field rows (which may be blank) are split here.
        const bool wholeRow = !headerFound;
        if (!parser.nextRow(wholeRow ? &fields : nullptr, &fieldCount))
            break;
        if (fieldCount == 1 && !wholeRow) {
            Parser single(table.m_text, table.m_separator, limits, start, rowNumber - 1);
            (void)single.nextRow(&fields, &fieldCount);
            if (isBlank(fields))
                continue;
        } else if (wholeRow && isBlank(fields)) {
            continue;
        }
        if (!headerFound) {
            table.headers = fields;
            headerFound = true;
            continue;
        }
        table.m_starts.append(start);
        table.m_rowNumbers.append(rowNumber);
    }
    if (!headerFound)
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
    if (table.m_starts.isEmpty())
        throw CsvError(QStringLiteral("The file has a header row but no rows under it; there is nothing to import."));
    return table;
}

QStringList Table::row(qsizetype index) const
{
    // The limits were checked when the text was read.
    static const Limits unlimited{std::numeric_limits<qint64>::max(), std::numeric_limits<int>::max(),
                                  std::numeric_limits<int>::max()};
    Parser parser(m_text, m_separator, unlimited, m_starts.at(index), m_rowNumbers.at(index) - 1);
    QStringList fields;
    int count = 0;
    (void)parser.nextRow(&fields, &count);
    return fields;
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

namespace {

/// Whether \a text, after any leading apostrophes, starts with =, +, - or @ and has
/// at least \a apostrophes of them.
bool startsLikeFormula(const QString &text, qsizetype apostrophes)
{
    static const QString starters = QStringLiteral("=+-@");
    qsizetype i = 0;
    while (i < text.size() && text[i] == u'\'')
        ++i;
    return i >= apostrophes && i < text.size() && starters.contains(text[i]);
}

} // namespace

QString protectFormula(const QString &text)
{
    // A text that already starts with apostrophes before such a character gets one
    // more too, so that reading it back removes exactly the one added here.
    return startsLikeFormula(text, 0) ? QLatin1Char('\'') + text : text;
}

QString unprotectFormula(const QString &text)
{
    return startsLikeFormula(text, 1) ? text.mid(1) : text;
}

} // namespace Csv
