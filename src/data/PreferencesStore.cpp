#include "PreferencesStore.h"

#include "Database.h"

#include <QStringList>

namespace {

// Column of each flag, in flag order.
const QStringList &columns()
{
    static const QStringList names = {
        QStringLiteral("strFrmMainMaximized"),
        QStringLiteral("strFrmInvoiceMaximized"),
        QStringLiteral("strPlannerShow"),
        QStringLiteral("strFrmPrintPreviewMaximized"),
        QStringLiteral("strFrmMainRibbonMinimized"),
        QStringLiteral("strFrmCompanyInfoRibbonMinimized"),
        QStringLiteral("strFrmCustomerRibbonMinimized"),
        QStringLiteral("strFrmPriceRibbonMinimized"),
        QStringLiteral("strFrmInvoiceRibbonMinimized"),
        QStringLiteral("strFrmInvMaintRibbonMinimized"),
        QStringLiteral("strFrmReportRibbonMinimized"),
        QStringLiteral("strFrmTextWriterRibbonMinimized"),
        QStringLiteral("strFrmPrntPreviewRibbonMinimized"),
    };
    return names;
}

} // namespace

namespace PreferencesStore {

AppPreferences pLoadPreferences(Database &db)
{
    Statement q = db.prepare(QStringLiteral("SELECT %1 FROM tblAppPreferences WHERE intAppPreferencesIdNumber = 1")
                                 .arg(columns().join(QLatin1Char(','))));
    q.step();
    AppPreferences prefs;
    for (int i = 0; i < AppPreferences::FlagCount; ++i)
        prefs.flags[std::size_t(i)] = q.boolAt(i);
    return prefs;
}

void pSavePreferences(const AppPreferences &prefs, Database &db)
{
    QStringList assignments;
    for (const QString &column : columns())
        assignments << column + QStringLiteral(" = ?");
    Statement update = db.prepare(QStringLiteral("UPDATE tblAppPreferences SET %1 WHERE intAppPreferencesIdNumber = 1")
                                      .arg(assignments.join(QLatin1Char(','))));
    for (int i = 0; i < AppPreferences::FlagCount; ++i)
        update.bind(i + 1, prefs.flags[std::size_t(i)]);
    update.run();
}

} // namespace PreferencesStore
