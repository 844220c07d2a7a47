#include "CompanyRecord.h"

#include "core/Edition.h"
#include "data/Database.h"

#include <QGuiApplication>
#include <QPalette>
#include <utility>
#include <vector>

namespace {

TrecCompanyData loadIdentity(Database &db)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT strCompName,strCompAddress,strCompCity,strCompState,strCompZip,strCompMainPhone,"
        "strCompExtraPhone1,strCompExtraPhone2,strCompExtraPhone1Name,strCompExtraPhone2Name,strCompEmail,"
        "strCompWebSite,strCompLicNum1,strCompLicName1,strCompLicNum2,strCompLicName2,strCompLicNum3,"
        "strCompLicName3 FROM tblCompanyInfo WHERE intCompInfoID = 1"));
    q.step();
    TrecCompanyData c;
    int i = 0;
    for (QString *field : {&c.strCompName, &c.strCompAddress, &c.strCompCity, &c.strCompState, &c.strCompZip,
                           &c.strCompMainPhone, &c.strCompExtraPhone1, &c.strCompExtraPhone2,
                           &c.strCompExtraPhone1Name, &c.strCompExtraPhone2Name, &c.strCompEmail, &c.strCompWebSite,
                           &c.strCompLicNum1, &c.strCompLicName1, &c.strCompLicNum2, &c.strCompLicName2,
                           &c.strCompLicNum3, &c.strCompLicName3})
        *field = q.textAt(i++);
    return c;
}

TrecCmpnyInvData loadInvoiceSettings(Database &db)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT dbTaxRate1,dbTaxRate2,dbTaxRate3,strTaxName1,strTaxName2,strTaxName3,"
        "strInvTerms1,strInvTerms2,strInvTerms3,strInvTerms4,strInvTerms5,strInvTerms6,strInvTerms7,"
        "strInvTerms8,strInvTerms9,strInvTerms10,strInvFootNote1,strInvFootNote2,strInvFootNote3,"
        "strAcceptanceInfo,intAccptColorRed,intAccptColorGreen,intAccptColorBlue,intNumEstDays,intDepPercent,"
        "strLargeLogo,strShowQuantity,strShowPrcEach,strShowTotal,strShowTotalonWO,intTaxOn,"
        "strShowWorkSheetInfo,strShowSurfacePrep,strShowWorkSheetAddons,strShowWallpaper,strShowExtraCharges "
        "FROM tblCompanyInvData WHERE intCompInvDataID = 1"));
    q.step(); // a missing row fails below: an empty text is not a boolean
    TrecCmpnyInvData d;
    d.dbTaxRate1 = q.doubleAt(0);
    d.dbTaxRate2 = q.doubleAt(1);
    d.dbTaxRate3 = q.doubleAt(2);
    d.strTaxName1 = q.textAt(3);
    d.strTaxName2 = q.textAt(4);
    d.strTaxName3 = q.textAt(5);
    for (int t = 1; t <= 10; ++t)
        d.strInvTerms[std::size_t(t)] = q.textAt(5 + t);
    for (int n = 1; n <= 3; ++n)
        d.strInvFootNote[std::size_t(n)] = q.textAt(15 + n);
    d.strAcceptanceInfo = q.textAt(19);
    d.AccptColor = colorFromComponents(q.intAt(20), q.intAt(21), q.intAt(22));
    d.intNumEstDays = q.intAt(23);
    d.intDepPercent = q.intAt(24);
    d.strLargeLogo = q.boolAt(25);
    d.strShowQuantity = q.boolAt(26);
    d.strShowPrcEach = q.boolAt(27);
    d.strShowTotal = q.boolAt(28);
    d.strShowTotalonWO = q.boolAt(29);
    d.intTaxOn = q.intAt(30);
    d.strShowWorkSheetInfo = q.boolAt(31);
    d.strShowSurfacePrep = q.boolAt(32);
    d.strShowWorkSheetAddons = q.boolAt(33);
    d.strShowWallpaper = q.boolAt(34);
    d.strShowExtraCharges = q.boolAt(35);
    return d;
}

