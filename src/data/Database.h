#pragma once

#include "BusyPolicy.h"
#include "DbError.h"

#include <QString>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

class Database;
class PgConnection;
struct PgStatement;

/// A prepared statement. Values go in only through bound parameters, so quotes,
/// unicode and text equal to a column name are stored exactly as given.
class Statement
{
public:
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    /// Binds parameter \a index (1-based).
    Statement &bind(int index, const QString &text);
    Statement &bind(int index, const char *text) { return bind(index, QString::fromUtf8(text)); }
    Statement &bind(int index, qint64 value);
    Statement &bind(int index, int value) { return bind(index, qint64(value)); }
    Statement &bind(int index, double value);
    /// Booleans are stored as boolean text ("-1" / "0").
    Statement &bind(int index, bool value);
    Statement &bindNull(int index);

    /// Binds all values in order, starting at parameter 1.
    template<typename... Values>
    Statement &bindAll(const Values &...values)
    {
        [[maybe_unused]] int index = 0;
        (bind(++index, values), ...);
        return *this;
    }

    /// Steps once; true when a row is available, false when done. Another program's
    /// lock is waited for by the busy policy; any failure throws DbError.
    bool step();
    /// Steps a statement that returns no rows.
    void run();
    void reset();

    /// Column reads of the current row. Without a row (a single-row query that found
    /// nothing) they give 0 and empty text.
    [[nodiscard]] qint64 int64At(int column) const;
    [[nodiscard]] int intAt(int column) const { return int(int64At(column)); }
    [[nodiscard]] double doubleAt(int column) const;
    [[nodiscard]] QString textAt(int column) const;
    /// A text column's UTF-8 bytes, for passes over many rows that compare or key them
    /// without making a string of each. On the file they point into the engine's row:
    /// valid until the next step.
    [[nodiscard]] QByteArray bytesAt(int column) const;
    /// Reads a boolean text column; throws DbError when the text is not a boolean.
    [[nodiscard]] bool boolAt(int column) const;
    [[nodiscard]] bool isNullAt(int column) const;
    /// Whether the current row holds an integer or a floating-point value there.
    [[nodiscard]] bool isNumberAt(int column) const;
    [[nodiscard]] int columnCount() const;
    [[nodiscard]] QString columnName(int column) const;

    [[nodiscard]] QString sql() const;

private:
    friend class Database;
    Statement(Database &db, sqlite3_stmt *stmt);
    Statement(Database &db, std::unique_ptr<PgStatement> server);
    [[noreturn]] void fail(int rc) const;

    Database *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    // Set instead of m_stmt on a connection to the office server.
    std::unique_ptr<PgStatement> m_server;
    bool m_hasRow = false;
};

/// A write transaction. It begins with BEGIN IMMEDIATE, so the write lock is taken
/// at once (waiting for another writer through the busy handling), and rolls back
/// in its destructor unless commit() succeeded.
class Transaction
{
public:
    explicit Transaction(Database &db);
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    ~Transaction();

    /// Commits; throws DbError (and leaves the transaction rolled back) on failure.
    void commit();

private:
    Database &m_db;
    bool m_open = true;
};

/// One connection to the database file, opened for one operation and closed when
/// the object goes away. Every connection waits for another program's lock by the
/// one busy policy and knows the SQL function fold() (TextSearch). When the company's
/// data is kept on an office server (OfficeServer::attach), opening its path reaches
/// the server instead; the statements stay the same.
class Database
{
public:
    enum class OpenMode { ExistingFile, CreateFile, ReadOnly };

    /// Opens \a path. ExistingFile refuses a path where no file exists, so a missing
    /// database is never silently created empty; ReadOnly does too, and never writes
    /// (for files that are only looked at, such as a backup about to be restored).
    explicit Database(const QString &path, OpenMode mode = OpenMode::ExistingFile);
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;
    ~Database();

    [[nodiscard]] Statement prepare(const QString &sql);
    /// Runs one or more statements that return no rows and take no values.
    void exec(const QString &sql);
    /// Runs a query that yields one integer (0 when it yields no row).
    [[nodiscard]] qint64 queryInt(const QString &sql);
    [[nodiscard]] Transaction transaction() { return Transaction(*this); }

    [[nodiscard]] qint64 lastInsertRowId() const;
    [[nodiscard]] int changes() const;
    [[nodiscard]] bool tableExists(const QString &table);
    [[nodiscard]] bool columnExists(const QString &table, const QString &column);

    /// Gives back the free pages of the file after deletes. Cheap on files made with
    /// incremental auto-vacuum; files without it get a full VACUUM. Must run outside
    /// a transaction. The delete before it is committed by then, so a failure here
    /// (another program reading, say) is not a failed delete: it gives false and the
    /// next compaction takes the pages back.
    bool compact();

    [[nodiscard]] const QString &path() const { return m_path; }
    /// The file's engine handle; null on the office server.
    [[nodiscard]] sqlite3 *handle() const { return m_db; }
    /// The office server's connection; null on the file.
    [[nodiscard]] PgConnection *server() const { return m_server.get(); }
    /// The engine works in this process (the file): readings on more connections at
    /// once use more of this machine's cores. The office server works in its own.
    [[nodiscard]] bool worksInThisProcess() const { return !m_server; }

    /// The engine's message for the last failure on this connection.
    [[nodiscard]] QString errorMessage() const;

    /// Where the user is shown that this connection waits for another program's lock.
    void setWaitShownOn(SavingIndicator *indicator) { m_busyWait.setShownOn(indicator); }
    /// The wait of this connection, for work that meets a lock outside a statement
    /// (the online backup).
    [[nodiscard]] BusyWait &busyWait() { return m_busyWait; }

private:
    friend class Statement;
    static int onBusy(void *self, int count);
    sqlite3_stmt *compile(const char *sql, const char **tail);

    sqlite3 *m_db = nullptr;
    std::unique_ptr<PgConnection> m_server;
    QString m_path;
    BusyWait m_busyWait;
};
