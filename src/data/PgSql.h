#pragma once

#include <QString>
#include <QStringList>

/// The SQL the stores write, as the office server's engine reads it. The stores keep
/// one text where both engines agree; what differs (placeholders, column types, row
/// ids, case-insensitive LIKE, compaction) is rewritten here and nowhere else.
namespace PgSql {

/// Splits a script into its statements at semicolons outside quotes and comments.
[[nodiscard]] QStringList splitStatements(const QString &script);

/// One statement in the server's dialect, followed by any statements it needs after
/// it (a new table's row-id trigger and the original spelling of its column names).
/// An empty list means the statement has nothing to do on the server (VACUUM).
[[nodiscard]] QStringList translate(const QString &statement);

/// Statements that give the server the functions the stores' SQL relies on: fold()
/// (folding every letter exactly as the program does), total(), instr(), round() of
/// a double, and the row-id trigger. Run once when a company's tables are made.
[[nodiscard]] QStringList engineFunctions();

/// The lock every writer takes first, so writes follow one another as they do on the
/// file: numbers stay gap-free and a version check cannot be overtaken.
inline constexpr qint32 kWriteLock = 0x5461726e; // arbitrary, fixed for the program

/// The statement taking that lock for the company in the connection's schema; two
/// companies in one database do not wait for each other.
[[nodiscard]] QString takeWriteLock();

/// An expression giving the channel on which commits to the company in the
/// connection's schema are announced.
[[nodiscard]] QString changesChannel();

} // namespace PgSql
