#include "SeedData.h"

#include "Database.h"
#include "SqlColumns.h"
#include "StoredForm.h"
#include "SeedTexts.h"
#include "core/Edition.h"

namespace SeedData {

namespace {

QString createTable(const QString &table, const QStringList &columns)
{
    return QStringLiteral("CREATE TABLE %1(%2)").arg(table, columns.join(QLatin1Char(',')));
}

QStringList numbered(const QString &prefix, int count, const QString &type)
{
    QStringList columns;
    for (int i = 1; i <= count; ++i)
        columns << QStringLiteral("%1%2 %3").arg(prefix).arg(i).arg(type);
    return columns;
}

QStringList rgb(const QString &prefix)
{
    return {prefix + QStringLiteral("Red INTEGER"), prefix + QStringLiteral("Green INTEGER"),
            prefix + QStringLiteral("Blue INTEGER")};
}

const QString kText = QStringLiteral("TEXT");

QStringList createStatementsImpl(const Edition &edition)
{
    QStringList sql;
    sql << createTable(QStringLiteral("tblAppPreferences"),
                       {"intAppPreferencesIdNumber INTEGER", "strFrmMainMaximized TEXT", "strFrmInvoiceMaximized TEXT",
                        "strPlannerShow TEXT", "strFrmPrintPreviewMaximized TEXT", "strFrmMainRibbonMinimized TEXT",
                        "strFrmCompanyInfoRibbonMinimized TEXT", "strFrmCustomerRibbonMinimized TEXT",
                        "strFrmPriceRibbonMinimized TEXT", "strFrmInvoiceRibbonMinimized TEXT",
                        "strFrmInvMaintRibbonMinimized TEXT", "strFrmReportRibbonMinimized TEXT",
                        "strFrmTextWriterRibbonMinimized TEXT", "strFrmPrntPreviewRibbonMinimized TEXT"});
    sql << createTable(QStringLiteral("tblCustomers"),
                       {"intCustomerID INTEGER PRIMARY KEY", "strCustFirstName TEXT", "strCustLastName TEXT",
                        "strCustCompany TEXT", "strCustAddress TEXT", "strCustCity TEXT", "strCustState TEXT",
                        "strCustZipCode TEXT", "strCustMainPhone TEXT", "strCustExtraPhone1 TEXT",
                        "strCustExtraPhone2 TEXT", "strCustExtraPhone1Name TEXT", "strCustExtraPhone2Name TEXT",
                        "intCustDiscount INTEGER", "strCustTaxExmpt TEXT", "strCustTaxExmpNmbr TEXT",
                        "strCustPmtTerms TEXT", "strCustNotes TEXT"});
    sql << createTable(QStringLiteral("tblCompanyInfo"),
                       {"intCompInfoID INTEGER", "strCompName TEXT", "strCompAddress TEXT", "strCompCity TEXT",
                        "strCompState TEXT", "strCompZip TEXT", "strCompMainPhone TEXT", "strCompExtraPhone1 TEXT",
                        "strCompExtraPhone2 TEXT", "strCompExtraPhone1Name TEXT", "strCompExtraPhone2Name TEXT",
                        "strCompEmail TEXT", "strCompWebSite TEXT", "strCompLicNum1 TEXT", "strCompLicName1 TEXT",
                        "strCompLicNum2 TEXT", "strCompLicName2 TEXT", "strCompLicNum3 TEXT", "strCompLicName3 TEXT"});
    sql << createTable(QStringLiteral("tblCompanyInvData"),
                       QStringList{"intCompInvDataID INTEGER", "dbTaxRate1 REAL", "dbTaxRate2 REAL", "dbTaxRate3 REAL",
                                   "strTaxName1 TEXT", "strTaxName2 TEXT", "strTaxName3 TEXT", "intTaxOn INTEGER",
                                   "intInvNumber INTEGER"}
                           + numbered(QStringLiteral("strInvTerms"), 10, kText)
                           + QStringList{"intNumEstDays INTEGER"} + numbered(QStringLiteral("strInvFootNote"), 3, kText)
                           + QStringList{"strAcceptanceInfo TEXT"} + rgb(QStringLiteral("intAccptColor"))
                           + QStringList{"intDepPercent INTEGER", "strLargeLogo TEXT", "strShowQuantity TEXT",
                                         "strShowPrcEach TEXT", "strShowTotal TEXT", "strShowTotalonWO TEXT",
                                         "strShowWorkSheetInfo TEXT", "strShowSurfacePrep TEXT",
                                         "strShowWorkSheetAddons TEXT", "strShowWallpaper TEXT",
                                         "strShowExtraCharges TEXT"});
    sql << createTable(QStringLiteral("tblContractWarranty"),
                       {"intContractWarrantyID INTEGER", "strContractName TEXT", "strWarrantyName TEXT",
                        "strContract BLOB", "strWarranty BLOB"});
    sql << createTable(QStringLiteral("tblCompColorData"),
                       QStringList{"intColorID INTEGER"} + rgb(QStringLiteral("intEstColor"))
                           + rgb(QStringLiteral("intWrkOrderColor")) + rgb(QStringLiteral("intChngOrderColor"))
                           + rgb(QStringLiteral("intInvColor")) + rgb(QStringLiteral("intCrdtColor"))
                           + rgb(QStringLiteral("intPstDueColor")));
    sql << createTable(QStringLiteral("tblInvHeader"),
                       {"intInvDataHeaderID INTEGER PRIMARY KEY", "strInvName TEXT", "intInvNumber INTEGER",
                        "strInvDate TEXT", "strFromInvNameNumber TEXT", "strRecurring TEXT", "strPaidInFull TEXT",
                        "intInvFootNotes INTEGER", "strCustCmpnyName TEXT", "strCustFullName TEXT",
                        "strCustAddress TEXT", "strCustCtyStZp TEXT", "strCustMainPhone TEXT",
                        "strCustExtraPhone1 TEXT", "strCustExtraPhone2 TEXT", "strCustTaxExemptNum TEXT",
                        "strCustPONumber TEXT", "strCustPymntTerms TEXT", "strCustNotes TEXT",
                        "intCustDiscountPercent INTEGER", "strCustTaxExempt TEXT", "strUseTax1 TEXT",
                        "strUseTax2 TEXT", "strUseTax3 TEXT", "dbTaxRate1 REAL", "dbTaxRate2 REAL", "dbTaxRate3 REAL",
                        "strInvNotes BLOB", "dbPaidAmount REAL", "dbDepositAmount REAL", "strInvTotal TEXT"});
    if (edition.usesWorkSheets()) {
        sql << createTable(QStringLiteral("tblInvData"),
                           {"intInvDataID INTEGER PRIMARY KEY", "intInvNumber INTEGER", "strWorkSheetName TEXT",
                            "intIntExt INTEGER", "intAreaWorkOn INTEGER", "intPaintsCoats INTEGER",
                            "intTrimCoats INTEGER", "intAreaLength INTEGER", "intAreaWidth INTEGER",
                            "intAreaHeight INTEGER", "intAreaMultiplier INTEGER", "intPrime INTEGER", "intWash INTEGER",
                            "intSand INTEGER", "intCaulk INTEGER", "intMask INTEGER", "intNumOfDoors INTEGER",
                            "intNumOfDoorFrmTrm INTEGER", "intNumOfWindowFrmTrm INTEGER", "intNumOfClosets INTEGER",
                            "intHngWallpaper INTEGER", "intRmvWallpaper INTEGER", "intHngBoarder INTEGER",
                            "intRmvBorder INTEGER", "strExtraChargesName TEXT", "strExtraChargesLabor TEXT",
                            "strExtraChargesMaterial TEXT"});
    } else {
        sql << createTable(QStringLiteral("tblInvData"),
                           {"intInvDataID INTEGER PRIMARY KEY", "strPrcItemName TEXT", "intInvNumber INTEGER",
                            "strPrcItmQuantity TEXT", "strLabTax TEXT", "strMatTax TEXT", "dbLbrPrc REAL",
                            "dbMatPrc REAL"});
    }
    sql << createTable(QStringLiteral("tblReport"),
                       {"intReportID INTEGER PRIMARY KEY", "intReportYear INTEGER", "intReportMonth INTEGER",
                        "dbLbrTax1Total REAL", "dbLbrTax2Total REAL", "dbLbrTax3Total REAL", "dbMatTax1Total REAL",
                        "dbMatTax2Total REAL", "dbMatTax3Total REAL", "dbLbrTotal REAL", "dbMatTotal REAL"});
    sql << createTable(QStringLiteral("tblRecurring"), {"intRecurringID INTEGER", "strLastPrintedDate TEXT"});
    if (edition.usesWorkSheets()) {
        sql << createTable(QStringLiteral("tblSavedPrices"), {"intPrcItemNumID INTEGER", "intPrcItemInvNum INTEGER",
                                                              "dbLbrPrc REAL", "dbMatPrc REAL"});
        sql << createTable(QStringLiteral("tblPrices"),
                           {"intPrcItemNumID INTEGER", "strPrcItemName TEXT", "dbLbrPrc REAL", "dbMatPrc REAL"});
    } else {
        sql << createTable(QStringLiteral("tblPrices"),
                           {"intPrcItemNumID INTEGER PRIMARY KEY", "strPrcItemName TEXT", "strLabTax TEXT",
                            "strMatTax TEXT", "dbLbrPrc REAL", "dbMatPrc REAL"});
    }
    sql << createTable(QStringLiteral("tblPlannerSettings"),
                       QStringList{"intPlannerSettingsID INTEGER PRIMARY KEY"} + rgb(QStringLiteral("intActColor"))
                           + rgb(QStringLiteral("intWkndColor")) + rgb(QStringLiteral("intPriorityColor"))
                           + QStringList{"intRemoveActivity INTEGER", "intDefaultPlanner INTEGER"});
    sql << createTable(QStringLiteral("tblPlanner"),
                       {"intActID INTEGER PRIMARY KEY", "intActMasterID INTEGER", "intActYear INTEGER",
                        "intActDayOfYear INTEGER", "strActStartDateTime TEXT", "strActEndDateTime TEXT",
                        "strActivity TEXT", "strActPriority TEXT", "strActNote TEXT"});
    return sql;
}

template<typename... Values>
void insert(Database &db, const QString &sql, const Values &...values)
{
    db.prepare(sql).bindAll(values...).run();
}

/// "INSERT INTO <table> VALUES(1,?,...)" with one "?" per value: the single settings
/// rows, whose id is always 1.
template<typename... Values>
void insertSettingsRow(Database &db, const QString &table, const Values &...values)
{
    insert(db, QStringLiteral("INSERT INTO %1 VALUES(1,%2)").arg(table, SqlColumns::placeholders(sizeof...(values))),
           values...);
}

void seedCustomers(Database &db)
{
    const QString sql = QStringLiteral(
        "INSERT INTO tblCustomers(strCustFirstName,strCustLastName,strCustCompany,strCustAddress,strCustCity,"
        "strCustState,strCustZipCode,strCustMainPhone,strCustExtraPhone1,strCustExtraPhone2,strCustExtraPhone1Name,"
        "strCustExtraPhone2Name,intCustDiscount,strCustTaxExmpt,strCustTaxExmpNmbr,strCustPmtTerms,strCustNotes)"
        "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    insert(db, sql, "Joe", "Blow", "Joes Bar and Grill", "123 Joes Street", "Joe City", "Joe State", "12345",
           "225-123-4567", "225-123-4568", "225-123-4569", "Fax", "Cell", 0, "0", "", "Due upon receipt",
           "Customer notes for office use only. These notes do not show or print on Invoices.");
    insert(db, sql, "John", "Doe", "", "234 2nd Street", "John City", "John State", "88888", "111-222-2323",
           "111-222-4545", "", "Cell", "", 10, "0", "", "", "");
    insert(db, sql, "Jane", "Doe", "Janes Place", "55555 Street Place", "Jane City", "Jane State", "88888",
           "220-444-9874 ext 1234", "220-444-9875", "220-444-9876", "2nd Line", "Fax", 5, "-1", "1414141",
           "Due by the 15th", "Fast Pay");
}

void seedCompany(Database &db)
{
    insertSettingsRow(db, QStringLiteral("tblCompanyInfo"), "My Company Name", "123 My Street Address", "My City", "My State", "Zip 123456", "222-123-4567",
           "222-123-4568", "222-123-4569", "Cell", "Fax", "office@example.com", "www.example.com",
           "123 My State License", "My State License Name", "456 My City License", "My City License Name", "", "");

    insertSettingsRow(db, QStringLiteral("tblCompanyInvData"), 0.0123, 0.05, 0.0, "Local Tax", "State Tax", "", 0, 500, "Due on day of completion",
                "Due on the 10th", "Due on the 20th", "Net Due on the 20th", "", "", "", "", "", "", 30,
                "Thank you for choosing our product. We appreciate your business, so please contact us if you ever "
                "need any help.",
                QStringLiteral("Thank you for your interest in our Estimate. If you have any questions please "
                               "don\u2019t hesitate to contact us!"),
                "Foot Note 3 Here!!",
                "Acceptance of proposal. The prices, specification and conditions are satisfactory and hereby "
                "accepted. You are authorized to do the work as specified. Payment will be made as specified above.",
                236, 255, 236, 25, "-1", "-1", "-1", "-1", "0", "-1", "-1", "-1", "-1", "-1");

    insertSettingsRow(db, QStringLiteral("tblContractWarranty"), "SAMPLE CONTRACT", "SAMPLE WARRANTY",
                      SeedTexts::sampleContract(), SeedTexts::sampleWarranty());

    Statement colors = db.prepare(QStringLiteral("INSERT INTO tblCompColorData VALUES(1%1)")
                                      .arg(QStringLiteral(",0,115,225").repeated(6)));
    colors.run();
}

void seedHeddrinPrices(Database &db)
{
    struct Item
    {
        const char *name;
        double labor;
        double material;
    };
    static const Item items[27] = {
        {"Interior Painting - per SQFT", 0.21, 0.09},
        {"Exterior Painting - per SQFT", 0.22, 0.12},
        {"Interior Trim Painting - per LNFT", 0.95, 0.24},
        {"Exterior Trim Painting - per LNFT", 1.22, 0.22},
        {"Interior Prime - per SQFT", 0.17, 0.07},
        {"Exterior Prime - per SQFT", 0.18, 0.06},
        {"Interior Spot Prime - per SQFT", 0.09, 0.05},
        {"Exterior Spot Prime - per SQFT", 0.09, 0.04},
        {"Interior Wash - per SQFT", 0.11, 0.02},
        {"Exterior Wash - per SQFT", 0.09, 0.03},
        {"Interior Sand - per SQFT", 0.18, 0.03},
        {"Exterior Sand - per SQFT", 0.25, 0.06},
        {"Interior Caulk - per SQFT", 0.07, 0.03},
        {"Exterior Caulk - per SQFT", 0.08, 0.04},
        {"Interior Mask - per SQFT", 0.18, 0.04},
        {"Exterior Mask - per SQFT", 0.20, 0.03},
        {"Interior Paint Doors - each", 28.35, 6.55},
        {"Exterior Paint Doors - each", 32.85, 8.25},
        {"Interior Paint Door Frame/Trim - each", 26.40, 4.22},
        {"Exterior Paint Door Frame/Trim - each", 18.85, 4.25},
        {"Interior Paint Window Frame/Trim - each", 28.95, 6.95},
        {"Exterior Paint Window Frame/Trim - each", 27.80, 6.88},
        {"Paint Closets - each", 85.60, 23.55},
        {"Hang Wallpaper - per SQFT", 1.25, 1.66},
        {"Remove Wallpaper - per SQFT", 3.25, 1.21},
        {"Hang Wallpaper Border - per LNFT", 4.63, 2.25},
        {"Remove Wallpaper Border - per LNFT", 6.68, 1.33},
    };
    Statement stmt = db.prepare(QStringLiteral(
        "INSERT INTO tblPrices(intPrcItemNumID,strPrcItemName,dbLbrPrc,dbMatPrc)VALUES(?,?,?,?)"));
    for (int i = 0; i < 27; ++i) {
        stmt.bindAll(i + 1, items[i].name, items[i].labor, items[i].material).run();
        stmt.reset();
    }
}

void seedPriceList(Database &db)
{
    struct Item
    {
        const char *name;
        const char *laborTax;
        const char *materialTax;
        double labor;
        double material;
    };
    static const Item items[12] = {
        {"Wash small window - EA.", "0", "-1", 6.15, 1.35},
        {"Wash med window - EA. 2 story", "0", "0", 22.00, 0.75},
        {"Install new roofing - 1 Story per square", "0", "-1", 54.75, 22.75},
        {"Install new roofing - 2 Story per square", "0", "-1", 64.75, 22.75},
        {"Install Wood fence -  per running foot", "0", "-1", 9.25, 7.75},
        {"Install Chain link fence - per running foot", "0", "-1", 5.10, 2.25},
        {"Trim Lawn edge - med size per week", "0", "0", 6.25, 0.00},
        {"Mow Lawn - med size per week", "0", "0", 15.00, 5.00},
        {"Office Cleaning - med size per week", "0", "0", 48.55, 12.33},
        {"Wax and buff floor - per SQFT", "0", "0", 0.97, 0.10},
        {"Child care - age under 3, per day", "0", "0", 21.55, 2.10},
        {"Child care - age 3 to 6, per day", "0", "0", 18.45, 3.15},
    };
    Statement stmt = db.prepare(QStringLiteral(
        "INSERT INTO tblPrices(strPrcItemName,strLabTax,strMatTax,dbLbrPrc,dbMatPrc)VALUES(?,?,?,?,?)"));
    for (const Item &item : items) {
        stmt.bindAll(item.name, item.laborTax, item.materialTax, item.labor, item.material).run();
        stmt.reset();
    }
}

void seedPlanner(Database &db, QDate today)
{
    insert(db, QStringLiteral("INSERT INTO tblPlannerSettings VALUES(1,255,255,0,215,228,242,255,98,98,2,0)"));

    const auto at = [&](int days, int hour, int minute) {
        return StoredForm::dateTimeText(StoredForm::wallClock(today.addDays(days), QTime(hour, minute)));
    };
    Statement stmt = db.prepare(QStringLiteral(
        "INSERT INTO tblPlanner(intActMasterID,intActYear,intActDayOfYear,strActStartDateTime,strActEndDateTime,"
        "strActivity,strActPriority,strActNote)VALUES(?,?,?,?,?,?,?,?)"));
    const auto row = [&](int master, int dayOffset, const QString &start, const QString &end, const char *activity,
                         const char *priority, const char *note) {
        const QDate day = today.addDays(dayOffset);
        stmt.bindAll(master, day.year(), day.dayOfYear(), start, end, activity, priority, note).run();
        stmt.reset();
    };
    row(1, 0, at(0, 8, 0), at(0, 8, 30), "Estimate for the jones", "-1", "Activity Notes Here! SAMPLE ");
    row(2, 5, at(5, 8, 0), at(5, 8, 0), "Start job at 123 Alley Street", "-1", "SAMPLE");
    const QString start = at(-10, 0, 0);
    const QString end = at(-8, 0, 0);
    row(3, -10, start, end, "Work for John Jones", "0", "Job must be done in 3 Days!!! SAMPLE");
    row(3, -9, start, end, "Work for John Jones", "0", "Job must be done in 3 Days!!! SAMPLE ");
    row(3, -8, start, end, "Work for John Jones", "0", "Job must be done in 3 Days!!! SAMPLE ");
}

} // namespace

QStringList createStatements(const Edition &edition)
{
    return createStatementsImpl(edition);
}

void insertSeedRows(Database &db, const Edition &edition, QDate today)
{
    insert(db, QStringLiteral("INSERT INTO tblAppPreferences VALUES(1,'-1','-1','-1','-1','0','0','0','0','0','0','0',"
                              "'0','0')"));
    seedCustomers(db);
    seedCompany(db);
    insert(db, QStringLiteral("INSERT INTO tblRecurring VALUES(1,'')"));
    if (edition.usesWorkSheets())
        seedHeddrinPrices(db);
    else
        seedPriceList(db);
    seedPlanner(db, today);
}

} // namespace SeedData
