#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step level 1: dates, date-times and amounts that older versions stored as
/// texts in the desktop language's form are rewritten in their stored form
/// (StoredForm), every one read by the one form decided for the whole file. A text
/// that does not read is kept as it was, named in the report and noted in
/// tblUnreadValues, so the file says itself what was not converted.
namespace StorageFormUpgrade {

inline constexpr int kLevel = 1;

void pConvertStoredTexts(Database &db, const SchemaUpgrade::UpgradeContext &context,
                         SchemaUpgrade::UpgradeReport &report);

} // namespace StorageFormUpgrade
