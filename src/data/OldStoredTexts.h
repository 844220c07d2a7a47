#pragma once

#include <QList>
#include <QString>

class Database;

/// The dates, date-times and amounts older versions stored as texts in the form of
/// the desktop language they ran under, before one stored form was kept.
namespace OldStoredTexts {

enum class Kind { Date, DateTime, Decimal, Currency, Quantity };

struct Column
{
    QString table;
    QString column;
    /// SQL naming the row for the user ("Document 512").
    QString rowName;
    Kind kind;
    /// What the user calls the value ("date").
    QString caption;
    /// For an end of a span, the column of its start, which it must not precede.
    QString startColumn = {};

    /// The column that tells the table's rows apart on either engine (the server
    /// has no stable row number).
    [[nodiscard]] QString key() const;
};

/// Every such column of every edition's layout.
[[nodiscard]] const QList<Column> &columns();

struct Text
{
    const Column *column;
    /// The row's key().
    qint64 rowId;
    QString rowName;
    QString text;
};

/// The non-empty texts of these columns that \a db holds, in the order of columns(),
/// but for quantities already in C form, which read alike in every form.
[[nodiscard]] QList<Text> readAll(Database &db);

} // namespace OldStoredTexts
