#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

/// The company's tables on the office server as a company file creates them, read
/// from the server's own catalogue: a copy of the server then holds them as they are,
/// whatever level the company is at, and upgrades like any older file.
namespace ServerLayout {

struct Table
{
    /// As the stores spell it.
    QString name;
    /// CREATE TABLE in the file's dialect.
    QString createSql;
    QStringList columns;
};

/// Every table of the company in the connection's schema, the engine's own left out.
[[nodiscard]] QList<Table> tables(Database &server);

/// CREATE INDEX, in the file's dialect, for every index of the company's tables that
/// no key or UNIQUE makes.
[[nodiscard]] QStringList indexes(Database &server);

/// An expression as the server prints it (a default, a check, an index's columns or
/// WHERE) as the file reads it: no casts or collations, LIKE for its operators.
[[nodiscard]] QString fileExpression(const QString &serverText);

} // namespace ServerLayout
