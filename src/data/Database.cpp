#include "Database.h"

#include "BoolText.h"
#include "OfficeServer.h"
#include "PgConnection.h"
#include "PgSql.h"
#include "PgStatement.h"
#include "StoredAmountFunction.h"
#include "TextSearch.h"

#include <QFileInfo>
#include <sqlite3.h>
#include <system_error>

// ---------------------------------------------------------------- Statement

Statement::Statement(Database &db, sqlite3_stmt *stmt)
    : m_db(&db)
    , m_stmt(stmt)
{
}

Statement::Statement(Database &db, std::unique_ptr<PgStatement> server)
    : m_db(&db)
    , m_server(std::move(server))
{
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db)
    , m_stmt(std::exchange(other.m_stmt, nullptr))
    , m_server(std::move(other.m_server))
    , m_hasRow(other.m_hasRow)
{
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_server = std::move(other.m_server);
        m_hasRow = other.m_hasRow;
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::fail(int rc) const
{
    throw DbError::fromEngine(rc, m_db->errorMessage(), sql(), m_db->path());
}

Statement &Statement::bind(int index, const QString &text)
{
    if (m_server) {
        m_server->bind(index, {text.toUtf8(), 0});
        return *this;
    }
    const QByteArray utf8 = text.toUtf8();
    const int rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(int index, qint64 value)
{
    if (m_server) {
        m_server->bind(index, {QByteArray::number(value), 0});
        return *this;
    }
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(int index, double value)
{
    if (m_server) {
        // Typed, so a whole amount stored in an integer column is taken as on the file.
        QByteArray text = QByteArray::number(value, 'g', 17);
        if (qIsNaN(value))
            text = "NaN";
        else if (qIsInf(value))
            text = value > 0 ? "Infinity" : "-Infinity";
        m_server->bind(index, {text, 701});
        return *this;
    }
    const int rc = sqlite3_bind_double(m_stmt, index, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(int index, bool value)
{
    return bind(index, BoolText::from(value));
}

Statement &Statement::bindNull(int index)
{
    if (m_server) {
        m_server->bind(index, {});
        return *this;
    }
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

bool Statement::step()
{
    if (m_server)
        return m_hasRow = m_server->step();
    const int rc = sqlite3_step(m_stmt);
    m_db->m_busyWait.over();
    if (rc == SQLITE_ROW)
        return m_hasRow = true;
    m_hasRow = false;
    if (rc != SQLITE_DONE)
        fail(rc);
    return false;
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    if (m_server) {
        m_server->reset();
        m_hasRow = false;
        return;
    }
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_hasRow = false;
}

qint64 Statement::int64At(int column) const
{
    if (m_server) {
        const QByteArray text = m_server->value(column);
        bool whole = false;
        const qint64 value = text.toLongLong(&whole);
        return whole ? value : qint64(text.toDouble());
    }
    return m_hasRow ? sqlite3_column_int64(m_stmt, column) : 0;
}

double Statement::doubleAt(int column) const
{
    if (m_server)
        return m_server->value(column).toDouble();
    return m_hasRow ? sqlite3_column_double(m_stmt, column) : 0.0;
}

int Statement::columnCount() const
{
    if (m_server)
        return m_server->columnCount();
    return sqlite3_column_count(m_stmt);
}

QString Statement::textAt(int column) const
{
    if (!m_hasRow)
        return {};
    if (m_server)
        return QString::fromUtf8(m_server->value(column));
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int bytes = sqlite3_column_bytes(m_stmt, column);
    return text ? QString::fromUtf8(text, bytes) : QString();
}

QByteArray Statement::bytesAt(int column) const
{
    if (!m_hasRow)
        return {};
    if (m_server)
        return m_server->value(column);
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return text ? QByteArray::fromRawData(text, sqlite3_column_bytes(m_stmt, column)) : QByteArray();
}

bool Statement::boolAt(int column) const
{
    const QString text = textAt(column);
    const std::optional<bool> value = BoolText::parse(text);
    if (!value)
        throw conversionError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    return *value;
}

bool Statement::isNullAt(int column) const
{
    if (m_server)
        return m_server->isNull(column);
    return !m_hasRow || sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

bool Statement::isNumberAt(int column) const
{
    if (!m_hasRow)
        return false;
    if (m_server)
        return m_server->isNumber(column);
    const int type = sqlite3_column_type(m_stmt, column);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QString Statement::columnName(int column) const
{
    if (m_server)
        return m_server->columnName(column);
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::sql() const
{
    if (m_server)
        return m_server->shownSql;
    return m_stmt ? QString::fromUtf8(sqlite3_sql(m_stmt)) : QString();
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database &db)
    : m_db(db)
{
    if (PgConnection *server = m_db.server())
        server->begin();
    else
        m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    if (PgConnection *server = m_db.server())
        server->rollback();
    else
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    if (PgConnection *server = m_db.server()) {
        try {
            server->commit();
        } catch (const DbError &) {
            m_open = server->inTransaction();
            throw;
        }
        m_open = false;
        return;
    }
    try {
        m_db.exec(QStringLiteral("COMMIT"));
    } catch (const DbError &) {
        // A failed COMMIT may leave the transaction open; the destructor rolls it back.
        if (sqlite3_get_autocommit(m_db.handle()))
            m_open = false;
        throw;
    }
    m_open = false;
}

// ---------------------------------------------------------------- Database

Database::Database(const QString &path, OpenMode mode)
    : m_path(path)
{
    if (const std::optional<OfficeServer::Settings> settings = OfficeServer::serving(path)) {
        m_server = std::make_unique<PgConnection>(*settings, mode == OpenMode::ReadOnly);
        return;
    }
    if (mode != OpenMode::CreateFile && !QFileInfo(path).isFile())
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("The database file \"%1\" does not exist.").arg(path));

    int flags = SQLITE_OPEN_FULLMUTEX;
    if (mode == OpenMode::ReadOnly)
        flags |= SQLITE_OPEN_READONLY;
    else
        flags |= SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::CreateFile)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        // The engine's "unable to open database file" alone does not say why.
        if (const int systemError = m_db ? sqlite3_system_errno(m_db) : 0)
            message += QStringLiteral(" (%1)").arg(QString::fromStdString(std::system_category().message(systemError)));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw DbError(rc, QStringLiteral("Unable to open \"%1\": %2").arg(path, message));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_handler(m_db, &Database::onBusy, this);
    TextSearch::registerFold(m_db);
    StoredAmountFunction::registerOn(m_db);
    if (mode != OpenMode::ReadOnly)
        exec(QStringLiteral("PRAGMA synchronous = FULL"));
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

int Database::onBusy(void *self, int)
{
    return static_cast<Database *>(self)->m_busyWait.pause() ? 1 : 0;
}

sqlite3_stmt *Database::compile(const char *sql, const char **tail)
{
    // Reading the schema for a new statement needs a shared lock, which the busy
    // policy waits for like any other.
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, &stmt, tail);
    m_busyWait.over();
    if (rc != SQLITE_OK)
        throw DbError::fromEngine(rc, errorMessage(), QString::fromUtf8(sql), m_path);
    return stmt;
}

Statement Database::prepare(const QString &sql)
{
    if (m_server)
        return Statement(*this, std::make_unique<PgStatement>(*m_server, sql));
    const QByteArray utf8 = sql.toUtf8();
    return Statement(*this, compile(utf8.constData(), nullptr));
}

void Database::exec(const QString &sql)
{
    // Statements one at a time, each stepped like any other.
    if (m_server) {
        for (const QString &statement : PgSql::splitStatements(sql))
            prepare(statement).run();
        return;
    }
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = utf8.constData();
    while (tail && *tail) {
        sqlite3_stmt *raw = compile(tail, &tail);
        if (raw)
            Statement(*this, raw).run();
        // else whitespace or a comment
    }
}

qint64 Database::queryInt(const QString &sql)
{
    Statement stmt = prepare(sql);
    stmt.step();
    return stmt.int64At(0);
}

qint64 Database::lastInsertRowId() const
{
    if (m_server)
        return m_server->lastInsertRowId();
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    if (m_server)
        return m_server->changes();
    return sqlite3_changes(m_db);
}

bool Database::tableExists(const QString &table)
{
    if (m_server)
        return m_server->tableExists(table);
    Statement stmt = prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    stmt.bind(1, table);
    return stmt.step();
}

bool Database::columnExists(const QString &table, const QString &column)
{
    if (m_server)
        return m_server->columnExists(table, column);
    // Column names are matched as the engine matches them: ignoring case.
    Statement stmt = prepare(QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"));
    stmt.bindAll(table, column);
    return stmt.step();
}

bool Database::compact()
{
    // The server gives back the space of deleted rows by itself.
    if (m_server)
        return true;
    try {
        if (queryInt(QStringLiteral("PRAGMA auto_vacuum")) == 2) // incremental
            exec(QStringLiteral("PRAGMA incremental_vacuum"));
        else
            exec(QStringLiteral("VACUUM"));
        return true;
    } catch (const DbError &) {
        return false;
    }
}

QString Database::errorMessage() const
{
    if (m_server)
        return m_server->errorMessage();
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}
