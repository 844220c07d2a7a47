#include "PgStatement.h"

#include "PgSql.h"

#include <QRegularExpression>
#include <libpq-fe.h>

namespace {

// Type numbers of the server's built-in types.
constexpr Oid kBool = 16;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kText = 25;
constexpr bool isNumberType(Oid type)
{
    return type == 20 || type == 21 || type == 23 || type == kFloat4 || type == kFloat8 || type == 1700;
}

/// Per parameter up to the highest number used, whether the statement skips it
/// (one half of a shared set left out): the server cannot find its type from where
/// it stands.
std::vector<bool> skippedParameters(const QString &sql)
{
    static const QRegularExpression placeholder(QStringLiteral("\\$(\\d+)"));
    std::vector<bool> used;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(sql)) {
        const auto number = size_t(m.captured(1).toInt());
        if (number > used.size())
            used.resize(number);
        if (number > 0)
            used[number - 1] = true;
    }
    used.flip();
    return used;
}

} // namespace

PgStatement::PgStatement(PgConnection &c, const QString &sql)
    : connection(c)
    , shownSql(sql)
    , translated(PgSql::translate(sql))
{
    if (!translated.isEmpty())
        skipped = skippedParameters(translated.first());
    values.resize(skipped.size());
    reset();
}

PgStatement::~PgStatement()
{
    PQclear(result);
}

void PgStatement::bind(int index, PgConnection::Value value)
{
    if (index < 1 || index > int(values.size()))
        return; // as on the file, a value for no parameter is refused by the caller's test, not here
    if (skipped[size_t(index - 1)])
        value.type = kText;
    values[size_t(index - 1)] = std::move(value);
}

void PgStatement::ensureRun()
{
    if (result || translated.isEmpty())
        return;
    result = connection.run(translated.first(), values, shownSql);
    for (qsizetype i = 1; i < translated.size(); ++i)
        connection.runPlain(translated[i]);
    row = -1;
}

bool PgStatement::step()
{
    if (translated.isEmpty())
        return false;
    ensureRun();
    if (row + 1 < PQntuples(result)) {
        ++row;
        return true;
    }
    row = PQntuples(result);
    return false;
}

void PgStatement::reset()
{
    PQclear(result);
    result = nullptr;
    row = -1;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = {std::nullopt, skipped[i] ? kText : 0};
}

bool PgStatement::isNull(int column) const
{
    return !result || row < 0 || row >= PQntuples(result) || column >= PQnfields(result)
        || PQgetisnull(result, row, column);
}

QByteArray PgStatement::value(int column) const
{
    if (isNull(column))
        return {};
    QByteArray text(PQgetvalue(result, row, column), PQgetlength(result, row, column));
    const Oid type = PQftype(result, column);
    if (type == kBool)
        return text == "t" ? "1" : "0";
    // The file gives a whole REAL as "5.0"; so does the server.
    if ((type == kFloat8 || type == kFloat4) && !text.contains('.') && !text.contains('e') && !text.contains('N')
        && !text.contains('I'))
        text += ".0";
    return text;
}

bool PgStatement::isNumber(int column) const
{
    return !isNull(column) && isNumberType(PQftype(result, column));
}

int PgStatement::columnCount()
{
    ensureRun();
    return result ? PQnfields(result) : 0;
}

QString PgStatement::columnName(int column)
{
    ensureRun();
    if (!result)
        return {};
    return connection.spelling(QString::fromUtf8(PQfname(result, column)));
}
