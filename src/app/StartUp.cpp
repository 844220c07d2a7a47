#include "StartUp.h"

#include "context/AppContext.h"
#include "core/MailAttachments.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "core/Prompts.h"
#include "data/Database.h"
#include "data/FileError.h"
#include "data/PreferencesStore.h"
#include "data/Schema.h"
#include "data/SchemaUpgrade.h"
#include "planner/PlannerCleanup.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace StartUp {

namespace {

/// Makes \a folder if need be; throws FileError naming the folder in the way when
/// it cannot be made or written, rather than letting the database report a missing file.
void pMakeWritableFolder(const QString &folder)
{
    if (QDir().mkpath(folder) && QFileInfo(folder).isWritable())
        return;
    QString inTheWay = folder;
    while (!QFileInfo::exists(inTheWay) && QFileInfo(inTheWay).absolutePath() != inTheWay)
        inTheWay = QFileInfo(inTheWay).absolutePath();
    const QString shown = QDir::toNativeSeparators(folder);
    if (!QFileInfo(inTheWay).isDir()) {
        throw FileError(QStringLiteral("The data folder \"%1\" cannot be made: \"%2\" is a file, not a folder.")
                            .arg(shown, QDir::toNativeSeparators(inTheWay)),
                        ENOTDIR);
    }
    if (inTheWay == folder)
        throw FileError(QStringLiteral("Permission denied: the data folder \"%1\" cannot be written to.").arg(shown),
                        EACCES);
    throw FileError(QStringLiteral("Permission denied: the data folder \"%1\" cannot be made in \"%2\".")
                        .arg(shown, QDir::toNativeSeparators(inTheWay)),
                    EACCES);
}

} // namespace

bool pStartUp(AppContext &context, QDate today)
{
    const Edition &edition = context.edition();
    (void)MailAttachments::removeOldFolders();
    pMakeWritableFolder(Paths::GetCompanyFolder(edition));

    const QString path = Paths::GetDataBasePath(edition);
    if (!Schema::databaseExists(path))
        Schema::pBuildDataBase(path, edition, today, context.locale, context.saving());
    else
        Schema::verifyDatabaseFile(path, edition);
    if (!SchemaUpgrade::pUpgradeAsking(path, edition, context.locale, context.prompts(),
                                       SchemaUpgrade::Occasion::StartUp, today))
        return false;

    context.pSetInvoiceTypes();
    const auto db = context.openDatabase();
    context.company = CompanyRecord::pLoadCompanyData(*db, edition);
    context.preferences = PreferencesStore::pLoadPreferences(*db);
    return true;
}

void pShutDown(AppContext &context, QDate today)
{
    (void)MailAttachments::removeOldFolders();
    // One connection for both steps: opening one costs more than either step.
    const auto db = context.openDatabase();
    // Quitting with the preferences as stored writes nothing: a write waits for the disk.
    if (PreferencesStore::pLoadPreferences(*db).flags != context.preferences.flags)
        PreferencesStore::pSavePreferences(context.preferences, *db);
    PlannerCleanup::pRemoveOldActivities(*db, today, context.saving());
}

} // namespace StartUp
