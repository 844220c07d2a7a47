#include "ServerCopy.h"

#include "Database.h"
#include "PgConnection.h"
#include "PgSql.h"
#include "SqlColumns.h"

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

void copyRows(Database &file, Database &server, const QString &table)
{
    Statement read = file.prepare(QStringLiteral("SELECT * FROM %1").arg(table));
    QStringList columns;
    for (int c = 0; c < read.columnCount(); ++c)
        columns << read.columnName(c);
    Statement write = server.prepare(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
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

void copyFileToServer(const QString &file, Database &server)
{
    PgConnection *connection = server.server();
    if (!connection)
        throw DbError(SQLITE_MISUSE, QStringLiteral("A company can only be copied to an office server."));
    Database source(file, Database::OpenMode::ReadOnly);
    const qint64 applicationId = source.queryInt(QStringLiteral("PRAGMA application_id"));
    const qint64 userVersion = source.queryInt(QStringLiteral("PRAGMA user_version"));

    Transaction transaction = server.transaction();
    // Checked under the write lock, so two PCs copying at once cannot both find it empty.
    if (holdsTables(server)) {
        throw DbError(SQLITE_CONSTRAINT, QStringLiteral("The server database is not empty. A company is copied "
                                                        "only into an empty database; nothing was changed."));
    }
    for (const QString &sql : PgSql::engineFunctions())
        connection->runPlain(sql);
    const QList<StoredTable> stored = tables(source);
    for (const StoredTable &table : stored)
        server.exec(table.createSql);
    for (const StoredTable &table : stored)
        copyRows(source, server, table.name);
    for (const QString &index : indexes(source))
        server.exec(index);
    server.exec(QStringLiteral("PRAGMA application_id = %1").arg(applicationId));
    server.exec(QStringLiteral("PRAGMA user_version = %1").arg(userVersion));
    transaction.commit();
}

} // namespace ServerCopy
