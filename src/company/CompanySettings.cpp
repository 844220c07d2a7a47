#include "CompanySettings.h"

#include "company/CompanyContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "core/Prompts.h"
#include "data/BackupRestore.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/FileError.h"
#include "data/SavingIndicator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace CompanySettings {

namespace {

/// Makes sure the settings row exists, so an update never silently changes nothing.
void ensureRow(Database &db, const QString &table, const QString &idColumn)
{
    db.exec(QStringLiteral("INSERT INTO %1(%2) SELECT 1 WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE %2 = 1)")
                .arg(table, idColumn));
}

/// "a = ?,b = ?" for the given columns.
QString assignments(const QStringList &columns)
{
    QStringList pairs;
    for (const QString &column : columns)
        pairs << column + QStringLiteral(" = ?");
    return pairs.join(QLatin1Char(','));
}

void update(Database &db, const QString &table, const QStringList &columns, const QString &where,
            const QVariantList &values)
{
    Statement stmt = db.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = 1").arg(table, assignments(columns), where));
    int index = 0;
    for (const QVariant &value : values) {
        ++index;
        switch (value.typeId()) {
        case QMetaType::Bool:
            stmt.bind(index, value.toBool());
            break;
        case QMetaType::Int:
            stmt.bind(index, value.toInt());
            break;
        case QMetaType::Double:
            stmt.bind(index, value.toDouble());
            break;
        default:
            stmt.bind(index, value.toString());
        }
    }
    stmt.run();
}

void appendColor(QStringList &columns, QVariantList &values, const QString &prefix, const QColor &color)
{
    columns << prefix + QStringLiteral("Red") << prefix + QStringLiteral("Green") << prefix + QStringLiteral("Blue");
    values << color.red() << color.green() << color.blue();
}

void saveIdentity(Database &db, const TrecCompanyData &c)
{
    update(db, QStringLiteral("tblCompanyInfo"),
           {"strCompName", "strCompAddress", "strCompCity", "strCompState", "strCompZip", "strCompMainPhone",
            "strCompExtraPhone1", "strCompExtraPhone2", "strCompExtraPhone1Name", "strCompExtraPhone2Name",
            "strCompEmail", "strCompWebSite", "strCompLicNum1", "strCompLicName1", "strCompLicNum2",
            "strCompLicName2", "strCompLicNum3", "strCompLicName3"},
           QStringLiteral("intCompInfoID"),
           {c.strCompName, c.strCompAddress, c.strCompCity, c.strCompState, c.strCompZip, c.strCompMainPhone,
            c.strCompExtraPhone1, c.strCompExtraPhone2, c.strCompExtraPhone1Name, c.strCompExtraPhone2Name,
            c.strCompEmail, c.strCompWebSite, c.strCompLicNum1, c.strCompLicName1, c.strCompLicNum2,
            c.strCompLicName2, c.strCompLicNum3, c.strCompLicName3});
}

void saveInvoiceSettings(Database &db, const TrecCmpnyInvData &d)
{
    QStringList columns{"dbTaxRate1", "dbTaxRate2", "dbTaxRate3", "strTaxName1", "strTaxName2", "strTaxName3",
                        "intTaxOn",   "strInvFootNote1", "strInvFootNote2", "strInvFootNote3", "strAcceptanceInfo"};
    QVariantList values{d.dbTaxRate1, d.dbTaxRate2, d.dbTaxRate3,         d.strTaxName1,
                        d.strTaxName2, d.strTaxName3, d.intTaxOn,          d.strInvFootNote[1],
                        d.strInvFootNote[2], d.strInvFootNote[3], d.strAcceptanceInfo};
    appendColor(columns, values, QStringLiteral("intAccptColor"), d.AccptColor);
    for (int t = 1; t <= 10; ++t) {
        columns << QStringLiteral("strInvTerms%1").arg(t);
        values << d.strInvTerms[std::size_t(t)];
    }
    columns << "intNumEstDays" << "intDepPercent" << "strLargeLogo" << "strShowQuantity" << "strShowPrcEach"
            << "strShowTotal" << "strShowTotalonWO" << "strShowWorkSheetInfo" << "strShowSurfacePrep"
            << "strShowWorkSheetAddons" << "strShowWallpaper" << "strShowExtraCharges";
    values << d.intNumEstDays << d.intDepPercent << d.strLargeLogo << d.strShowQuantity << d.strShowPrcEach
           << d.strShowTotal << d.strShowTotalonWO << d.strShowWorkSheetInfo << d.strShowSurfacePrep
           << d.strShowWorkSheetAddons << d.strShowWallpaper << d.strShowExtraCharges;
    update(db, QStringLiteral("tblCompanyInvData"), columns, QStringLiteral("intCompInvDataID"), values);
}

void saveDocumentColors(Database &db, const CompanyRecord &r)
{
    QStringList columns;
    QVariantList values;
    appendColor(columns, values, QStringLiteral("intEstColor"), r.EstColor);
    appendColor(columns, values, QStringLiteral("intWrkOrderColor"), r.WrkOrderColor);
    appendColor(columns, values, QStringLiteral("intChngOrderColor"), r.ChngOrderColor);
    appendColor(columns, values, QStringLiteral("intInvColor"), r.InvColor);
    appendColor(columns, values, QStringLiteral("intCrdtColor"), r.CrdtColor);
    appendColor(columns, values, QStringLiteral("intPstDueColor"), r.PstDueColor);
    update(db, QStringLiteral("tblCompColorData"), columns, QStringLiteral("intColorID"), values);
}

void savePlannerSettings(Database &db, const PlannerSettings &p)
{
    QStringList columns;
    QVariantList values;
    appendColor(columns, values, QStringLiteral("intActColor"), p.ActColor);
    appendColor(columns, values, QStringLiteral("intWkndColor"), p.WkndColor);
    appendColor(columns, values, QStringLiteral("intPriorityColor"), p.PriorityColor);
    columns << "intRemoveActivity" << "intDefaultPlanner";
    values << p.intRemoveActivity << p.intDefaultPlanner;
    update(db, QStringLiteral("tblPlannerSettings"), columns, QStringLiteral("intPlannerSettingsID"), values);
}

/// Shows the saving popup for as long as it lives, however the save ends.
class SavingShown
{
public:
    SavingShown(SavingIndicator &saving, const QString &text)
        : m_saving(saving)
    {
        m_saving.pShowSaving(text);
    }
    SavingShown(const SavingShown &) = delete;
    SavingShown &operator=(const SavingShown &) = delete;
    ~SavingShown() { m_saving.pCloseSaving(); }

private:
    SavingIndicator &m_saving;
};

} // namespace

