#include "StartUp.h"

#include "AppContext.h"
#include "Edition.h"
#include "Paths.h"
#include "data/Database.h"
#include "data/Schema.h"

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

    context.pSetInvoiceTypes();
    const auto db = context.openDatabase();
    context.company = CompanyRecord::pLoadCompanyData(*db, edition);
    context.preferences = AppPreferences::pLoadPreferences(*db);
}

void pShutDown(AppContext &context)
{
    const auto db = context.openDatabase();
    context.preferences.pSavePreferences(*db);
}

} // namespace StartUp
