#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step level 1: dates, date-times and amounts that older versions stored as
/// texts in the user's locale are rewritten in their stored form (StoredForm). Old
/// texts are read in the context's locale, the one they were most likely written in,
/// then in the ISO and C forms; a text that reads neither way is kept as it was and
/// named in the report.
namespace StorageFormUpgrade {

inline constexpr int kLevel = 1;

void pConvertStoredTexts(Database &db, const SchemaUpgrade::UpgradeContext &context,
                         SchemaUpgrade::UpgradeReport &report);

} // namespace StorageFormUpgrade
