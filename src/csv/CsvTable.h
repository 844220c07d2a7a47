#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

/// Comma-separated files as spreadsheets and other programs write them.
namespace Csv {

/// A file that cannot be taken, with a message the user can act on.
class CsvError : public std::runtime_error
{
public:
    explicit CsvError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    [[nodiscard]] const QString &message() const { return m_message; }

private:
    QString m_message;
};

/// What a file may hold before it is refused rather than read into memory whole.
struct Limits
{
    qint64 maxFileBytes = 50 * 1024 * 1024;
    int maxFields = 1000;
    int maxFieldLength = 100000;
};

/// The header row and the rows under it. The text is kept once, as UTF-8, and a
/// row is split into fields when it is asked for, so a large file takes about its
/// own size in memory however many times it is gone through.
class Table
{
public:
    QStringList headers;

    [[nodiscard]] qsizetype rowCount() const { return m_starts.size(); }
    /// The fields of row \a index (0 is the first row under the header).
    [[nodiscard]] QStringList row(qsizetype index) const;
    /// The spreadsheet row number of row \a index (the header is row 1); a field
    /// with line breaks keeps a row one row.
    [[nodiscard]] int rowNumber(qsizetype index) const { return m_rowNumbers.at(index); }
    [[nodiscard]] const QList<int> &rowNumbers() const { return m_rowNumbers; }

private:
    friend Table parse(const QByteArray &bytes, const Limits &limits);

    QByteArray m_text;
    QList<qsizetype> m_starts;
    QList<int> m_rowNumbers;
    char m_separator = ',';
};

/// The separator of \a text: a semicolon when the first line has more semicolons
/// than commas outside quotes, else a comma.
[[nodiscard]] QChar detectSeparator(QStringView text);

/// The bytes of a file as UTF-8 text, by one rule for the whole input: UTF-8 with or
/// without its byte order mark (passed on without a copy, the mark kept), UTF-16
/// with one, else the system code page. Throws CsvError for a file that is not text.
[[nodiscard]] QByteArray toUtf8Text(const QByteArray &bytes);

/// Reads quoted and plain fields (quotes doubled inside quotes, separators and line
/// breaks kept inside quotes), rows ended by CR, LF or CR LF in any mix. Blank rows
/// are left out. Throws CsvError for a file without rows under its header, a header
/// named twice, or a row or field beyond \a limits.
[[nodiscard]] Table parse(const QByteArray &bytes, const Limits &limits = {});

/// Reads the file at \a path as parse() does; a file too large is refused before
/// it is read.
[[nodiscard]] Table readFile(const QString &path, const Limits &limits = {});

/// A text cell as written for spreadsheets: one that starts with =, +, - or @ (after
/// any apostrophes) gets a leading apostrophe so it is shown, never run.
[[nodiscard]] QString protectFormula(const QString &text);
/// The reverse on import: one leading apostrophe goes only where apostrophes and
/// then one of those four characters begin the text.
[[nodiscard]] QString unprotectFormula(const QString &text);

} // namespace Csv
