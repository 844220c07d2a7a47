#include "ProgressStep.h"

#include "Database.h"

namespace ProgressStep {

void addProgressTables(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    // Amounts are REAL in currency units like every stored amount; each is a whole
    // number of cents when written.
    db.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS tblProgressSchedule(intScheduleItemID INTEGER PRIMARY KEY,"
        "intJobID INTEGER NOT NULL,intSourceInvNumber INTEGER NOT NULL,intSourceLine INTEGER NOT NULL,"
        "strItemDescription TEXT NOT NULL DEFAULT '',dbLaborValue REAL NOT NULL DEFAULT 0,"
        "dbMaterialValue REAL NOT NULL DEFAULT 0,strLaborTaxed TEXT NOT NULL DEFAULT '0',"
        "strMaterialTaxed TEXT NOT NULL DEFAULT '0',UNIQUE(intJobID,intSourceInvNumber,intSourceLine))"));
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tblProgressJobs(intJobID INTEGER PRIMARY KEY,"
                           "dbRetainagePercent REAL NOT NULL DEFAULT 0)"));
    db.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS tblProgressBilled(intInvNumber INTEGER NOT NULL,"
        "intScheduleItemID INTEGER NOT NULL,dbCompletedToDate REAL NOT NULL DEFAULT 0,"
        "PRIMARY KEY(intInvNumber,intScheduleItemID))"));
    db.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS tblProgressInvoices(intInvNumber INTEGER PRIMARY KEY,intJobID INTEGER NOT NULL,"
        "dbWorkCompleted REAL NOT NULL DEFAULT 0,dbLaborWork REAL NOT NULL DEFAULT 0,dbRetainage REAL NOT NULL DEFAULT 0,"
        "dbRetainageReleased REAL NOT NULL DEFAULT 0,dbDepositsApplied REAL NOT NULL DEFAULT 0,"
        "dbTax1 REAL NOT NULL DEFAULT 0,dbTax2 REAL NOT NULL DEFAULT 0,dbTax3 REAL NOT NULL DEFAULT 0,"
        "dbLaborTax1 REAL NOT NULL DEFAULT 0,dbLaborTax2 REAL NOT NULL DEFAULT 0,dbLaborTax3 REAL NOT NULL DEFAULT 0)"));
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxProgressInvoicesJob ON tblProgressInvoices(intJobID)"));
}

} // namespace ProgressStep
