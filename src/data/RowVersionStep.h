#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step: a version on every row that two copies of the program may both
/// edit (documents, customers, prices). Each save adds one to it and writes only
/// when the row still has the version it was read with, so a save never replaces
/// what another copy stored meanwhile. Rows already there start at 0.
namespace RowVersionStep {

inline constexpr int kLevel = 6;

/// The column every versioned table gets.
inline constexpr char kColumn[] = "intRowVersion";

void addRowVersions(Database &db, const SchemaUpgrade::UpgradeContext &context, SchemaUpgrade::UpgradeReport &report);

} // namespace RowVersionStep
