#include "StartUp.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "data/PreferencesStore.h"
#include "data/Schema.h"
#include "data/SchemaUpgrade.h"

#include <QDir>
#include <QFileInfo>

namespace StartUp {

void pStartUp(AppContext &context, QDate today)
{
    const Edition &edition = context.edition();
    // Failures here surface as the database error that follows, which names the path.
    QDir().mkpath(Paths::GetCompanyFolder(edition));

    const QString path = Paths::GetDataBasePath(edition);
    if (!QFileInfo::exists(path))
        Schema::pBuildDataBase(path, edition, today, context.locale, context.saving());
    else
        Schema::verifyDatabaseFile(path, edition);
    SchemaUpgrade::pUpgradeDataBase(path, {edition, context.locale});

    context.pSetInvoiceTypes();
    const auto db = context.openDatabase();
    context.company = CompanyRecord::pLoadCompanyData(*db, edition);
    context.preferences = PreferencesStore::pLoadPreferences(*db);
}

void pShutDown(AppContext &context)
{
    const auto db = context.openDatabase();
    PreferencesStore::pSavePreferences(context.preferences, *db);
}

} // namespace StartUp
