#pragma once

#include <QString>
#include <QStringList>

/// Statement pieces made from a column list, so the number of "?" always follows
/// the columns they belong to.
namespace SqlColumns {

/// "?,?,?" for \a count values.
[[nodiscard]] inline QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

/// "a,b,c" -> "(a,b,c)VALUES(?,?,?)" for an INSERT into \a columns.
[[nodiscard]] inline QString insertList(const QStringList &columns)
{
    return QStringLiteral("(%1)VALUES(%2)").arg(columns.join(QLatin1Char(',')), placeholders(columns.size()));
}

/// "a = ?,b = ?" for an UPDATE of \a columns.
[[nodiscard]] inline QString assignments(const QStringList &columns)
{
    QStringList parts;
    for (const QString &column : columns)
        parts << column + QStringLiteral(" = ?");
    return parts.join(QLatin1Char(','));
}

} // namespace SqlColumns
