#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace Csv {

/// One value of a row to write: text is protected against formulas, a number is
/// written as it is (C form, decimal point).
struct Cell
{
    QString text;
    bool isNumber = false;

    // Implicit: most cells are plain texts.
    Cell(const QString &value)
        : text(value)
    {
    }
    Cell(const char *value)
        : text(QString::fromUtf8(value))
    {
    }
    static Cell number(double value);
    static Cell number(qint64 value);
};

/// A file for spreadsheets: UTF-8 with a byte order mark (so they take it as
/// UTF-8), comma separated, CR LF line ends, one header row.
class Writer
{
public:
    explicit Writer(const QStringList &headers);

    void addRow(const QList<Cell> &cells);
    [[nodiscard]] const QByteArray &bytes() const { return m_bytes; }
    [[nodiscard]] int rowCount() const { return m_rows; }

private:
    void appendLine(const QStringList &fields);

    QByteArray m_bytes;
    int m_rows = 0;
};

/// Writes \a bytes to \a path through a temporary file renamed into place, so a full
/// disk or a refused folder leaves no partial file and an older file untouched.
/// Throws CsvError naming the file, with the system's reason.
void saveFile(const QString &path, const QByteArray &bytes);

/// The same for files made together: every one is written in full before the
/// first is renamed into place, so a full disk leaves none of them behind.
void saveFiles(const QList<std::pair<QString, QByteArray>> &files);

} // namespace Csv
