#include "SchemaUpgrade.h"

#include "BackupRestore.h"
#include "Database.h"
#include "DueDateStep.h"
#include "FileError.h"
#include "IndexStep.h"
#include "OfficeServer.h"
#include "PaymentsStep.h"
#include "PostingRuleStep.h"
#include "ProgressStep.h"
#include "RowVersionStep.h"
#include "StorageFormUpgrade.h"
#include "UpgradeCustomerEmail.h"
#include "UpgradeQuestions.h"
#include "core/Edition.h"
#include "core/Prompts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <functional>
#include <sqlite3.h>
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
        {IndexStep::kLevel, IndexStep::addIndexes},
        {IndexStep::kReceivablesLevel, IndexStep::addReceivablesIndexes},
        {DueDateStep::kLevel, DueDateStep::storeDueDates},
        {ProgressStep::kLevel, ProgressStep::addProgressTables},
        {IndexStep::kOwedIndexesLevel, IndexStep::addOwedIndexes},
    };
    return all;
}

const QString kSafetyFolderPrefix = QStringLiteral("before-upgrade-");

void storeLevel(Database &db, int level)
{
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tblSchemaLevel ("
                           "intSchemaLevelId INTEGER PRIMARY KEY CHECK (intSchemaLevelId = 1), "
                           "intSchemaLevel INTEGER NOT NULL)"));
    // Which version wrote the level, so a later refusal can name it.
    if (!db.columnExists(QStringLiteral("tblSchemaLevel"), QStringLiteral("strProgramVersion")))
        db.exec(QStringLiteral("ALTER TABLE tblSchemaLevel ADD COLUMN strProgramVersion TEXT NOT NULL DEFAULT ''"));
    db.prepare(QStringLiteral("INSERT INTO tblSchemaLevel (intSchemaLevelId, intSchemaLevel, strProgramVersion) "
                              "VALUES (1, ?, ?) ON CONFLICT (intSchemaLevelId) DO UPDATE SET "
                              "intSchemaLevel = excluded.intSchemaLevel, strProgramVersion = excluded.strProgramVersion"))
        .bindAll(level, Product::versionText())
        .run();
}

/// A dated folder beside the database holding a copy named like it, so Restore takes it.
/// \a write writes the copy to the path it is given.
template<typename Write>
QString makeSafetyCopy(const QString &path, Write write)
{
    const QFileInfo live(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString folder = live.dir().filePath(kSafetyFolderPrefix + stamp);
    for (int sequence = 2; QFileInfo::exists(folder); ++sequence)
        folder = live.dir().filePath(kSafetyFolderPrefix + stamp + QStringLiteral("-%1").arg(sequence));
    if (!QDir().mkpath(folder))
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("The folder \"%1\" for a safety copy cannot be made.")
                                           .arg(QDir::toNativeSeparators(folder)));
    const QString copy = QDir(folder).filePath(live.fileName());
    try {
        write(copy);
    } catch (...) {
        QDir(folder).removeRecursively();
        throw;
    }
    return copy;
}

/// The copy of a company on the office server, taken under the lock \a db holds. The
/// server's words alone would not say that the upgrade stopped, or that nothing changed.
QString makeServerSafetyCopy(Database &db)
{
    const auto refused = [&](int code, const QString &reason) {
        return DbError(code, QStringLiteral("The company database was not brought up to date, because the copy of it "
                                            "as it is could not be written beside \"%1\": %2\n\nNothing was changed.")
                                 .arg(QDir::toNativeSeparators(db.path()), reason));
    };
    try {
        return makeSafetyCopy(db.path(), [&](const QString &copy) { BackupRestore::copyServerCompany(db, copy); });
    } catch (const DbError &error) {
        throw refused(error.code(), error.message());
    } catch (const FileError &error) {
        throw refused(SQLITE_CANTOPEN, error.message());
    }
}

/// Removes a safety copy with its dated folder.
void removeSafetyCopy(const QString &copy)
{
    if (copy.isEmpty())
        return;
    QDir(QFileInfo(copy).absolutePath()).removeRecursively();
}

void dropOldSafetyCopies(const QString &path)
{
    const QStringList copies = safetyCopyPaths(path);
    for (qsizetype i = kSafetyCopies; i < copies.size(); ++i)
        removeSafetyCopy(copies.at(i));
}

/// Reads every old text of the file at \a path and decides how they were written.
std::optional<WritingForm> decideForm(const QString &path, const QLocale &locale, Prompts &prompts,
                                      Occasion occasion, QDate today, bool &declined)
{
    QList<OldStoredTexts::Text> texts;
    {
        Database db(path, Database::OpenMode::ReadOnly);
        texts = OldStoredTexts::readAll(db);
    }
    const FormDecision decision = decideWritingForm(texts, locale, today);
    const QString leave = occasion == Occasion::StartUp ? QStringLiteral("quits the program")
                                                        : QStringLiteral("cancels the restore");
    const std::optional<FileReading> chosen = UpgradeQuestions::chooseReading(decision, texts, prompts, locale, leave);
    declined = !chosen;
    if (!chosen)
        return std::nullopt;
    return chosen->form;
}

} // namespace

