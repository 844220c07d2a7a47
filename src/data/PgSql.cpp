#include "PgSql.h"

#include <QRegularExpression>

namespace PgSql {

namespace {

/// Calls \a plain for each stretch outside quotes and comments and \a quoted for the
/// rest, joining what they return.
template<typename Plain>
QString rewriteOutsideQuotes(const QString &sql, Plain plain)
{
    QString out;
    QString stretch;
    int i = 0;
    const int n = int(sql.size());
    auto flush = [&] {
        out += plain(stretch);
        stretch.clear();
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            flush();
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            flush();
            int j = int(sql.indexOf(u'\n', i));
            j = j < 0 ? n : j;
            out += sql.mid(i, j - i);
            i = j;
        } else {
            stretch += c;
            ++i;
        }
    }
    flush();
    return out;
}

QString numberPlaceholders(const QString &sql)
{
    int number = 0;
    return rewriteOutsideQuotes(sql, [&number](const QString &plain) {
        // "?" takes the next number, "?NNN" names its own (and later "?" follow it).
        QString out;
        out.reserve(plain.size());
        for (qsizetype i = 0; i < plain.size(); ++i) {
            if (plain[i] != u'?') {
                out += plain[i];
                continue;
            }
            qsizetype end = i + 1;
            while (end < plain.size() && plain[end].isDigit())
                ++end;
            if (end > i + 1) {
                const int given = plain.mid(i + 1, end - i - 1).toInt();
                number = std::max(number, given);
                out += QLatin1Char('$') + QString::number(given);
                i = end - 1;
            } else {
                out += QLatin1Char('$') + QString::number(++number);
            }
        }
        return out;
    });
}

QString replaceWords(QString plain, const QList<std::pair<QRegularExpression, QString>> &rules)
{
    for (const auto &[pattern, replacement] : rules)
        plain.replace(pattern, replacement);
    return plain;
}

QRegularExpression word(const QString &pattern)
{
    return QRegularExpression(QStringLiteral("\\b") + pattern + QStringLiteral("\\b"),
                              QRegularExpression::CaseInsensitiveOption);
}

// SQLite's column types, as the server spells them. Text keeps byte order ("C"), as
// the file sorts and compares it.
QString serverTypes(const QString &plain)
{
    static const QList<std::pair<QRegularExpression, QString>> rules = {
        {word(QStringLiteral("INTEGER")), QStringLiteral("BIGINT")},
        {word(QStringLiteral("REAL")), QStringLiteral("DOUBLE PRECISION")},
        {word(QStringLiteral("(TEXT|BLOB)")), QStringLiteral("TEXT COLLATE \"C\"")},
    };
    return replaceWords(plain, rules);
}

// LIKE folds ASCII letters on the file; ILIKE over "C" text does the same on the server.
QString everyStatement(const QString &plain)
{
    static const QList<std::pair<QRegularExpression, QString>> rules = {
        {word(QStringLiteral("LIKE")), QStringLiteral("ILIKE")},
        {word(QStringLiteral("IFNULL")), QStringLiteral("COALESCE")},
        {QRegularExpression(QStringLiteral("\\bCOLLATE\\s+NOCASE\\b"), QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("")},
        {QRegularExpression(QStringLiteral("\\b(INDEX(?:\\s+IF\\s+NOT\\s+EXISTS)?)\\s+temp\\."),
                            QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("\\1 ")},
        {QRegularExpression(QStringLiteral("\\bTABLE\\s+temp\\."), QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("TABLE pg_temp.")},
        // The server's planner picks its own indexes.
        {QRegularExpression(QStringLiteral("\\s+(?:INDEXED\\s+BY\\s+\\w+|NOT\\s+INDEXED)\\b"),
                            QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("")},
        // The stores pass lists as JSON arrays and read only their values.
        {QRegularExpression(QStringLiteral("\\bjson_each\\s*\\("), QRegularExpression::CaseInsensitiveOption),
         QStringLiteral("json_array_elements_text(")},
    };
    return replaceWords(plain, rules);
}

struct NewTable
{
    QString table;
    QString idColumn;
    QStringList columns;
};

// The parts of a list split at its commas outside parentheses and quotes.
QStringList topLevelParts(const QString &list)
{
    QStringList parts;
    int depth = 0;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (c == u',' && depth == 0) {
            parts << list.mid(start, i - start);
            start = i + 1;
        }
    }
    parts << list.mid(start);
    return parts;
}

// The table a CREATE TABLE makes, its columns as written, and its INTEGER PRIMARY KEY.
std::optional<NewTable> newTable(const QString &sql)
{
    static const QRegularExpression create(
        QStringLiteral("^\\s*CREATE\\s+(?:TEMP\\w*\\s+)?TABLE\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)\\s*\\((.*)\\)\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = create.match(sql);
    if (!match.hasMatch())
        return std::nullopt;
    NewTable table{match.captured(1), {}, {}};
    static const QRegularExpression column(QStringLiteral("^\\s*(\\w+)\\s*(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression idType(QStringLiteral("^INTEGER\\s+PRIMARY\\s+KEY\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QStringList tableConstraints = {QStringLiteral("PRIMARY"), QStringLiteral("UNIQUE"),
                                                 QStringLiteral("CHECK"), QStringLiteral("FOREIGN"),
                                                 QStringLiteral("CONSTRAINT")};
    for (const QString &part : topLevelParts(match.captured(2))) {
        const QRegularExpressionMatch m = column.match(part);
        if (!m.hasMatch())
            continue;
        const QString name = m.captured(1);
        if (tableConstraints.contains(name, Qt::CaseInsensitive))
            continue;
        table.columns << name;
        if (idType.match(m.captured(2).trimmed()).hasMatch())
            table.idColumn = name;
    }
    return table;
}

std::optional<std::pair<QString, QString>> addedColumn(const QString &sql)
{
    static const QRegularExpression add(QStringLiteral("^\\s*ALTER\\s+TABLE\\s+(\\w+)\\s+ADD\\s+COLUMN\\s+(\\w+)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = add.match(sql);
    if (!m.hasMatch())
        return std::nullopt;
    return std::pair{m.captured(1), m.captured(2)};
}

// Column names fold to lower case on the server; their spelling is kept beside them,
// so a query's column names read as they do on the file.
QString spellingComment(const QString &table, const QString &column)
{
    return QStringLiteral("COMMENT ON COLUMN %1.%2 IS '%2'").arg(table, column);
}

bool isTemporary(const QString &sql)
{
    static const QRegularExpression temp(QStringLiteral("^\\s*CREATE\\s+TEMP"), QRegularExpression::CaseInsensitiveOption);
    return temp.match(sql).hasMatch();
}

bool startsWith(const QString &sql, const QString &keyword)
{
    return sql.trimmed().startsWith(keyword, Qt::CaseInsensitive);
}

} // namespace

QString takeWriteLock()
{
    return QStringLiteral("SELECT pg_advisory_xact_lock(%1, hashtext(current_schema()))").arg(kWriteLock);
}

QString changesChannel()
{
    // A channel name holds at most 63 bytes; a schema name may take all of them.
    return QStringLiteral("'tarnwick_' || md5(current_schema())");
}

QStringList splitStatements(const QString &script)
{
    QStringList statements;
    QString current;
    // Semicolons inside quotes are replaced by a marker first, so the split sees
    // only the ones between statements.
    const QChar marker(0xE000);
    const QString marked = rewriteOutsideQuotes(script, [marker](const QString &plain) {
        QString copy = plain;
        return copy.replace(QLatin1Char(';'), marker);
    });
    static const QRegularExpression trigger(QStringLiteral("^CREATE\\s+TRIGGER\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("\\bEND$"), QRegularExpression::CaseInsensitiveOption);
    bool inTrigger = false;
    for (const QString &part : marked.split(marker)) {
        const QString statement = part.trimmed();
        if (statement.isEmpty())
            continue;
        // A trigger's body holds statements of its own, up to its END.
        if (inTrigger)
            statements.last() += QStringLiteral("; ") + statement;
        else
            statements << statement;
        if (trigger.match(statements.last()).hasMatch())
            inTrigger = !end.match(statements.last()).hasMatch();
    }
    return statements;
}

namespace {

// The file's header values live in a small table on the server; the file's other
// settings have nothing to set there.
QString pragma(const QString &statement)
{
    static const QRegularExpression form(QStringLiteral("^\\s*PRAGMA\\s+(\\w+)\\s*(?:\\([^)]*\\)|=\\s*(\\S+))?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(statement);
    const QString name = m.captured(1).toLower();
    const bool kept = name == QLatin1String("application_id") || name == QLatin1String("user_version");
    if (!m.hasMatch())
        return QStringLiteral("SELECT 0");
    // The server checks its own pages; the file's check has nothing to find here.
    if (name == QLatin1String("integrity_check") || name == QLatin1String("quick_check"))
        return QStringLiteral("SELECT 'ok'");
    if (!kept)
        return QStringLiteral("SELECT 0");
    if (m.captured(2).isEmpty())
        return QStringLiteral("SELECT coalesce((SELECT value FROM tarnwick_pragma WHERE name = '%1'), 0)").arg(name);
    bool number = false;
    const qint64 value = m.captured(2).toLongLong(&number);
    return QStringLiteral("INSERT INTO tarnwick_pragma VALUES('%1', %2) ON CONFLICT (name) DO UPDATE SET value = "
                          "excluded.value")
        .arg(name)
        .arg(number ? value : 0);
}

} // namespace

namespace {

// "x GLOB 'pattern'" as the server's regular-expression match.
QString globAsRegex(const QString &statement)
{
    static const QRegularExpression glob(QStringLiteral("\\bGLOB\\s+'([^']*)'"), QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &m : glob.globalMatch(statement)) {
        QString regex = QStringLiteral("^");
        bool inSet = false;
        for (const QChar c : m.captured(1)) {
            if (inSet) {
                regex += c;
                inSet = c != u']';
            } else if (c == u'*') {
                regex += QStringLiteral(".*");
            } else if (c == u'?') {
                regex += QLatin1Char('.');
            } else if (c == u'[') {
                regex += c;
                inSet = true;
            } else {
                regex += QRegularExpression::escape(QString(c));
            }
        }
        out += statement.mid(last, m.capturedStart() - last) + QStringLiteral("~ '") + regex + QStringLiteral("$'");
        last = m.capturedEnd();
    }
    return out + statement.mid(last);
}

} // namespace

namespace {

// The end of the quoted text starting at \a i (the index after its closing quote).
qsizetype pastQuote(const QString &sql, qsizetype i)
{
    const QChar quote = sql[i];
    for (qsizetype j = i + 1; j < sql.size(); ++j) {
        if (sql[j] != quote)
            continue;
        if (j + 1 < sql.size() && sql[j + 1] == quote) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return sql.size();
}

// The file reads a number from the front of a text and takes 0 when there is none;
// the server refuses such a text outright. "CAST(x AS INTEGER)" and "AS REAL" call
// functions that read it the file's way.
QString lenientCasts(const QString &sql)
{
    static const QRegularExpression cast(QStringLiteral("\\bCAST\\s*\\("), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression target(QStringLiteral("\\s+AS\\s+(INTEGER|REAL)\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = pastQuote(sql, i);
            out += sql.mid(i, end - i);
            i = end;
            continue;
        }
        const QRegularExpressionMatch m = c.toLower() != u'c' ? QRegularExpressionMatch()
                                          : cast.match(sql, i, QRegularExpression::NormalMatch,
                                                       QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch()) {
            out += c;
            ++i;
            continue;
        }
        qsizetype j = m.capturedEnd();
        int depth = 1;
        while (j < sql.size() && depth > 0) {
            if (sql[j] == u'\'' || sql[j] == u'"') {
                j = pastQuote(sql, j);
                continue;
            }
            depth += sql[j] == u'(' ? 1 : sql[j] == u')' ? -1 : 0;
            ++j;
        }
        const QString inner = sql.mid(m.capturedEnd(), j - 1 - m.capturedEnd());
        const QRegularExpressionMatch as = target.match(inner);
        if (depth != 0 || !as.hasMatch()) {
            out += sql.mid(i, m.capturedLength());
            i = m.capturedEnd();
            continue;
        }
        const QString function = as.captured(1).compare(QStringLiteral("REAL"), Qt::CaseInsensitive) == 0
                                     ? QStringLiteral("tarnwick_real")
                                     : QStringLiteral("tarnwick_integer");
        out += QStringLiteral("%1(%2)").arg(function, lenientCasts(inner.left(as.capturedStart())));
        i = j;
    }
    return out;
}

} // namespace

namespace {

// A trigger that refuses a change, the form the file's engine takes, as the
// server's function and trigger. Dropping it drops its function along.
std::optional<QStringList> refusingTrigger(const QString &statement)
{
    static const QRegularExpression create(
        QStringLiteral("^\\s*CREATE\\s+TRIGGER\\s+(\\w+)\\s+(BEFORE|AFTER)\\s+(INSERT|UPDATE|DELETE)(?:\\s+OF\\s+[\\w,\\s]+?)?"
                       "\\s+ON\\s+(\\w+)\\s+(?:FOR\\s+EACH\\s+ROW\\s+)?(?:WHEN\\s+(.*?)\\s+)?BEGIN\\s+SELECT\\s+RAISE\\s*\\(\\s*"
                       "(?:ABORT|FAIL|ROLLBACK)\\s*,\\s*'([^']*)'\\s*\\)\\s*;?\\s*END\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression drop(QStringLiteral("^\\s*DROP\\s+TRIGGER\\s+(?:IF\\s+EXISTS\\s+)?(\\w+)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = drop.match(statement); m.hasMatch())
        return QStringList{QStringLiteral("DROP FUNCTION IF EXISTS %1_refuses() CASCADE").arg(m.captured(1))};
    const QRegularExpressionMatch m = create.match(statement);
    if (!m.hasMatch())
        return std::nullopt;
    const QString when = m.captured(5).isEmpty() ? QString() : QStringLiteral(" WHEN (%1)").arg(m.captured(5));
    return QStringList{
        QStringLiteral("CREATE OR REPLACE FUNCTION %1_refuses() RETURNS trigger LANGUAGE plpgsql AS $t$ BEGIN "
                       "RAISE EXCEPTION USING MESSAGE = '%2', ERRCODE = '23000'; END $t$")
            .arg(m.captured(1), m.captured(6)),
        QStringLiteral("CREATE TRIGGER %1 %2 %3 ON %4 FOR EACH ROW%5 EXECUTE FUNCTION %1_refuses()")
            .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4), when)};
}

} // namespace

namespace {

// The file indexes a bare expression ("CASE ... END"); the server wants it in
// parentheses. Plain columns and their order or collation stay as they are.
QString indexExpressions(const QString &statement)
{
    static const QRegularExpression create(
        QStringLiteral("^\\s*CREATE\\s+(?:UNIQUE\\s+)?INDEX\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?\\w+\\s+ON\\s+\\w+\\s*\\("),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = create.match(statement);
    if (!m.hasMatch())
        return statement;
    QStringList parts;
    qsizetype start = m.capturedEnd();
    qsizetype i = start;
    int depth = 0;
    for (; i < statement.size(); ++i) {
        const QChar c = statement[i];
        if (c == u'\'' || c == u'"') {
            i = pastQuote(statement, i) - 1;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth-- == 0) {
            break;
        } else if (c == u',' && depth == 0) {
            parts << statement.mid(start, i - start);
            start = i + 1;
        }
    }
    if (i >= statement.size())
        return statement;
    parts << statement.mid(start, i - start);
    static const QRegularExpression plain(QStringLiteral("^\\s*\\w+\\s*$"));
    static const QRegularExpression suffix(QStringLiteral("(\\s+COLLATE\\s+\\w+)?(\\s+(?:ASC|DESC))?\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    for (QString &part : parts) {
        const QRegularExpressionMatch end = suffix.match(part);
        const QString expression = part.left(end.capturedStart());
        if (!plain.match(expression).hasMatch())
            part = QLatin1Char('(') + expression.trimmed() + QLatin1Char(')') + end.captured(0);
    }
    return statement.left(m.capturedEnd()) + parts.join(QLatin1Char(',')) + statement.mid(i);
}

} // namespace

namespace {

// \a sql with everything inside quotes, comments and parentheses blanked out, so
// patterns see only the statement's own level; positions stay those of \a sql.
QString outerLevel(const QString &sql)
{
    QString mask(sql.size(), QLatin1Char(' '));
    int depth = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            i = pastQuote(sql, i) - 1;
        } else if (c == u'-' && i + 1 < sql.size() && sql[i + 1] == u'-') {
            const qsizetype end = sql.indexOf(u'\n', i);
            i = end < 0 ? sql.size() : end;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            depth = std::max(0, depth - 1);
        } else if (depth == 0) {
            mask[i] = c;
        }
    }
    return mask;
}

// The server does not walk an index in order for one half of a UNION ALL that has a
// WHERE of its own: it reads every row of every half and sorts them all, however few
// the LIMIT keeps. Each half sorted and limited by itself walks its index and stops
// early; the first rows of the whole are among the first rows of its halves, so the
// statement returns what it did. Only ORDER BY by column position is moved, which
// means the same in each half.
QString orderedUnionHalves(const QString &sql)
{
    const QString mask = outerLevel(sql);
    static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tail(
        QStringLiteral("\\bORDER\\s+BY\\s+(\\d+(?:\\s+(?:ASC|DESC))?(?:\\s+NULLS\\s+(?:FIRST|LAST))?"
                       "(?:\\s*,\\s*\\d+(?:\\s+(?:ASC|DESC))?(?:\\s+NULLS\\s+(?:FIRST|LAST))?)*)"
                       "\\s+LIMIT\\s+(\\$\\d+|\\d+)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression unionWord(QStringLiteral("\\bUNION\\b(\\s+ALL\\b)?"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch end = tail.match(mask);
    if (!select.match(mask).hasMatch() || !end.hasMatch())
        return sql;
    QStringList halves;
    qsizetype start = 0;
    for (const QRegularExpressionMatch &u : unionWord.globalMatch(mask.left(end.capturedStart()))) {
        if (u.captured(1).isEmpty())
            return sql; // a plain UNION drops duplicates across halves
        halves << sql.mid(start, u.capturedStart() - start).trimmed();
        start = u.capturedEnd();
    }
    if (halves.isEmpty())
        return sql;
    halves << sql.mid(start, end.capturedStart() - start).trimmed();
    const QString order = QStringLiteral(" ORDER BY %1 LIMIT %2").arg(sql.mid(end.capturedStart(1), end.capturedLength(1)),
                                                                      sql.mid(end.capturedStart(2), end.capturedLength(2)));
    for (QString &half : halves)
        half = QLatin1Char('(') + half + order + QLatin1Char(')');
    return halves.join(QStringLiteral(" UNION ALL ")) + order;
}

} // namespace

namespace {

// The server keeps no figures for the expressions of a partial index, and guesses
// how many rows such an expression keeps ("UPPER(strInvName) IN (...)"): a guess far
// too low makes it read and sort every row rather than walk an index in order and
// stop at the LIMIT. Statistics of their own give it those figures. Made once for
// each such index of the company (tables of other owners are left alone), then the
// table is analysed so they hold at once.
QString expressionStatistics()
{
    return QStringLiteral(R"SQL(DO $st$
DECLARE
    ix record;
    analysed text[] := '{}';
BEGIN
    FOR ix IN SELECT left(c.relname, 56) || '_values' AS name, i.indrelid::regclass::text AS tbl,
            (SELECT string_agg('(' || pg_get_indexdef(i.indexrelid, k, true) || ')', ', ' ORDER BY k)
             FROM generate_series(1, i.indnkeyatts) k WHERE i.indkey[k - 1] = 0) AS exprs
            FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid JOIN pg_class t ON t.oid = i.indrelid
            WHERE c.relnamespace = current_schema()::regnamespace AND i.indpred IS NOT NULL
                AND 0 = ANY (i.indkey::int2[]) AND pg_has_role(t.relowner, 'USAGE')
                AND NOT EXISTS (SELECT 1 FROM pg_statistic_ext s WHERE s.stxnamespace = c.relnamespace
                                AND s.stxname = left(c.relname, 56) || '_values')
    LOOP
        EXECUTE format('CREATE STATISTICS %I ON %s FROM %s', ix.name, ix.exprs, ix.tbl);
        IF NOT ix.tbl = ANY (analysed) THEN
            analysed := analysed || ix.tbl;
        END IF;
    END LOOP;
    FOR i IN 1 .. coalesce(array_length(analysed, 1), 0) LOOP
        EXECUTE 'ANALYZE ' || analysed[i];
    END LOOP;
END
$st$)SQL");
}

bool isPartialIndex(const QString &statement)
{
    static const QRegularExpression create(QStringLiteral("^\\s*CREATE\\s+(?:UNIQUE\\s+)?INDEX\\b.*\\bWHERE\\b"),
                                           QRegularExpression::CaseInsensitiveOption
                                               | QRegularExpression::DotMatchesEverythingOption);
    return create.match(statement).hasMatch();
}

} // namespace

QStringList translate(const QString &original)
{
    const QString statement = indexExpressions(lenientCasts(globAsRegex(original)));
    if (const std::optional<QStringList> trigger = refusingTrigger(statement))
        return *trigger;
    if (startsWith(statement, QStringLiteral("PRAGMA")))
        return {pragma(statement)};
    // The file's write lock is the writers' lock here; an exclusive one also keeps
    // readers out, as it does on the file.
    static const QRegularExpression begin(QStringLiteral("^\\s*BEGIN\\s+(IMMEDIATE|EXCLUSIVE)\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = begin.match(statement); m.hasMatch()) {
        QStringList out{QStringLiteral("BEGIN"), takeWriteLock()};
        if (m.captured(1).compare(QStringLiteral("EXCLUSIVE"), Qt::CaseInsensitive) == 0) {
            out << QStringLiteral("DO $x$ DECLARE t text; BEGIN FOR t IN SELECT quote_ident(tablename) FROM pg_tables "
                                  "WHERE schemaname = current_schema() LOOP EXECUTE 'LOCK TABLE ' || t || "
                                  "' IN ACCESS EXCLUSIVE MODE'; END LOOP; END $x$");
        }
        return out;
    }
    if (startsWith(statement, QStringLiteral("VACUUM")) || startsWith(statement, QStringLiteral("ANALYZE")))
        return {};

    const std::optional<NewTable> table = newTable(statement);
    const auto added = table ? std::nullopt : addedColumn(statement);
    const bool ddl = table || added;
    QString sql = rewriteOutsideQuotes(statement, [ddl](const QString &plain) {
        return everyStatement(ddl ? serverTypes(plain) : plain);
    });
    sql = numberPlaceholders(sql);
    if (!ddl)
        sql = orderedUnionHalves(sql);

    QStringList out{sql};
    if (table && !isTemporary(statement)) {
        if (!table->idColumn.isEmpty()) {
            out << QStringLiteral("CREATE OR REPLACE TRIGGER %1_row_id BEFORE INSERT ON %1 FOR EACH ROW "
                                  "EXECUTE FUNCTION tarnwick_row_id('%2')")
                       .arg(table->table, table->idColumn.toLower());
        }
        out << QStringLiteral("COMMENT ON TABLE %1 IS '%1'").arg(table->table);
        for (const QString &column : table->columns)
            out << spellingComment(table->table, column);
    } else if (added) {
        out << spellingComment(added->first, added->second);
    } else if (isPartialIndex(statement)) {
        out << expressionStatistics();
    }
    return out;
}

namespace {

// fold() on the server maps exactly the letters QString::toCaseFolded() maps, so both
// engines find the same rows.
std::pair<QString, QString> nonAsciiFolding()
{
    QString from;
    QString to;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString letter = QString::fromUcs4(&c, 1);
        const QString folded = letter.toCaseFolded();
        if (folded != letter && folded.toUcs4().size() == 1) {
            from += letter;
            to += folded;
        }
    }
    return {from, to};
}

// One translate() over a map of every folding letter costs tens of microseconds a
// name, since it looks each character up one by one. The server's own lower() under
// a UTF-8 collation is fast; where it differs from the program's folding, a short
// map mends what it gives, and the few letters no map can mend (two letters lowered
// alike but folded apart) send their texts the slow, exact way. The server is asked
// once how its lower() treats every character; the answer is kept in the function's
// comment, read by later companies in the database, and asked anew when the
// collation's version changes. Without such a collation the exact map alone is used.
QString foldDefinition()
{
    const auto [from, to] = nonAsciiFolding();
    return QStringLiteral(R"SQL(DO $do$
DECLARE
    qt_from text := '@FROM@';
    qt_to text := '@TO@';
    tag text := 'fold1 ' || md5(qt_from || qt_to);
    known jsonb;
    found jsonb;
    coll text;
    fix_from text;
    fix_to text;
    risky text;
    body text;
BEGIN
    FOR known IN SELECT d.description::jsonb FROM pg_description d JOIN pg_proc p ON p.oid = d.objoid
            WHERE d.classoid = 'pg_proc'::regclass AND p.proname = 'fold' AND d.description LIKE '{%' || tag || '%}'
            ORDER BY p.pronamespace = current_schema()::regnamespace DESC LOOP
        IF known ->> 'tag' = tag AND EXISTS(SELECT 1 FROM pg_collation c WHERE c.collname = known ->> 'collation'
                AND coalesce(pg_collation_actual_version(c.oid), '') = known ->> 'version') THEN
            found := known;
            EXIT;
        END IF;
    END LOOP;
    IF found IS NULL AND current_setting('server_encoding') = 'UTF8' THEN
        SELECT c.collname INTO coll FROM pg_collation c WHERE c.collprovider = 'c'
            AND c.collname IN ('C.utf8', 'C.UTF-8', 'C.UTF8') AND c.collencoding IN (-1, pg_char_to_encoding('UTF8'))
            ORDER BY c.collname LIMIT 1;
        IF coll IS NOT NULL THEN
            EXECUTE format($q$
                WITH qt AS (SELECT f.c, t.c AS want FROM unnest(string_to_array($1, NULL)) WITH ORDINALITY f(c, i)
                        JOIN unnest(string_to_array($2, NULL)) WITH ORDINALITY t(c, i) USING (i)),
                    codes AS (SELECT greatest(b * 4096, 1) AS first, b * 4096 + 4095 AS last FROM generate_series(0, 271) b),
                    changed AS (SELECT k.first, k.last FROM codes k, LATERAL (SELECT string_agg(chr(n), '') AS s
                        FROM generate_series(k.first, k.last) n WHERE n NOT BETWEEN 55296 AND 57343) x
                        WHERE lower(x.s COLLATE %1$I) <> x.s),
                    lowered AS (SELECT chr(n) AS c FROM changed k, generate_series(k.first, k.last) n
                        WHERE n NOT BETWEEN 55296 AND 57343 AND lower(chr(n) COLLATE %1$I) <> chr(n)),
                    considered AS (SELECT c FROM lowered UNION SELECT c FROM qt),
                    pairs AS (SELECT k.c, lower(k.c COLLATE %1$I) AS got, coalesce(q.want, k.c) AS want
                        FROM considered k LEFT JOIN qt q USING (c)),
                    every AS (SELECT c, got, want FROM pairs UNION SELECT p.got, p.got, p.got FROM pairs p
                        WHERE char_length(p.got) = 1 AND p.got NOT IN (SELECT c FROM considered)),
                    chosen AS (SELECT got, (array_agg(want ORDER BY c = got DESC, c COLLATE "C"))[1] AS fix FROM every
                        WHERE char_length(got) = 1 GROUP BY got)
                SELECT coalesce((SELECT string_agg(got, '' ORDER BY got COLLATE "C") FROM chosen WHERE fix <> got), ''),
                    coalesce((SELECT string_agg(fix, '' ORDER BY got COLLATE "C") FROM chosen WHERE fix <> got), ''),
                    coalesce((SELECT string_agg(e.c, '' ORDER BY e.c COLLATE "C") FROM every e LEFT JOIN chosen h
                        USING (got) WHERE h.fix IS DISTINCT FROM e.want), '')$q$, coll)
                USING 'ABCDEFGHIJKLMNOPQRSTUVWXYZ' || qt_from, 'abcdefghijklmnopqrstuvwxyz' || qt_to
                INTO fix_from, fix_to, risky;
            found := jsonb_build_object('tag', tag, 'collation', coll, 'from', fix_from, 'to', fix_to, 'risky', risky,
                'version', (SELECT coalesce(pg_collation_actual_version(c.oid), '') FROM pg_collation c
                            WHERE c.collname = coll));
        END IF;
    END IF;
    body := format('SELECT translate(lower(t COLLATE "C"), %L, %L)', qt_from, qt_to);
    IF found IS NOT NULL THEN
        body := format('SELECT CASE WHEN octet_length(t) = char_length(t) THEN lower(t COLLATE "C") %s'
            'ELSE translate(lower(t COLLATE %I) COLLATE "C", %L, %L) END',
            CASE WHEN found ->> 'risky' = '' THEN '' ELSE format('WHEN translate(t, %L, '''') <> t THEN '
                'translate(lower(t COLLATE "C"), %L, %L) ', found ->> 'risky', qt_from, qt_to) END,
            found ->> 'collation', found ->> 'from', found ->> 'to');
    END IF;
    EXECUTE format('CREATE OR REPLACE FUNCTION fold(t text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS %L',
        body);
    EXECUTE format('COMMENT ON FUNCTION fold(text) IS %L', coalesce(found::text, ''));
END
$do$)SQL")
        .replace(QStringLiteral("@FROM@"), from)
        .replace(QStringLiteral("@TO@"), to);
}

} // namespace

QStringList engineFunctions()
{
    return {
        foldDefinition(),
        QStringLiteral("CREATE OR REPLACE AGGREGATE total(double precision) "
                       "(sfunc = float8pl, stype = double precision, initcond = '0')"),
        QStringLiteral("CREATE OR REPLACE FUNCTION instr(t text, part text) RETURNS bigint LANGUAGE sql "
                       "IMMUTABLE STRICT AS $f$ SELECT strpos(t, part)::bigint $f$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION round(v double precision, places integer) RETURNS double "
                       "precision LANGUAGE sql IMMUTABLE STRICT AS $f$ SELECT round(v::numeric, places)::double "
                       "precision $f$"),
        // A row given no id takes the highest id + 1, as on the file; the write lock
        // keeps two PCs from taking the same one.
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_row_id() RETURNS trigger LANGUAGE plpgsql AS $f$ "
                       "DECLARE next bigint; BEGIN "
                       "IF (to_jsonb(NEW) ->> TG_ARGV[0]) IS NULL THEN "
                       "PERFORM pg_advisory_xact_lock(%1, hashtext(current_schema())); "
                       "EXECUTE format('SELECT coalesce(max(%I), 0) + 1 FROM %I.%I', TG_ARGV[0], "
                       "TG_TABLE_SCHEMA, TG_TABLE_NAME) INTO next; "
                       "NEW := jsonb_populate_record(NEW, jsonb_build_object(TG_ARGV[0], next)); "
                       "END IF; "
                       "PERFORM set_config('tarnwick.last_row_id', to_jsonb(NEW) ->> TG_ARGV[0], false); "
                       "RETURN NEW; END $f$")
            .arg(kWriteLock),
        // Numbers are cut towards zero and held within range; texts give their leading number.
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_integer(t text) RETURNS bigint LANGUAGE sql IMMUTABLE "
                       "STRICT AS $f$ SELECT least(greatest(coalesce(substring(t FROM '^\\s*([-+]?[0-9]+)'), '0')::numeric, "
                       "-9223372036854775808), 9223372036854775807)::bigint $f$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_integer(v double precision) RETURNS bigint LANGUAGE sql "
                       "IMMUTABLE STRICT AS $f$ SELECT CASE WHEN v <> v THEN 0 ELSE least(greatest(trunc(v)::numeric, "
                       "-9223372036854775808), 9223372036854775807)::bigint END $f$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_integer(v bigint) RETURNS bigint LANGUAGE sql IMMUTABLE "
                       "STRICT AS $f$ SELECT v $f$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_real(t text) RETURNS double precision LANGUAGE sql "
                       "IMMUTABLE STRICT AS $f$ SELECT coalesce(substring(t FROM "
                       "'^\\s*([-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]+)?)')::double precision, 0) $f$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_real(v double precision) RETURNS double precision "
                       "LANGUAGE sql IMMUTABLE STRICT AS $f$ SELECT v $f$"),
        // stored_amount() as on the file: the usual text ("1234.5") straight away, any
        // other through the reader's rules (blanks around it, a leading sign, an
        // exponent); NULL for what does not read or does not fit a double.
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_stored_amount(t text) RETURNS double precision "
                       "LANGUAGE plpgsql IMMUTABLE STRICT PARALLEL SAFE AS $f$ DECLARE n text := substring(t FROM "
                       "'^[%1]*([-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]+)?)[%1]*$'); BEGIN "
                       "IF n IS NULL THEN RETURN NULL; END IF; RETURN n::double precision; "
                       "EXCEPTION WHEN numeric_value_out_of_range THEN RETURN NULL; END $f$")
            .arg(QStringLiteral("\\t\\n\\v\\f\\r \\u0085\\u00a0\\u1680\\u2000-\\u200a\\u2028\\u2029\\u202f"
                                "\\u205f\\u3000")),
        // Not STRICT, which would keep the server from folding the body into the
        // statement that calls it; a NULL gives NULL all the same. The usual text is
        // told by a pattern without counted repeats, which cost the server more than
        // the rest of a total; up to 300 characters it always fits a double.
        QStringLiteral("CREATE OR REPLACE FUNCTION stored_amount(t text) RETURNS double precision LANGUAGE sql "
                       "IMMUTABLE PARALLEL SAFE AS $f$ SELECT CASE WHEN octet_length(t) <= 300 AND "
                       "t ~ '^-?[0-9]+(\\.[0-9]*)?$' THEN t::double precision ELSE tarnwick_stored_amount(t) END $f$"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS tarnwick_pragma(name text PRIMARY KEY, value bigint NOT NULL)"),
        expressionStatistics(),
        QStringLiteral("CREATE OR REPLACE FUNCTION printf(form text, v double precision) RETURNS text LANGUAGE sql "
                       "IMMUTABLE STRICT AS $f$ SELECT round(v::numeric, coalesce(substring(form FROM "
                       "'%\\.([0-9]+)f')::int, 6))::text $f$"),
        // The file's group_concat(), which skips NULLs and reads any value as text.
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_concat(acc text, v anyelement, sep text) RETURNS text "
                       "LANGUAGE sql IMMUTABLE AS $f$ SELECT CASE WHEN v IS NULL THEN acc WHEN acc IS NULL THEN "
                       "v::text ELSE acc || sep || v::text END $f$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION tarnwick_concat(acc text, v anyelement) RETURNS text "
                       "LANGUAGE sql IMMUTABLE AS $f$ SELECT tarnwick_concat(acc, v, ',') $f$"),
        QStringLiteral("CREATE OR REPLACE AGGREGATE group_concat(anyelement, text) "
                       "(SFUNC = tarnwick_concat, STYPE = text)"),
        QStringLiteral("CREATE OR REPLACE AGGREGATE group_concat(anyelement) (SFUNC = tarnwick_concat, STYPE = text)"),
        // The file's catalogue of tables and indexes, so a query that lists them
        // reads the same on both engines.
        QStringLiteral("CREATE OR REPLACE VIEW sqlite_master AS SELECT CASE c.relkind WHEN 'r' THEN 'table' "
                       "ELSE 'index' END AS type, coalesce(obj_description(c.oid, 'pg_class'), c.relname::text) AS name, "
                       "0 AS rootpage, CASE c.relkind WHEN 'i' THEN replace(pg_get_indexdef(c.oid), "
                       "' ON ' || current_schema() || '.', ' ON ') END AS sql FROM pg_class c "
                       "WHERE c.relnamespace = current_schema()::regnamespace AND c.relkind IN ('r', 'i') AND c.relname NOT LIKE "
                       "'tarnwick\\_%' AND c.relname NOT LIKE '%\\_pkey' "
                       // As on the file, the index behind a key or UNIQUE has no SQL of its own to list.
                       "AND NOT EXISTS (SELECT 1 FROM pg_constraint k WHERE k.conindid = c.oid AND k.contype IN ('p', 'u'))"),
    };
}

} // namespace PgSql
