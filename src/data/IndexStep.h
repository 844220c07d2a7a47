#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step level 7: every file gets the indexes a new file has, the unique
/// document number among them. Older files built before those indexes may hold two
/// documents under one number (two copies of the program handed it out twice); the
/// later of them gets the next free number and is named in the report, so nothing
/// is dropped and the number is unique from then on.
namespace IndexStep {

inline constexpr int kLevel = 7;

void addIndexes(Database &db, const SchemaUpgrade::UpgradeContext &context, SchemaUpgrade::UpgradeReport &report);

/// Level 8: the partial indexes Receivables reads its rows through.
inline constexpr int kReceivablesLevel = 8;

void addReceivablesIndexes(Database &db, const SchemaUpgrade::UpgradeContext &context,
                           SchemaUpgrade::UpgradeReport &report);

/// Level 11: the receivables list reads invoices and notices alone, by due date and
/// by document date, through indexes that hold no other kind; the due-date index
/// that held every unpaid kind goes.
inline constexpr int kOwedIndexesLevel = 11;

void addOwedIndexes(Database &db, const SchemaUpgrade::UpgradeContext &context, SchemaUpgrade::UpgradeReport &report);

} // namespace IndexStep
