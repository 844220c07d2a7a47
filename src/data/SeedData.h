#pragma once

#include <QDate>
#include <QLocale>
#include <QStringList>

class Database;
class Edition;

/// The tables of a new database and the rows it starts with.
namespace SeedData {

/// CREATE TABLE statements, in creation order, in the layouts of \a edition.
[[nodiscard]] QStringList createStatements(const Edition &edition);

/// Inserts the seed rows. Planner samples are dated from \a today.
void insertSeedRows(Database &db, const Edition &edition, QDate today);

} // namespace SeedData
