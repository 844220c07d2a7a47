#pragma once

#include <QColor>
#include <QString>
#include <array>

class Database;
class Edition;

/// Company identity (tblCompanyInfo).
struct TrecCompanyData
{
    QString strCompName;
    QString strCompAddress;
    QString strCompCity;
    QString strCompState;
    QString strCompZip;
    QString strCompMainPhone;
    QString strCompExtraPhone1;
    QString strCompExtraPhone2;
    QString strCompExtraPhone1Name;
    QString strCompExtraPhone2Name;
    QString strCompLicName1;
    QString strCompLicNum1;
    QString strCompLicName2;
    QString strCompLicNum2;
    QString strCompLicName3;
    QString strCompLicNum3;
    QString strCompWebSite;
    QString strCompEmail;
};

/// Invoice settings (tblCompanyInvData without the number counter).
struct TrecCmpnyInvData
{
    double dbTaxRate1 = 0;
    double dbTaxRate2 = 0;
    double dbTaxRate3 = 0;
    QString strTaxName1;
    QString strTaxName2;
    QString strTaxName3;
    /// 0 labor and material, 1 labor only, 2 material only.
    int intTaxOn = 0;
    /// Index 1..10 used; index 0 unused so the numbers match the columns.
    std::array<QString, 11> strInvTerms;
    /// Index 0 is always empty: the "No Foot Notes" choice.
    std::array<QString, 4> strInvFootNote;
    QString strAcceptanceInfo;
    QColor AccptColor;
    int intNumEstDays = 0;
    int intDepPercent = 0;
    bool strLargeLogo = false;
    bool strShowQuantity = false;
    bool strShowPrcEach = false;
    bool strShowTotal = false;
    bool strShowTotalonWO = false;
    bool strShowWorkSheetInfo = false;
    bool strShowSurfacePrep = false;
    bool strShowWorkSheetAddons = false;
    bool strShowWallpaper = false;
    bool strShowExtraCharges = false;
};

/// Planner settings (tblPlannerSettings).
struct PlannerSettings
{
    QColor ActColor;
    QColor WkndColor;
    QColor PriorityColor;
    /// Not stored: always the system's button-face colour.
    QColor HeadingColor;
    /// 0 never, 1 one day, 2 thirty days, any other value 360 days.
    int intRemoveActivity = 0;
    /// 0 day, 1 week, 2 month.
    int intDefaultPlanner = 0;
};

/// The in-memory company settings every window and the printing read.
struct CompanyRecord
{
    TrecCompanyData company;
    TrecCmpnyInvData invData;
    QColor EstColor;
    QColor WrkOrderColor;
    QColor ChngOrderColor;
    QColor InvColor;
    QColor CrdtColor;
    QColor PstDueColor;
    PlannerSettings planner;

    /// Reads the whole record on \a db and applies the edition's rules (which change
    /// only memory, never the stored values).
    static CompanyRecord pLoadCompanyData(Database &db, const Edition &edition);
    /// Reads the record exactly as stored, without the edition's rules.
    static CompanyRecord readStored(Database &db);

    /// Blanks or forces the fields the edition does not offer.
    void applyEditionRules(const Edition &edition);
    /// Gives the fields the edition does not offer their values from \a stored, so
    /// saving an edited record never overwrites them with the blanks shown in memory.
    void keepStoredHiddenFields(const CompanyRecord &stored, const Edition &edition);
};

/// The colour value stored as Red + Green x 256 + Blue x 65536.
[[nodiscard]] inline QColor colorFromComponents(int red, int green, int blue)
{
    return QColor(red & 0xff, green & 0xff, blue & 0xff);
}
