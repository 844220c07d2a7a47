#pragma once

#include "SchemaUpgrade.h"

namespace SchemaUpgrade {

/// Gives every customer an e-mail address column, empty for the customers already
/// there. A file that has the column already is left as it is.
void addCustomerEmail(Database &db, const UpgradeContext &context, UpgradeReport &report);

} // namespace SchemaUpgrade
