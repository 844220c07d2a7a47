#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

class Prompts;

/// An error of the database engine, carrying the engine's own code and message and
/// the statement that failed. Only windows turn it into a message box.
class DbError : public std::runtime_error
{
public:
    DbError(int code, const QString &message, const QString &statement = {});

    /// A failure the engine reported on the database file \a file: a full disk and a
    /// damaged file are told in the user's words, naming the folder or the file, with
    /// the engine's own text as detail(). A damaged live file is also reported to
    /// DamageWatch.
    [[nodiscard]] static DbError fromEngine(int code, const QString &engineMessage, const QString &statement,
                                            const QString &file);

    [[nodiscard]] int code() const { return m_code; }
    /// What the user is told. For a file another program keeps locked, the plain
    /// cause; the engine's own words are then in detail().
    [[nodiscard]] const QString &message() const { return m_message; }
    [[nodiscard]] const QString &detail() const { return m_detail; }
    [[nodiscard]] const QString &statement() const { return m_statement; }
    /// The engine gave up waiting for another connection's lock.
    [[nodiscard]] bool isBusy() const;
    /// The engine found the file damaged.
    [[nodiscard]] bool isDamage() const;

private:
    int m_code;
    QString m_message;
    QString m_detail;
    QString m_statement;
};

/// A stored text that does not read as what it stands for (a date, an amount, a
/// boolean): the file holds something this program did not write, which no retry
/// mends. Distinct from the engine's own failures, though windows may report both
/// alike.
class StoredValueError : public DbError
{
public:
    explicit StoredValueError(const QString &message);
};

/// A stored value that cannot be read as what the program expects (for example an
/// empty text where a boolean is stored). Code is SQLITE_MISMATCH.
StoredValueError conversionError(const QString &what);

/// Runs \a work; a database failure is shown through \a prompts (the engine's own
/// words as its detail) and gives false.
bool runReportingDbError(Prompts &prompts, const std::function<void()> &work);
