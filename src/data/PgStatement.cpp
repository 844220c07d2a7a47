#include "PgStatement.h"

#include "PgSql.h"

#include <QRegularExpression>
#include <libpq-fe.h>

namespace {

// Type numbers of the server's built-in types.
constexpr Oid kBool = 16;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr bool isNumberType(Oid type)
{
    return type == 20 || type == 21 || type == 23 || type == kFloat4 || type == kFloat8 || type == 1700;
}

int parameterCount(const QString &sql)
{
    static const QRegularExpression placeholder(QStringLiteral("\\$(\\d+)"));
    int count = 0;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(sql))
        count = std::max(count, m.captured(1).toInt());
    return count;
}

} // namespace

PgStatement::PgStatement(PgConnection &c, const QString &sql)
    : connection(c)
    , shownSql(sql)
    , translated(PgSql::translate(sql))
{
    values.resize(translated.isEmpty() ? 0 : parameterCount(translated.first()));
}

PgStatement::~PgStatement()
{
    PQclear(result);
}

void PgStatement::bind(int index, PgConnection::Value value)
{
    if (index < 1 || index > int(values.size()))
        return; // as on the file, a value for no parameter is refused by the caller's test, not here
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
    for (PgConnection::Value &value : values)
        value = {};
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
