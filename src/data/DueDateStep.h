#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step level 9: every document keeps the date it is due in
/// strDueDateStored (the due date the user set, otherwise the one its date and
/// terms give), so lists can order, page and total by it in the database. The
/// column is filled here for the documents already stored and written with every
/// save from then on.
namespace DueDateStep {

inline constexpr int kLevel = 9;

void storeDueDates(Database &db, const SchemaUpgrade::UpgradeContext &context, SchemaUpgrade::UpgradeReport &report);

} // namespace DueDateStep
