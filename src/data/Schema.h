#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

class Database;
class Edition;
class SavingIndicator;

namespace Schema {

/// PRAGMA application_id of every database this program makes ("TWKI").
inline constexpr qint32 kApplicationId = 0x54574B49;

/// Builds the edition's database with all its tables and seed rows at \a path.
/// The file is built in one transaction under a temporary name and renamed into
/// place only when complete, so a failed build leaves nothing behind and the next
/// start builds again. Throws DbError naming the path and the engine's reason.
void pBuildDataBase(const QString &path, const Edition &edition, QDate today, const QLocale &locale,
                    SavingIndicator &saving);

/// Whether the company database at \a path is there: the file, or the company's
/// tables on the office server that stands in for it.
[[nodiscard]] bool databaseExists(const QString &path);

/// Creates the tables and seed rows on \a db (inside the caller's transaction).
void createTablesAndSeed(Database &db, const Edition &edition, QDate today, const QLocale &locale);

/// Refuses a file that is not a database of this program for this edition: a zero-byte
/// file, a foreign file or another edition's database. Throws DbError saying why.
void verifyDatabaseFile(const QString &path, const Edition &edition);

} // namespace Schema