QString UpgradeReport::notice(const Edition &edition) const
{
    constexpr int kShown = 20;
    QStringList parts{QStringLiteral("The company database was brought up to date for this version of the program.")};
    if (!unreadValues.isEmpty()) {
        QStringList lines = unreadValues.mid(0, kShown);
        if (unreadValues.size() > kShown)
            lines << QStringLiteral("... and %1 more.").arg(unreadValues.size() - kShown);
        parts << QStringLiteral("These stored values could not be read as dates, times or amounts and were kept "
                                "exactly as they were; the documents concerned ask for them when opened:\n\n%1")
                     .arg(lines.join(QLatin1Char('\n')));
    }
    if (!renumbered.isEmpty())
        parts << renumbered.join(QLatin1Char('\n'));
    if (!safetyCopyPath.isEmpty()) {
        const QString copy = QDir::toNativeSeparators(safetyCopyPath);
        parts << (edition.storesDocuments()
                      ? QStringLiteral("A copy of the database as it was is kept in \"%1\". To go back to it, choose "
                                       "Backup/Restore, Restore and pick that file.")
                            .arg(copy)
                      : QStringLiteral("A copy of the database as it was is kept in \"%1\". To go back to it, quit "
                                       "the program and copy that file into \"%2\", replacing the database there.")
                            .arg(copy, QDir::toNativeSeparators(QFileInfo(QFileInfo(safetyCopyPath).absolutePath())
                                                                    .absolutePath())));
    }
    return parts.join(QStringLiteral("\n\n"));
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

void checkNotNewer(Database &db)
{
    const int level = schemaLevel(db);
    if (level <= currentLevel())
        return;
    QString version;
    if (db.columnExists(QStringLiteral("tblSchemaLevel"), QStringLiteral("strProgramVersion"))) {
        Statement q = db.prepare(QStringLiteral("SELECT strProgramVersion FROM tblSchemaLevel WHERE intSchemaLevelId = 1"));
        q.step();
        version = q.textAt(0);
    }
    const QString madeBy = version.isEmpty() ? QStringLiteral("a newer version of the program")
                                             : QStringLiteral("version %1 of the program").arg(version);
    throw DbError(SQLITE_CANTOPEN,
                  QStringLiteral("The company database \"%1\" was made by %2 (file level %3); this version (%4) reads "
                                 "files up to level %5. It was left exactly as it is: use the newer version with it.")
                      .arg(QDir::toNativeSeparators(db.path()), madeBy)
                      .arg(level)
                      .arg(Product::versionText())
                      .arg(currentLevel()));
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

QStringList safetyCopyPaths(const QString &databasePath)
{
    const QFileInfo live(databasePath);
    QStringList folders = live.dir().entryList({kSafetyFolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot,
                                               QDir::Name | QDir::Reversed);
    QStringList copies;
    for (const QString &folder : folders) {
        const QString copy = live.dir().filePath(folder + QLatin1Char('/') + live.fileName());
        if (QFileInfo(copy).isFile())
            copies << copy;
    }
    return copies;
}

UpgradePlan planUpgrade(const QString &path, const QLocale &locale, Prompts &prompts, Occasion occasion, QDate today)
{
    UpgradePlan plan;
    plan.today = today;
    {
        Database db(path, Database::OpenMode::ReadOnly);
        checkNotNewer(db);
        plan.fromLevel = schemaLevel(db);
    }
    if (plan.fromLevel < StorageFormUpgrade::kLevel)
        plan.writingForm = decideForm(path, locale, prompts, occasion, today, plan.declined);
    return plan;
}

UpgradeReport pUpgradeDataBase(const QString &path, const UpgradeContext &context, const UpgradePlan &plan)
{
    UpgradeReport report;
    report.fromLevel = report.toLevel = plan.fromLevel;
    if (!plan.needed() || plan.declined)
        return report;

    // The file is copied before its write lock is taken (the copy reads it whole); the
    // server's company is copied under the writers' lock the upgrade then holds.
    const bool onServer = OfficeServer::serving(path).has_value();
    if (!onServer)
        report.safetyCopyPath = makeSafetyCopy(path, [&](const QString &copy) { BackupRestore::copyDatabaseFile(path, copy); });
    bool done = false;
    try {
        Database db(path);
        Transaction transaction = db.transaction();
        // Read again under the write lock: another copy may have upgraded it meanwhile.
        checkNotNewer(db);
        report.fromLevel = report.toLevel = schemaLevel(db);
        if (report.fromLevel < currentLevel()) {
            if (onServer)
                report.safetyCopyPath = makeServerSafetyCopy(db);
            UpgradeContext withForm = context;
            withForm.writingForm = plan.writingForm;
            withForm.today = plan.today;
            applyMissingSteps(db, withForm, report);
        }
        transaction.commit();
        done = report.upgraded();
    } catch (...) {
        removeSafetyCopy(report.safetyCopyPath);
        throw;
    }
    if (!done) {
        removeSafetyCopy(report.safetyCopyPath);
        report.safetyCopyPath.clear();
    }
    dropOldSafetyCopies(path);
    return report;
}

bool pUpgradeAsking(const QString &path, const Edition &edition, const QLocale &locale, Prompts &prompts,
                    Occasion occasion, QDate today)
{
    const UpgradePlan plan = planUpgrade(path, locale, prompts, occasion, today);
    if (plan.declined)
        return false;
    const UpgradeReport report = pUpgradeDataBase(path, {edition, locale}, plan);
    if (report.upgraded())
        prompts.ShowInformation(report.notice(edition));
    return true;
}

} // namespace SchemaUpgrade
