#include "ServerFunctions.h"

#include "DbError.h"
#include "PgConnection.h"
#include "PgSql.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace ServerFunctions {

namespace {

struct Expected
{
    QStringList statements;
    /// The functions and aggregates the statements make.
    QStringList routines;
    /// Which version of them a company holds, kept as the comment of its settings table.
    QString fingerprint;
};

// Built once: the folding function's table takes a pass over every character.
const Expected &expected()
{
    static const Expected all = [] {
        Expected e;
        e.statements = PgSql::engineFunctions();
        // Also those a statement makes from within a block of its own (fold()).
        static const QRegularExpression routine(
            QStringLiteral("\\bCREATE\\s+OR\\s+REPLACE\\s+(?:FUNCTION|AGGREGATE)\\s+(\\w+)"),
            QRegularExpression::CaseInsensitiveOption);
        for (const QString &sql : e.statements) {
            for (const QRegularExpressionMatch &m : routine.globalMatch(sql)) {
                if (!e.routines.contains(m.captured(1)))
                    e.routines << m.captured(1);
            }
        }
        e.fingerprint = QString::fromLatin1(
            QCryptographicHash::hash(e.statements.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Md5).toHex());
        return e;
    }();
    return all;
}

struct Found
{
    bool company = false;
    bool complete = false;
    bool current = false;
};

Found look(PgConnection &connection)
{
    const Expected &e = expected();
    // Our own names only, so they go into the text as they are.
    const QString names = QStringLiteral("'") + e.routines.join(QStringLiteral("','")) + QStringLiteral("'");
    pg_result *result = connection.run(
        QStringLiteral("SELECT to_regclass('tarnwick_pragma') IS NOT NULL, "
                       "(SELECT count(DISTINCT proname) FROM pg_proc WHERE pronamespace = current_schema()::regnamespace "
                       "AND proname IN (%1)) = %2 AND to_regclass('sqlite_master') IS NOT NULL, "
                       "coalesce(obj_description(to_regclass('tarnwick_pragma'), 'pg_class'), '') = '%3'")
            .arg(names)
            .arg(e.routines.size())
            .arg(e.fingerprint),
        {}, {});
    const auto yes = [result](int column) { return qstrcmp(PQgetvalue(result, 0, column), "t") == 0; };
    const Found found{yes(0), yes(1), yes(2)};
    PQclear(result);
    return found;
}

} // namespace

void makeAll(PgConnection &connection)
{
    const Expected &e = expected();
    for (const QString &sql : e.statements)
        connection.runPlain(sql);
    connection.runPlain(QStringLiteral("COMMENT ON TABLE tarnwick_pragma IS '%1'").arg(e.fingerprint));
}

void ensure(PgConnection &connection)
{
    const Found found = look(connection);
    if (!found.company || (found.complete && found.current))
        return;
    try {
        // Read-write even on a connection that only reads the company: the functions
        // are the engine's, not the company's data.
        connection.runPlain(QStringLiteral("BEGIN READ WRITE"));
        connection.runPlain(PgSql::takeWriteLock());
        makeAll(connection);
        connection.runPlain(QStringLiteral("COMMIT"));
    } catch (const DbError &error) {
        connection.rollback();
        if (!found.complete) {
            throw DbError(error.code(),
                          QStringLiteral("The company on the office server lacks functions this version of the program "
                                         "needs, and they could not be made there: %1")
                              .arg(error.message()));
        }
    }
}

} // namespace ServerFunctions