int GetTaxOptionWithoutName(const TrecCmpnyInvData &data)
{
    const std::pair<double, const QString *> options[] = {
        {data.dbTaxRate1, &data.strTaxName1}, {data.dbTaxRate2, &data.strTaxName2}, {data.dbTaxRate3, &data.strTaxName3}};
    for (int option = 1; option <= 3; ++option) {
        const auto &[rate, name] = options[option - 1];
        if (rate > 0 && name->isEmpty())
            return option;
    }
    return 0;
}

void save(Database &db, const CompanyRecord &record, const Edition &edition)
{
    Transaction transaction(db);
    CompanyRecord toStore = record;
    toStore.keepStoredHiddenFields(CompanyRecord::readStored(db), edition);
    ensureRow(db, QStringLiteral("tblCompanyInfo"), QStringLiteral("intCompInfoID"));
    ensureRow(db, QStringLiteral("tblCompanyInvData"), QStringLiteral("intCompInvDataID"));
    ensureRow(db, QStringLiteral("tblCompColorData"), QStringLiteral("intColorID"));
    ensureRow(db, QStringLiteral("tblPlannerSettings"), QStringLiteral("intPlannerSettingsID"));
    saveIdentity(db, toStore.company);
    saveInvoiceSettings(db, toStore.invData);
    saveDocumentColors(db, toStore);
    savePlannerSettings(db, toStore.planner);
    transaction.commit();
}

void pSaveCompanyData(CompanyContext &context, const CompanyRecord &edited, const LogoChange &logo)
{
    const QString logoPath = Paths::GetLogoPath(context.edition());
    // The new picture waits in a temporary file beside the logo until the database
    // has committed; dropping the QSaveFile without commit() removes it.
    QSaveFile newLogo(logoPath);
    if (logo.kind == LogoChange::Replace) {
        if (!newLogo.open(QIODevice::WriteOnly) || !logo.picture.save(&newLogo, "JPG")) {
            throw FileError(QStringLiteral("The logo \"%1\" could not be written: %2")
                                .arg(QDir::toNativeSeparators(logoPath), newLogo.errorString()));
        }
    }

    {
        const SavingShown popup(context.saving(), QStringLiteral("Saving Company Data ..."));
        const auto db = context.openDatabase();
        save(*db, edited, context.edition());
    }

    context.company = edited;

    if (logo.kind == LogoChange::Replace && !newLogo.commit()) {
        throw FileError(QStringLiteral("The company information was saved, but the logo \"%1\" could not be "
                                       "replaced: %2")
                            .arg(QDir::toNativeSeparators(logoPath), newLogo.errorString()));
    }
    if (logo.kind == LogoChange::Remove && QFileInfo::exists(logoPath)) {
        QFile file(logoPath);
        if (!file.remove()) {
            throw FileError(QStringLiteral("The company information was saved, but the logo \"%1\" could not be "
                                           "removed: %2")
                                .arg(QDir::toNativeSeparators(logoPath), file.errorString()));
        }
    }
}

namespace {

void readsCompany(Database &db)
{
    (void)CompanyRecord::readStored(db);
}

bool reloadAfterRestore(CompanyContext &context, bool restored)
{
    if (!restored)
        return false;
    try {
        const auto db = context.openDatabase();
        context.company = CompanyRecord::pLoadCompanyData(*db, context.edition());
    } catch (const DbError &error) {
        context.prompts().showError(error.message(), error.detail());
    }
    return true;
}

} // namespace

bool pRestoreCompanyData(CompanyContext &context)
{
    return reloadAfterRestore(context, BackupRestore::pRestoreData(context, readsCompany));
}

bool pRestoreCompanyDataFrom(CompanyContext &context, const QString &copy)
{
    return reloadAfterRestore(context, BackupRestore::pRestoreDataFrom(context, copy, readsCompany));
}

} // namespace CompanySettings
