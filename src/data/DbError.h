#pragma once

#include <QString>
#include <stdexcept>

/// An error of the database engine (or of reading a stored value), carrying the
/// engine's own code and message and the statement that failed. Only windows turn
/// it into a message box.
class DbError : public std::runtime_error
{
public:
    DbError(int code, const QString &message, const QString &statement = {});

    [[nodiscard]] int code() const { return m_code; }
    [[nodiscard]] const QString &message() const { return m_message; }
    [[nodiscard]] const QString &statement() const { return m_statement; }

private:
    int m_code;
    QString m_message;
    QString m_statement;
};

/// A stored value that cannot be read as what the program expects (for example an
/// empty text where a boolean is stored). Code is SQLITE_MISMATCH.
DbError conversionError(const QString &what);
