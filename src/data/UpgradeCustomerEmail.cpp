#include "UpgradeCustomerEmail.h"

#include "Database.h"

namespace SchemaUpgrade {

void addCustomerEmail(Database &db, const UpgradeContext &, UpgradeReport &)
{
    if (db.columnExists(QStringLiteral("tblCustomers"), QStringLiteral("strCustEmail")))
        return;
    db.exec(QStringLiteral("ALTER TABLE tblCustomers ADD COLUMN strCustEmail TEXT NOT NULL DEFAULT ''"));
}

} // namespace SchemaUpgrade