void loadDocumentColors(Database &db, CompanyRecord &record)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT intEstColorRed,intEstColorGreen,intEstColorBlue,"
        "intWrkOrderColorRed,intWrkOrderColorGreen,intWrkOrderColorBlue,"
        "intChngOrderColorRed,intChngOrderColorGreen,intChngOrderColorBlue,"
        "intInvColorRed,intInvColorGreen,intInvColorBlue,"
        "intCrdtColorRed,intCrdtColorGreen,intCrdtColorBlue,"
        "intPstDueColorRed,intPstDueColorGreen,intPstDueColorBlue FROM tblCompColorData WHERE intColorID = 1"));
    q.step();
    int i = 0;
    for (QColor *color : {&record.EstColor, &record.WrkOrderColor, &record.ChngOrderColor, &record.InvColor,
                          &record.CrdtColor, &record.PstDueColor}) {
        *color = colorFromComponents(q.intAt(i), q.intAt(i + 1), q.intAt(i + 2));
        i += 3;
    }
}

PlannerSettings loadPlannerSettings(Database &db)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT intActColorRed,intActColorGreen,intActColorBlue,intWkndColorRed,intWkndColorGreen,"
        "intWkndColorBlue,intPriorityColorRed,intPriorityColorGreen,intPriorityColorBlue,intRemoveActivity,"
        "intDefaultPlanner FROM tblPlannerSettings WHERE intPlannerSettingsID = 1"));
    q.step();
    PlannerSettings p;
    p.ActColor = colorFromComponents(q.intAt(0), q.intAt(1), q.intAt(2));
    p.WkndColor = colorFromComponents(q.intAt(3), q.intAt(4), q.intAt(5));
    p.PriorityColor = colorFromComponents(q.intAt(6), q.intAt(7), q.intAt(8));
    // Without a GUI application (tools, tests) there is no palette to ask.
    p.HeadingColor = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        ? QGuiApplication::palette().color(QPalette::Button)
        : QColor(240, 240, 240);
    p.intRemoveActivity = q.intAt(9);
    p.intDefaultPlanner = q.intAt(10);
    return p;
}

/// The fields an edition does not offer: blanked or forced in memory only.
struct EditionHiddenFields
{
    std::vector<QString TrecCompanyData::*> blankedTexts;
    std::vector<std::pair<bool TrecCmpnyInvData::*, bool>> forcedFlags;
};

EditionHiddenFields hiddenFields(const Edition &edition)
{
    if (edition.hasFullDocumentFeatures())
        return {};

    using C = TrecCompanyData;
    using I = TrecCmpnyInvData;
    EditionHiddenFields hidden;
    hidden.blankedTexts = {&C::strCompExtraPhone1, &C::strCompExtraPhone2, &C::strCompExtraPhone1Name,
                           &C::strCompExtraPhone2Name, &C::strCompEmail, &C::strCompWebSite, &C::strCompLicNum2,
                           &C::strCompLicName2, &C::strCompLicNum3, &C::strCompLicName3};
    // Ostrev keeps a small logo; Lunvard, which stores no documents, has one license
    // line less and always shows every line column.
    if (edition.storesDocuments()) {
        hidden.forcedFlags = {{&I::strLargeLogo, false}};
    } else {
        hidden.blankedTexts.push_back(&C::strCompLicNum1);
        hidden.blankedTexts.push_back(&C::strCompLicName1);
        hidden.forcedFlags = {{&I::strShowQuantity, true}, {&I::strShowPrcEach, true}, {&I::strShowTotal, true}};
    }
    return hidden;
}

} // namespace

CompanyRecord CompanyRecord::readStored(Database &db)
{
    CompanyRecord record;
    record.company = loadIdentity(db);
    record.invData = loadInvoiceSettings(db);
    loadDocumentColors(db, record);
    record.planner = loadPlannerSettings(db);
    return record;
}

CompanyRecord CompanyRecord::pLoadCompanyData(Database &db, const Edition &edition)
{
    CompanyRecord record = readStored(db);
    record.applyEditionRules(edition);
    return record;
}

void CompanyRecord::applyEditionRules(const Edition &edition)
{
    const EditionHiddenFields hidden = hiddenFields(edition);
    for (QString TrecCompanyData::*field : hidden.blankedTexts)
        (company.*field).clear();
    for (const auto &[flag, value] : hidden.forcedFlags)
        invData.*flag = value;
}

void CompanyRecord::keepStoredHiddenFields(const CompanyRecord &stored, const Edition &edition)
{
    const EditionHiddenFields hidden = hiddenFields(edition);
    for (QString TrecCompanyData::*field : hidden.blankedTexts)
        company.*field = stored.company.*field;
    for (const auto &forced : hidden.forcedFlags)
        invData.*forced.first = stored.invData.*forced.first;
}
