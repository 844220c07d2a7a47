#include "PgConnection.h"

#include "BusyPolicy.h"
#include "DbError.h"
#include "PgSql.h"
#include "ServerFunctions.h"

#include <QRegularExpression>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

// The server's error classes, as the codes the rest of the program already knows.
int engineCode(const char *state)
{
    const QByteArray s(state ? state : "");
    if (s.startsWith("08"))
        return SQLITE_CANTOPEN;
    if (s == "53100")
        return SQLITE_FULL;
    if (s == "40P01" || s == "55P03" || s == "40001" || s == "57014")
        return SQLITE_BUSY;
    if (s.startsWith("XX"))
        return SQLITE_CORRUPT;
    if (s.startsWith("23"))
        return SQLITE_CONSTRAINT;
    if (s == "25006")
        return SQLITE_READONLY;
    return SQLITE_ERROR;
}

// The client library indents its continuation lines; the user reads one paragraph.
QString trimmed(const char *message)
{
    return QString::fromUtf8(message ? message : "").simplified();
}

// The server names tables and columns as it keeps them, in lower case; the user is
// shown them as the statement writes them ("tblInvHeader", not "tblinvheader").
QString spelledAsWritten(QString message, const QString &sql)
{
    static const QRegularExpression quoted(QStringLiteral("\"([a-z_][a-z0-9_]*)\""));
    static const QRegularExpression word(QStringLiteral("\\b[A-Za-z_][A-Za-z0-9_]*\\b"));
    QHash<QString, QString> written;
    for (const QRegularExpressionMatch &match : word.globalMatch(sql))
        written.insert(match.captured().toLower(), match.captured());
    for (const QRegularExpressionMatch &match : quoted.globalMatch(message)) {
        const QString name = match.captured(1);
        if (written.contains(name))
            message.replace(match.captured(), QLatin1Char('"') + written.value(name) + QLatin1Char('"'));
    }
    return message;
}

} // namespace

PgConnection::PgConnection(const OfficeServer::Settings &settings, bool readOnly)
    : m_state(std::make_shared<State>())
{
    QList<QByteArray> keys{"dbname", "user", "application_name", "connect_timeout", "client_encoding"};
    QList<QByteArray> values{settings.database.toUtf8(), settings.user.toUtf8(), "Tarnwick Invoicing", "10", "UTF8"};
    if (!settings.host.isEmpty()) {
        keys << "host" << "port";
        values << settings.host.toUtf8() << QByteArray::number(settings.port);
    }
    if (!settings.password.isEmpty()) {
        keys << "password";
        values << settings.password.toUtf8();
    }
    if (!settings.sslMode.isEmpty()) {
        keys << "sslmode";
        values << settings.sslMode.toUtf8();
    }
    // A lock held by another PC is waited for as long as the one busy policy says.
    QByteArray options = "-c lock_timeout=" + QByteArray::number(BusyPolicy::totalWaitMs()) + "  -c standard_conforming_strings=on -c client_min_messages=warning";
    if (!settings.schema.isEmpty())
        options += " -c search_path=" + settings.schema.toUtf8();
    if (readOnly)
        options += " -c default_transaction_read_only=on";
    // Compiling a statement takes the server far longer than any of ours runs; a
    // total over every unpaid row waited two seconds for it.
    options += " -c jit=off";
    keys << "options";
    values << options;

    std::vector<const char *> k;
    std::vector<const char *> v;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        k.push_back(keys[i].constData());
        v.push_back(values[i].constData());
    }
    k.push_back(nullptr);
    v.push_back(nullptr);
    m_state->conn = PQconnectdbParams(k.data(), v.data(), 0);
    if (PQstatus(m_state->conn) != CONNECTION_OK) {
        const QString message = errorMessage();
        if (PQconnectionNeedsPassword(m_state->conn)) {
            throw DbError(SQLITE_AUTH, QStringLiteral("The office server %1 asks for the password of %2.")
                                           .arg(settings.shownName(), settings.user));
        }
        // Typed or from the password file: either way the user is asked for it again.
        if (PQconnectionUsedPassword(m_state->conn) && message.contains(QStringLiteral("password"), Qt::CaseInsensitive)) {
            throw DbError(SQLITE_AUTH, QStringLiteral("The office server %1 did not accept the password of %2.")
                                           .arg(settings.shownName(), settings.user));
        }
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("The office server %1 cannot be reached: %2")
                                           .arg(settings.shownName(), message));
    }
    // A company made by another version may lack a function the SQL here calls.
    ServerFunctions::ensure(*this);
}

PgConnection::State::~State()
{
    if (conn && PQtransactionStatus(conn) != PQTRANS_IDLE)
        PQclear(PQexec(conn, "ROLLBACK"));
    PQfinish(conn);
}

QString PgConnection::errorMessage() const
{
    return trimmed(PQerrorMessage(m_state->conn));
}

