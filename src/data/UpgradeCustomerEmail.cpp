#include "UpgradeCustomerEmail.h"

#include "Database.h"

namespace SchemaUpgrade {

void addCustomerEmail(Database &db, const UpgradeContext &, UpgradeReport &)
{
    if (db.queryInt(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('tblCustomers') "
                                   "WHERE name = 'strCustEmail'"))
        > 0)
        return;
    db.exec(QStringLiteral("ALTER TABLE tblCustomers ADD COLUMN strCustEmail TEXT NOT NULL DEFAULT ''"));
}

} // namespace SchemaUpgrade
