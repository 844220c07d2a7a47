#include "ServerLayout.h"

#include "Database.h"

#include <QRegularExpression>

namespace ServerLayout {

namespace {

/// Applies \a plain to the stretches of \a sql outside single-quoted literals.
template<typename Plain>
QString outsideLiterals(const QString &sql, Plain plain)
{
    QString out;
    qsizetype start = 0;
    while (start < sql.size()) {
        const qsizetype quote = sql.indexOf(QLatin1Char('\''), start);
        if (quote < 0)
            break;
        out += plain(sql.mid(start, quote - start));
        qsizetype end = quote + 1;
        while (end < sql.size()) {
            if (sql[end] == u'\'' && !(end + 1 < sql.size() && sql[end + 1] == u'\''))
                break;
            end += sql[end] == u'\'' ? 2 : 1;
        }
        out += sql.mid(quote, end + 1 - quote);
        start = end + 1;
    }
    return out + plain(sql.mid(start));
}

// The file's column types by the affinity the server's type stands for.
QString fileType(const QString &serverType)
{
    static const QRegularExpression integer(QStringLiteral("^(bigint|integer|smallint)$"));
    static const QRegularExpression real(QStringLiteral("^(double precision|real|numeric.*)$"));
    if (integer.match(serverType).hasMatch())
        return QStringLiteral("INTEGER");
    if (real.match(serverType).hasMatch())
        return QStringLiteral("REAL");
    if (serverType == QLatin1String("text") || serverType.startsWith(QLatin1String("character")))
        return QStringLiteral("TEXT");
    if (serverType == QLatin1String("bytea"))
        return QStringLiteral("BLOB");
    return serverType.toUpper();
}

struct Column
{
    QString name;
    QString type;
    bool notNull = false;
    QString defaultValue;
};

QList<Column> columnsOf(Database &server, qint64 table)
{
    Statement q = server.prepare(QStringLiteral(
        "SELECT coalesce(col_description(a.attrelid, a.attnum), a.attname::text), format_type(a.atttypid, a.atttypmod), "
        "a.attnotnull::int, pg_get_expr(d.adbin, d.adrelid) FROM pg_attribute a LEFT JOIN pg_attrdef d "
        "ON d.adrelid = a.attrelid AND d.adnum = a.attnum WHERE a.attrelid = ?::bigint::oid AND a.attnum > 0 "
        "AND NOT a.attisdropped ORDER BY a.attnum"));
    q.bind(1, table);
    QList<Column> columns;
    while (q.step())
        columns.append({q.textAt(0), fileType(q.textAt(1)), q.int64At(2) != 0, q.isNullAt(3) ? QString() : q.textAt(3)});
    return columns;
}

struct Constraint
{
    QString kind;
    QString definition;
    /// The one column of a single-column key, as spelled.
    QString onlyColumn;
};

QList<Constraint> constraintsOf(Database &server, qint64 table)
{
    // NOT NULL is read with the columns; a row-id key becomes the file's INTEGER PRIMARY KEY.
    Statement q = server.prepare(QStringLiteral(
        "SELECT k.contype::text, pg_get_constraintdef(k.oid), CASE WHEN cardinality(k.conkey) = 1 THEN "
        "(SELECT coalesce(col_description(a.attrelid, a.attnum), a.attname::text) FROM pg_attribute a "
        "WHERE a.attrelid = k.conrelid AND a.attnum = k.conkey[1]) END FROM pg_constraint k "
        "WHERE k.conrelid = ?::bigint::oid AND k.contype IN ('p', 'u', 'c', 'f') ORDER BY k.contype DESC, k.conname"));
    q.bind(1, table);
    QList<Constraint> found;
    while (q.step())
        found.append({q.textAt(0), q.textAt(1), q.isNullAt(2) ? QString() : q.textAt(2)});
    return found;
}

QString createTable(const QString &name, const QList<Column> &columns, const QList<Constraint> &constraints)
{
    QString rowId;
    for (const Constraint &constraint : constraints) {
        if (constraint.kind != QLatin1String("p") || constraint.onlyColumn.isEmpty())
            continue;
        for (const Column &column : columns) {
            if (column.name == constraint.onlyColumn && column.type == QLatin1String("INTEGER"))
                rowId = column.name;
        }
    }
    QStringList parts;
    for (const Column &column : columns) {
        QString part = column.name + QLatin1Char(' ') + column.type;
        if (column.name == rowId)
            part += QStringLiteral(" PRIMARY KEY");
        if (column.notNull)
            part += QStringLiteral(" NOT NULL");
        if (!column.defaultValue.isEmpty())
            part += QStringLiteral(" DEFAULT (%1)").arg(fileExpression(column.defaultValue));
        parts << part;
    }
    for (const Constraint &constraint : constraints) {
        if (constraint.kind == QLatin1String("p") && !rowId.isEmpty())
            continue;
        parts << fileExpression(constraint.definition);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, parts.join(QStringLiteral(", ")));
}

} // namespace

QString fileExpression(const QString &serverText)
{
    QString text = outsideLiterals(serverText, [](QString plain) {
        static const QRegularExpression cast(QStringLiteral(
            "::(?:\"[^\"]*\"|\\w+)(?:\\s+(?:precision|varying|without\\s+time\\s+zone|with\\s+time\\s+zone))?"
            "(?:\\(\\d+(?:,\\s*\\d+)?\\))?(?:\\[\\])?"));
        static const QRegularExpression collate(QStringLiteral("\\s*COLLATE\\s+(?:\"[^\"]*\"|\\w+)"));
        static const QRegularExpression notLike(QStringLiteral("!~~\\*?"));
        static const QRegularExpression like(QStringLiteral("~~\\*?"));
        return plain.replace(cast, QString())
            .replace(collate, QString())
            .replace(notLike, QStringLiteral("NOT LIKE"))
            .replace(like, QStringLiteral("LIKE"));
    });
    // "x = ANY (ARRAY['a', 'b'])" is how the server prints "x IN ('a', 'b')".
    static const QRegularExpression anyOf(QStringLiteral("=\\s*ANY\\s*\\(\\s*ARRAY\\[(.*?)\\]\\s*\\)"));
    return text.replace(anyOf, QStringLiteral("IN (\\1)"));
}

QList<Table> tables(Database &server)
{
    QList<std::pair<qint64, QString>> found;
    {
        Statement q = server.prepare(QStringLiteral(
            "SELECT c.oid::bigint, coalesce(obj_description(c.oid, 'pg_class'), c.relname::text) FROM pg_class c "
            "WHERE c.relnamespace = current_schema()::regnamespace AND c.relkind = 'r' "
            "AND left(c.relname, 9) <> 'tarnwick_' ORDER BY 2"));
        while (q.step())
            found.append({q.int64At(0), q.textAt(1)});
    }
    QList<Table> result;
    for (const auto &[oid, name] : found) {
        const QList<Column> columns = columnsOf(server, oid);
        Table table{name, createTable(name, columns, constraintsOf(server, oid)), {}};
        for (const Column &column : columns)
            table.columns << column.name;
        result.append(table);
    }
    return result;
}

QStringList indexes(Database &server)
{
    Statement q = server.prepare(QStringLiteral(
        "SELECT pg_get_indexdef(i.indexrelid) FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid "
        "JOIN pg_class t ON t.oid = i.indrelid WHERE t.relnamespace = current_schema()::regnamespace "
        "AND left(t.relname, 9) <> 'tarnwick_' AND NOT EXISTS (SELECT 1 FROM pg_constraint k "
        "WHERE k.conindid = i.indexrelid AND k.contype IN ('p', 'u')) ORDER BY c.relname"));
    static const QRegularExpression schema(QStringLiteral("\\bON\\s+(?:(?:\"[^\"]*\"|\\w+)\\.)?(\\w+)\\s+USING\\s+\\w+\\s*"));
    QStringList found;
    while (q.step()) {
        QString sql = q.textAt(0);
        sql.replace(schema, QStringLiteral("ON \\1 "));
        found << fileExpression(sql);
    }
    return found;
}

} // namespace ServerLayout
