#include "SchemaUpgrade.h"

#include "BackupRestore.h"
#include "Database.h"
#include "UpgradeCustomerEmail.h"

#include <QFileInfo>
#include <functional>
#include <vector>

namespace SchemaUpgrade {

namespace {

using StepFunction = std::function<void(Database &, const UpgradeContext &, UpgradeReport &)>;

// Each step takes a file from the level before it to its own level. Steps run in
// order inside one transaction and must only add to the file: new tables, new
// columns, stored texts rewritten into their current form.
struct Step
{
    int level;
    StepFunction run;
};

const std::vector<Step> &steps()
{
    static const std::vector<Step> all = {
        // Levels 1 and 2 come from the storage-form and payments work on other branches.
        {3, addCustomerEmail},
    };
    return all;
}

void createLevelTable(Database &db)
{
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tblSchemaLevel ("
                           "intSchemaLevelId INTEGER PRIMARY KEY CHECK (intSchemaLevelId = 1), "
                           "intSchemaLevel INTEGER NOT NULL)"));
}

void storeLevel(Database &db, int level)
{
    createLevelTable(db);
    db.prepare(QStringLiteral("INSERT INTO tblSchemaLevel (intSchemaLevelId, intSchemaLevel) VALUES (1, ?) "
                              "ON CONFLICT (intSchemaLevelId) DO UPDATE SET intSchemaLevel = excluded.intSchemaLevel"))
        .bindAll(level)
        .run();
}

} // namespace

int currentLevel()
{
    return steps().empty() ? 0 : steps().back().level;
}

int schemaLevel(Database &db)
{
    if (!db.tableExists(QStringLiteral("tblSchemaLevel")))
        return 0;
    return int(db.queryInt(QStringLiteral("SELECT intSchemaLevel FROM tblSchemaLevel WHERE intSchemaLevelId = 1")));
}

void applyMissingSteps(Database &db, const UpgradeContext &context, UpgradeReport &report)
{
    for (const Step &step : steps()) {
        if (step.level > report.fromLevel)
            step.run(db, context, report);
    }
    storeLevel(db, currentLevel());
    report.toLevel = currentLevel();
}

QString safetyCopyPath(const QString &databasePath, int fromLevel)
{
    return databasePath + QStringLiteral(".before-upgrade-%1").arg(fromLevel);
}

UpgradeReport pUpgradeDataBase(const QString &path, const UpgradeContext &context)
{
    UpgradeReport report;
    {
        Database db(path);
        report.fromLevel = schemaLevel(db);
    }
    report.toLevel = report.fromLevel;
    if (report.fromLevel >= currentLevel())
        return report;

    // A copy of the file exactly as the older version left it, kept beside it.
    report.safetyCopyPath = safetyCopyPath(path, report.fromLevel);
    if (!QFileInfo::exists(report.safetyCopyPath))
        BackupRestore::copyDatabaseFile(path, report.safetyCopyPath);

    Database db(path);
    Transaction transaction = db.transaction();
    applyMissingSteps(db, context, report);
    transaction.commit();
    return report;
}

} // namespace SchemaUpgrade
