#include "SchemaUpgrade.h"

#include "BackupRestore.h"
#include "Database.h"
#include "PaymentsStep.h"
#include "PostingRuleStep.h"
#include "RowVersionStep.h"
#include "StorageFormUpgrade.h"
#include "UpgradeCustomerEmail.h"

#include <QDir>
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
        {StorageFormUpgrade::kLevel, StorageFormUpgrade::pConvertStoredTexts},
        {3, addCustomerEmail},
        {PostingRuleStep::kLevel, PostingRuleStep::markPostingsBeforeCents},
        {PaymentsStep::kLevel, PaymentsStep::addPaymentsAndLinks},
        {RowVersionStep::kLevel, RowVersionStep::addRowVersions},
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

QString UpgradeReport::unreadNotice() const
{
    constexpr int kShown = 20;
    QStringList lines = unreadValues.mid(0, kShown);
    if (unreadValues.size() > kShown)
        lines << QStringLiteral("... and %1 more.").arg(unreadValues.size() - kShown);
    return QStringLiteral("The company database was brought up to date. These stored values could not be read as "
                          "dates, times or amounts and were kept exactly as they were; please check them:\n\n%1\n\n"
                          "A copy of the database as it was is kept in \"%2\".")
        .arg(lines.join(QLatin1Char('\n')), QDir::toNativeSeparators(safetyCopyPath));
}

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