pg_result *PgConnection::run(const QString &sql, const std::vector<Value> &values, const QString &shownSql)
{
    const QByteArray text = sql.toUtf8();
    std::vector<const char *> params;
    std::vector<unsigned int> types;
    for (const Value &value : values) {
        params.push_back(value.text ? value.text->constData() : nullptr);
        types.push_back(value.type);
    }
    PGresult *result = PQexecParams(m_state->conn, text.constData(), int(values.size()), types.data(), params.data(),
                                    nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const int code = result ? engineCode(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : SQLITE_CANTOPEN;
        // The server's own words, without its "ERROR:" and where-it-happened lines.
        QString message = result ? spelledAsWritten(trimmed(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)), shownSql)
                                 : errorMessage();
        if (code == SQLITE_BUSY)
            message = QStringLiteral("the company database is locked by another connection (%1)").arg(message);
        PQclear(result);
        throw DbError(code, message.isEmpty() ? errorMessage() : message, shownSql);
    }
    m_state->changes = QByteArray(PQcmdTuples(result)).toInt();
    return result;
}

void PgConnection::runPlain(const QString &sql)
{
    PQclear(run(sql, {}, sql));
}

void PgConnection::begin()
{
    runPlain(QStringLiteral("BEGIN"));
    try {
        runPlain(PgSql::takeWriteLock());
    } catch (...) {
        rollback();
        throw;
    }
}

void PgConnection::commit()
{
    // Sent with the commit (and only if it lands), so other PCs' lists can refresh. A
    // transaction that failed already is left to COMMIT to report.
    if (PQtransactionStatus(m_state->conn) == PQTRANS_INTRANS)
        runPlain(QStringLiteral("SELECT pg_notify(%1, '')").arg(PgSql::changesChannel()));
    PGresult *result = run(QStringLiteral("COMMIT"), {}, QStringLiteral("COMMIT"));
    // A transaction that failed earlier answers COMMIT with ROLLBACK, not an error.
    const bool rolledBack = qstrcmp(PQcmdStatus(result), "ROLLBACK") == 0;
    PQclear(result);
    if (rolledBack)
        throw DbError(SQLITE_ABORT, QStringLiteral("The server rolled the transaction back."), QStringLiteral("COMMIT"));
}

void PgConnection::rollback() noexcept
{
    if (m_state->conn && inTransaction())
        PQclear(PQexec(m_state->conn, "ROLLBACK"));
}

bool PgConnection::inTransaction() const
{
    return PQtransactionStatus(m_state->conn) != PQTRANS_IDLE;
}

qint64 PgConnection::lastInsertRowId()
{
    PGresult *result = run(QStringLiteral("SELECT current_setting('tarnwick.last_row_id', true)"), {}, {});
    const qint64 id = QByteArray(PQgetvalue(result, 0, 0)).toLongLong();
    PQclear(result);
    return id;
}

QString PgConnection::spelling(const QString &lowerName)
{
    if (!m_state->spellings) {
        m_state->spellings.emplace();
        PGresult *result =
            run(QStringLiteral("SELECT DISTINCT d.description FROM pg_description d JOIN pg_class c ON c.oid = d.objoid "
                               "WHERE d.classoid = 'pg_class'::regclass AND d.objsubid > 0 "
                               "AND c.relnamespace = current_schema()::regnamespace"),
                {}, {});
        for (int row = 0; row < PQntuples(result); ++row) {
            const QString name = QString::fromUtf8(PQgetvalue(result, row, 0));
            m_state->spellings->insert(name.toLower(), name);
        }
        PQclear(result);
    }
    return m_state->spellings->value(lowerName, lowerName);
}

void PgConnection::listenForChanges()
{
    PGresult *result = run(QStringLiteral("SELECT %1").arg(PgSql::changesChannel()), {}, {});
    const QByteArray channel(PQgetvalue(result, 0, 0));
    PQclear(result);
    char *quoted = PQescapeIdentifier(m_state->conn, channel.constData(), std::size_t(channel.size()));
    if (!quoted)
        throw DbError(SQLITE_ERROR, errorMessage());
    const QString listen = QStringLiteral("LISTEN ") + QString::fromUtf8(quoted);
    PQfreemem(quoted);
    runPlain(listen);
}

int PgConnection::socketDescriptor() const
{
    return PQsocket(m_state->conn);
}

bool PgConnection::changesArrived()
{
    if (!PQconsumeInput(m_state->conn))
        throw DbError(SQLITE_CANTOPEN, errorMessage());
    bool arrived = false;
    while (PGnotify *notice = PQnotifies(m_state->conn)) {
        arrived = true;
        PQfreemem(notice);
    }
    return arrived;
}

bool PgConnection::tableExists(const QString &table)
{
    const QByteArray name = table.toLower().toUtf8();
    PGresult *result = run(QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = "
                                          "current_schema() AND table_name = $1"),
                           {Value{name, 0}}, {});
    const bool found = PQntuples(result) > 0;
    PQclear(result);
    return found;
}

bool PgConnection::columnExists(const QString &table, const QString &column)
{
    PGresult *result = run(QStringLiteral("SELECT 1 FROM information_schema.columns WHERE table_schema = "
                                          "current_schema() AND table_name = $1 AND column_name = $2"),
                           {Value{table.toLower().toUtf8(), 0}, Value{column.toLower().toUtf8(), 0}}, {});
    const bool found = PQntuples(result) > 0;
    PQclear(result);
    return found;
}
