#include "ServerCopy.h"

#include "Database.h"
#include "PgConnection.h"
#include "ServerFunctions.h"
#include "ServerLayout.h"
#include "SqlColumns.h"

#include <optional>

#include <sqlite3.h>

namespace ServerCopy {

namespace {

struct StoredTable
{
    QString name;
    QString createSql;
};

QList<StoredTable> tables(Database &file)
{
    QList<StoredTable> found;
    Statement q = file.prepare(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY name"));
    while (q.step())
        found.append({q.textAt(0), q.textAt(1)});
    return found;
}

QStringList indexes(Database &file)
{
    QStringList found;
    Statement q = file.prepare(
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name"));
    while (q.step())
        found << q.textAt(0);
    return found;
}

QStringList columnsOf(Database &db, const QString &table)
{
    Statement read = db.prepare(QStringLiteral("SELECT * FROM %1 WHERE 0 = 1").arg(table));
    QStringList columns;
    for (int c = 0; c < read.columnCount(); ++c)
        columns << read.columnName(c);
    return columns;
}

void copyRows(Database &from, Database &to, const QString &table, const QStringList &columns)
{
    Statement read = from.prepare(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), table));
    Statement write = to.prepare(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                                         .arg(table, columns.join(QLatin1Char(',')),
                                              SqlColumns::placeholders(int(columns.size()))));
    while (read.step()) {
        write.reset();
        for (int c = 0; c < columns.size(); ++c) {
            if (read.isNullAt(c))
                write.bindNull(c + 1);
            else if (read.isNumberAt(c) && read.textAt(c).contains(QLatin1Char('.')))
                write.bind(c + 1, read.doubleAt(c));
            else
                write.bind(c + 1, read.textAt(c));
        }
        write.run();
    }
}

} // namespace

bool holdsTables(Database &server)
{
    Statement q = server.prepare(QStringLiteral("SELECT count(*) FROM information_schema.tables "
                                                "WHERE table_schema = current_schema() AND table_type = 'BASE TABLE' "
                                                "AND table_name <> 'tarnwick_pragma'"));
    q.step();
    return q.int64At(0) > 0;
}

namespace {

// Everything of the company file at \a file onto \a server, inside the caller's transaction.
void copyTablesOnto(const QString &file, Database &server)
{
    PgConnection *connection = server.server();
    Database source(file, Database::OpenMode::ReadOnly);
    const qint64 applicationId = source.queryInt(QStringLiteral("PRAGMA application_id"));
    const qint64 userVersion = source.queryInt(QStringLiteral("PRAGMA user_version"));
    ServerFunctions::makeAll(*connection);
    const QList<StoredTable> stored = tables(source);
    for (const StoredTable &table : stored)
        server.exec(table.createSql);
    for (const StoredTable &table : stored)
        copyRows(source, server, table.name, columnsOf(source, table.name));
    for (const QString &index : indexes(source))
        server.exec(index);
    server.exec(QStringLiteral("PRAGMA application_id = %1").arg(applicationId));
    server.exec(QStringLiteral("PRAGMA user_version = %1").arg(userVersion));
}

PgConnection &serverOf(Database &server)
{
    if (!server.server())
        throw DbError(SQLITE_MISUSE, QStringLiteral("A company can only be copied to an office server."));
    return *server.server();
}

} // namespace

void copyFileToServer(const QString &file, Database &server)
{
    (void)serverOf(server);
    Transaction transaction = server.transaction();
    // Checked under the write lock, so two PCs copying at once cannot both find it empty.
    if (holdsTables(server)) {
        throw DbError(SQLITE_CONSTRAINT, QStringLiteral("The server database is not empty. A company is copied "
                                                        "only into an empty database; nothing was changed."));
    }
    copyTablesOnto(file, server);
    transaction.commit();
}

void copyFileToServer(const QString &file, const OfficeServer::Settings &server)
{
    // Reached under a name of its own, so the company's own path keeps the database it has.
    const QString reached = file + QStringLiteral(".copy-to-server");
    OfficeServer::attach(reached, server);
    try {
        Database target(reached);
        copyFileToServer(file, target);
    } catch (...) {
        OfficeServer::detach(reached);
        throw;
    }
    OfficeServer::detach(reached);
}

void replaceServerFromFile(const QString &file, Database &server)
{
    PgConnection &connection = serverOf(server);
    Transaction transaction = server.transaction();
    QStringList held;
    Statement q = server.prepare(QStringLiteral("SELECT quote_ident(table_name) FROM information_schema.tables "
                                                "WHERE table_schema = current_schema() AND table_type = 'BASE TABLE' "
                                                "AND table_name <> 'tarnwick_pragma'"));
    while (q.step())
        held << q.textAt(0);
    for (const QString &table : held)
        connection.runPlain(QStringLiteral("DROP TABLE %1 CASCADE").arg(table));
    copyTablesOnto(file, server);
    transaction.commit();
}

void copyServerToFile(Database &server, Database &file)
{
    (void)serverOf(server);
    // The writers' lock keeps the copy to one moment of the company's data; an
    // upgrade copies under the lock it already holds.
    std::optional<Transaction> reading;
    if (!server.server()->inTransaction())
        reading.emplace(server);
    // As a new company file is made, so the copy compacts as the file does.
    file.exec(QStringLiteral("PRAGMA auto_vacuum = INCREMENTAL"));
    Transaction writing(file);
    for (const QString &name : {QStringLiteral("application_id"), QStringLiteral("user_version")}) {
        file.exec(QStringLiteral("PRAGMA %1 = %2")
                      .arg(name)
                      .arg(server.queryInt(QStringLiteral("PRAGMA %1").arg(name))));
    }
    const QList<ServerLayout::Table> held = ServerLayout::tables(server);
    for (const ServerLayout::Table &table : held)
        file.exec(table.createSql);
    for (const ServerLayout::Table &table : held)
        copyRows(server, file, table.name, table.columns);
    for (const QString &index : ServerLayout::indexes(server))
        file.exec(index);
    writing.commit();
}

} // namespace ServerCopy
