#include "RowVersionStep.h"

#include "Database.h"

namespace RowVersionStep {

void addRowVersions(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    const QString column = QString::fromLatin1(kColumn);
    for (const char *table : {"tblInvHeader", "tblCustomers", "tblPrices"}) {
        const QString name = QString::fromLatin1(table);
        // Some editions keep no customers or prices of their own.
        if (db.tableExists(name) && !db.columnExists(name, column))
            db.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER NOT NULL DEFAULT 0").arg(name, column));
    }
}

} // namespace RowVersionStep
