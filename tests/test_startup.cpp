#include "TestEnvironment.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "app/StartUp.h"
#include "data/Database.h"
#include "data/FileError.h"
#include "data/DateText.h"
#include "data/Schema.h"
#include "invoice/DocumentKinds.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTest>
#include <unistd.h>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QStringList tables(Database &db)
{
    QStringList names;
    Statement q = db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (q.step())
        names << q.textAt(0);
    return names;
}

/// "name TYPE" of each column as the file declares it; on the office server, whose
/// types are its own, the names alone.
QStringList columns(Database &db, const QString &table)
{
    QStringList names;
    if (TestCompanyOnServer::selected()) {
        Statement q = db.prepare(QStringLiteral("SELECT * FROM %1 WHERE 0 = 1").arg(table));
        for (int c = 0; c < q.columnCount(); ++c)
            names << q.columnName(c);
        return names;
    }
    Statement q = db.prepare(QStringLiteral("SELECT name || ' ' || type FROM pragma_table_info(?)"));
    q.bind(1, table);
    while (q.step())
        names << q.textAt(0);
    return names;
}

/// \a declared ("name TYPE") as columns() gives it on this run's engine.
QStringList layout(QStringList declared)
{
    if (TestCompanyOnServer::selected()) {
        for (QString &column : declared)
            column = column.section(QLatin1Char(' '), 0, 0);
    }
    return declared;
}

QString layout(const QString &declared)
{
    return layout(QStringList{declared}).first();
}

qint64 count(Database &db, const QString &table)
{
    return db.queryInt(QStringLiteral("SELECT count(*) FROM ") + table);
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void firstStartBuildsTheEditionsDatabase_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("file");
        QTest::newRow("Corvalo") << 1 << QStringLiteral("corvalo6/corvalo6.db");
        QTest::newRow("Heddrin") << 2 << QStringLiteral("heddrin6/heddrin6.db");
        QTest::newRow("Ostrev") << 3 << QStringLiteral("ostrev6/ostrev6.db");
        QTest::newRow("Lunvard") << 4 << QStringLiteral("lunvard6/lunvard6.db");
    }

    void firstStartBuildsTheEditionsDatabase()
    {
        QFETCH(int, edition);
        QFETCH(QString, file);
        TestSession session(edition);
        session.start(QDate(2026, 12, 9));

        const QString expected = session.folder.path() + QStringLiteral("/Tarnwick Software/") + file;
        QCOMPARE(session.context.databasePath(), expected);
        // A company kept on the office server leaves no file behind on this computer.
        const bool onServer = TestCompanyOnServer::selected() && edition != Edition::Lunvard;
        QCOMPARE(QFile::exists(expected), !onServer);
        QVERIFY(!QFile::exists(expected + QStringLiteral(".building")));

        const auto db = session.db();
        const bool heddrin = edition == Edition::Heddrin;
        QStringList expectedTables = {"tblAppPreferences", "tblCompColorData", "tblCompanyInfo", "tblCompanyInvData",
                                      "tblContractWarranty", "tblCustomers", "tblInvData", "tblInvHeader",
                                      "tblPayments", "tblPlanner", "tblPlannerSettings", "tblPrices", "tblProgressBilled",
                                      "tblProgressInvoices", "tblProgressJobs", "tblProgressSchedule", "tblRecurring", "tblReport",
                                      "tblSchemaLevel", "tblUnreadValues"};
        if (heddrin)
            expectedTables << "tblSavedPrices";
        expectedTables.sort();
        QCOMPARE(tables(*db), expectedTables);

        QCOMPARE(db->queryInt(QStringLiteral("PRAGMA application_id")), Schema::kApplicationId);
        QCOMPARE(db->queryInt(QStringLiteral("PRAGMA user_version")), edition);
        if (!onServer) // the file's own way of giving back freed pages; the server has its own
            QCOMPARE(db->queryInt(QStringLiteral("PRAGMA auto_vacuum")), 2);

        QCOMPARE(count(*db, "tblCustomers"), 3);
        QCOMPARE(count(*db, "tblPlanner"), 5);
        QCOMPARE(count(*db, "tblInvHeader"), 0);
        QCOMPARE(count(*db, "tblReport"), 0);
        QCOMPARE(db->queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = 1")),
                 500);
        QCOMPARE(count(*db, "tblPrices"), heddrin ? 27 : 12);
        if (heddrin) {
            QCOMPARE(db->queryInt(QStringLiteral("SELECT group_concat(intPrcItemNumID) = '1,2,3,4,5,6,7,8,9,10,11,12,"
                                                 "13,14,15,16,17,18,19,20,21,22,23,24,25,26,27' FROM tblPrices")),
                     1);
            QCOMPARE(columns(*db, "tblInvData").mid(0, 4),
                     layout(QStringList({"intInvDataID INTEGER", "intInvNumber INTEGER", "strWorkSheetName TEXT",
                                  "intIntExt INTEGER"})));
            QCOMPARE(columns(*db, "tblInvData").size(), 27);
        } else {
            QCOMPARE(columns(*db, "tblInvData"),
                     layout(QStringList({"intInvDataID INTEGER", "strPrcItemName TEXT", "intInvNumber INTEGER",
                                  "strPrcItmQuantity TEXT", "strLabTax TEXT", "strMatTax TEXT", "dbLbrPrc REAL",
                                  "dbMatPrc REAL"})));
        }
        QCOMPARE(columns(*db, "tblCompanyInvData").size(), 38);
        QCOMPARE(columns(*db, "tblCompanyInvData").at(9), layout(QStringLiteral("strInvTerms1 TEXT")));
        QCOMPARE(columns(*db, "tblCompanyInvData").last(), layout(QStringLiteral("strShowExtraCharges TEXT")));
        QCOMPARE(columns(*db, "tblInvHeader").size(), 37);
        // Documents saved from now on post their totals in cents.
        QVERIFY(columns(*db, "tblInvHeader").contains(layout(QStringLiteral("strPostedInCents TEXT"))));
        QVERIFY(columns(*db, "tblInvHeader").contains(layout(QStringLiteral("intRowVersion INTEGER"))));
        QCOMPARE(columns(*db, "tblInvHeader").last(), layout(QStringLiteral("strDueDateStored TEXT")));
        QCOMPARE(columns(*db, "tblContractWarranty").at(3), layout(QStringLiteral("strContract BLOB")));

        QCOMPARE(session.context.InvoiceTypes, Edition::get(edition).invoiceTypes());
    }

    void seedRowsKeepTheirExactTexts()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const auto db = session.db();

        Statement note = db->prepare(QStringLiteral("SELECT strInvFootNote2, strShowTotalonWO, strShowWallpaper, "
                                                    "intAccptColorRed, dbTaxRate1 FROM tblCompanyInvData"));
        QVERIFY(note.step());
        QVERIFY(note.textAt(0).contains(QStringLiteral("don\u2019t hesitate")));
        QCOMPARE(note.textAt(1), QStringLiteral("0"));
        QCOMPARE(note.textAt(2), QStringLiteral("-1"));
        QCOMPARE(note.intAt(3), 236);
        QCOMPARE(note.doubleAt(4), 0.0123);

        Statement texts = db->prepare(QStringLiteral("SELECT strContract, strWarranty FROM tblContractWarranty"));
        QVERIFY(texts.step());
        const QString contract = texts.textAt(0);
        const QString warranty = texts.textAt(1);
        QCOMPARE(contract.size(), 4195);
        QCOMPARE(warranty.size(), 3652);
        QVERIFY(contract.startsWith(QStringLiteral("SAMPLE CONTRACT ONLY \u2013 Replace with your CONTRACT!\r\n\r\n")));
        QVERIFY(warranty.startsWith(QStringLiteral("SAMPLE WARRANTY ONLY \u2013 Replace with your WARRANTY!\r\n\r\n")));
        QVERIFY(warranty.section(QStringLiteral("\r\n"), -1).startsWith(
            QStringLiteral("THIS WARRANTY IS VOID if payment must be obtained by a lien")));

        QCOMPARE(db->queryInt(QStringLiteral(
                     "SELECT count(*) FROM tblPrices WHERE strPrcItemName = 'Install Wood fence -  per running foot' "
                     "AND strMatTax = '-1' AND dbLbrPrc = 9.25")),
                 1);
        QCOMPARE(db->queryInt(QStringLiteral("SELECT intCustDiscount FROM tblCustomers WHERE strCustFirstName = "
                                             "'John'")),
                 10);
        QCOMPARE(db->queryInt(QStringLiteral("SELECT count(*) FROM tblCustomers WHERE strCustTaxExmpt = '-1' AND "
                                             "strCustMainPhone = '220-444-9874 ext 1234'")),
                 1);
    }

    void companyRecordAndEditionRules()
    {
        TestSession corvalo(Edition::Corvalo);
        corvalo.start();
        const CompanyRecord &c = corvalo.context.company;
        QCOMPARE(c.invData.dbTaxRate1, 0.0123);
        QCOMPARE(c.invData.dbTaxRate2, 0.05);
        QCOMPARE(c.invData.dbTaxRate3, 0.0);
        QCOMPARE(c.invData.intNumEstDays, 30);
        QCOMPARE(c.invData.intDepPercent, 25);
        QCOMPARE(c.invData.strInvTerms[4], QStringLiteral("Net Due on the 20th"));
        QVERIFY(c.invData.strInvFootNote[0].isEmpty());
        QCOMPARE(c.invData.strInvFootNote[3], QStringLiteral("Foot Note 3 Here!!"));
        for (const QColor &color : {c.EstColor, c.WrkOrderColor, c.ChngOrderColor, c.InvColor, c.CrdtColor,
                                    c.PstDueColor})
            QCOMPARE(color, QColor(0, 115, 225));
        QCOMPARE(c.invData.AccptColor, QColor(236, 255, 236));
        QCOMPARE(c.planner.WkndColor, QColor(215, 228, 242));
        QCOMPARE(c.planner.intRemoveActivity, 2);
        QCOMPARE(c.company.strCompLicNum1, QStringLiteral("123 My State License"));
        QCOMPARE(c.company.strCompExtraPhone1Name, QStringLiteral("Cell"));
        QVERIFY(c.invData.strLargeLogo);

        TestSession lunvard(Edition::Lunvard);
        lunvard.start();
        lunvard.db()->exec(QStringLiteral("UPDATE tblCompanyInvData SET strShowQuantity = '0', strShowTotal = '0'"));
        lunvard.start();
        const CompanyRecord &l = lunvard.context.company;
        QVERIFY(l.invData.strShowQuantity && l.invData.strShowPrcEach && l.invData.strShowTotal);
        QVERIFY(l.company.strCompLicNum1.isEmpty() && l.company.strCompLicName1.isEmpty());
        QVERIFY(l.company.strCompEmail.isEmpty() && l.company.strCompExtraPhone2.isEmpty());
        QCOMPARE(l.company.strCompName, QStringLiteral("My Company Name"));
        // The rules change memory only.
        QCOMPARE(lunvard.db()->queryInt(QStringLiteral("SELECT strShowQuantity FROM tblCompanyInvData")), 0);

        TestSession ostrev(Edition::Ostrev);
        ostrev.start();
        QVERIFY(!ostrev.context.company.invData.strLargeLogo);
        QCOMPARE(ostrev.context.company.company.strCompLicNum1, QStringLiteral("123 My State License"));
        QVERIFY(ostrev.context.company.company.strCompLicNum2.isEmpty());
    }

    void secondStartWritesNothing()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        const QString path = session.context.databasePath();
        const QByteArray before = fileHash(path);
        const QDateTime modified = QFileInfo(path).lastModified();
        session.start();
        QCOMPARE(fileHash(path), before);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
    }

    void plannerSamplesAreDatedFromTheBuildDay_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("dayOfYearTenDaysBack");
        QTest::newRow("common previous year") << QDate(2027, 1, 5) << 360;
        QTest::newRow("leap previous year") << QDate(2025, 1, 5) << 361;
    }

    void plannerSamplesAreDatedFromTheBuildDay()
    {
        QFETCH(QDate, today);
        QFETCH(int, dayOfYearTenDaysBack);
        TestSession session(Edition::Corvalo);
        session.start(today);
        const auto db = session.db();
        Statement q = db->prepare(QStringLiteral(
            "SELECT intActYear, intActDayOfYear, strActStartDateTime, strActEndDateTime FROM tblPlanner "
            "WHERE intActMasterID = 3 ORDER BY intActID"));
        QVERIFY(q.step());
        QCOMPARE(q.intAt(0), today.year() - 1);
        QCOMPARE(q.intAt(1), dayOfYearTenDaysBack);
        QCOMPARE(q.textAt(2), today.addDays(-10).toString(Qt::ISODate) + QStringLiteral("T00:00:00"));
        QCOMPARE(q.textAt(3), today.addDays(-8).toString(Qt::ISODate) + QStringLiteral("T00:00:00"));

        Statement first = db->prepare(QStringLiteral(
            "SELECT intActYear, intActDayOfYear, strActStartDateTime, strActNote FROM tblPlanner WHERE intActMasterID = 1"));
        QVERIFY(first.step());
        QCOMPARE(first.intAt(1), today.dayOfYear());
        QCOMPARE(first.textAt(2), today.toString(Qt::ISODate) + QStringLiteral("T08:00:00"));
        QCOMPARE(first.textAt(3), QStringLiteral("Activity Notes Here! SAMPLE "));
    }

    void failedBuildLeavesNoFileAndIsRetried()
    {
        if (TestCompanyOnServer::selected())
            QSKIP("The obstacle is the file's own journal; on the server the build is one transaction "
                  "(test_server::copyThatFailsLeavesTheServerEmpty).");
        TestSession session(Edition::Ostrev);
        const QString path = session.context.databasePath();
        QDir().mkpath(QFileInfo(path).path());
        // A folder where the build's journal must go makes the first write fail.
        const QString obstacle = path + QStringLiteral(".building-journal");
        QVERIFY(QDir().mkpath(obstacle));
        try {
            session.start();
            QFAIL("start-up succeeded without a database");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        }
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".building")));

        QVERIFY(QDir(obstacle).removeRecursively());
        session.start();
        QCOMPARE(count(*session.db(), "tblCustomers"), 3);
    }

    void aDataFolderThatCannotBeMadeIsNamed()
    {
        TestSession session(Edition::Corvalo);
        const QString data = Paths::GetDataFolder();
        QVERIFY(QDir().mkpath(QFileInfo(data).path()));
        QFile inTheWay(data); // a file where the data folder belongs
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        try {
            session.start();
            QFAIL("start-up went on without its folder");
        } catch (const FileError &error) {
            QVERIFY2(error.message().contains(QDir::toNativeSeparators(data) + QStringLiteral("\" is a file")),
                     qPrintable(error.message()));
        }
        QVERIFY(inTheWay.remove());

        if (::geteuid() == 0)
            QSKIP("permissions do not bind the super-user");
        QVERIFY(QDir().mkpath(data));
        QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
        try {
            session.start();
            QFAIL("start-up went on without a writable folder");
        } catch (const FileError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Permission denied: the data folder \"")
                                                + QDir::toNativeSeparators(Paths::GetCompanyFolder(session.context.edition()))),
                     qPrintable(error.message()));
            QVERIFY(error.message().contains(QDir::toNativeSeparators(data)));
        }
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void emptyOrForeignFileIsReportedNotFilled_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("zero bytes") << QByteArray() << QStringLiteral("is empty");
        QTest::newRow("foreign") << QByteArray("plain text, not a database at all") << QStringLiteral("not a database");
    }

    void emptyOrForeignFileIsReportedNotFilled()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TestSession session(Edition::Lunvard);
        const QString path = session.context.databasePath();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        try {
            session.start();
            QFAIL("start-up accepted the file");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
        }
        QFile check(path);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), content);
    }

    void anotherProgramsDatabaseIsReportedNotFilled()
    {
        TestSession session(Edition::Ostrev);
        const QString path = session.context.databasePath();
        QDir().mkpath(QFileInfo(path).path());
        Database(path, Database::OpenMode::CreateFile).exec(QStringLiteral("CREATE TABLE orders(id INTEGER)"));
        try {
            session.start();
            QFAIL("start-up accepted another program's database");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("not a database of this program")),
                     qPrintable(error.message()));
        }
        const auto db = session.db();
        QVERIFY(db->tableExists(QStringLiteral("orders")));
        QVERIFY(!db->tableExists(QStringLiteral("tblCompanyInvData")));
        QVERIFY(!db->tableExists(QStringLiteral("tblSchemaLevel")));
    }

    void editionsKeepSeparateFiles()
    {
        TestDataFolder folder;
        const QString lunvard = Paths::GetDataBasePath(Edition::get(Edition::Lunvard));
        const QString heddrin = Paths::GetDataBasePath(Edition::get(Edition::Heddrin));
        QVERIFY(lunvard.endsWith(QStringLiteral("/Tarnwick Software/lunvard6/lunvard6.db")));
        QVERIFY(heddrin.endsWith(QStringLiteral("/Tarnwick Software/heddrin6/heddrin6.db")));
        QVERIFY(Paths::GetLogoPath(Edition::get(Edition::Lunvard)).endsWith(QStringLiteral("lunvard6/CmpLogo.jpg")));
        QVERIFY(Paths::GetHelpFilePath(Edition::get(Edition::Lunvard)).endsWith(QStringLiteral("lunvardhelp.html")));
        QCOMPARE(Edition::byName(QStringLiteral("ostrev"))->GetEditionNumber(), 3);
        QVERIFY(Edition::get(1).IsFullEdition() && Edition::get(2).IsFullEdition());
        QVERIFY(!Edition::get(3).IsFullEdition() && !Edition::get(4).IsFullEdition());
    }

    void preferencesSurviveARestart()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        AppPreferences &prefs = session.context.preferences;
        for (int i = 0; i < AppPreferences::FlagCount; ++i)
            QCOMPARE(prefs.flags[std::size_t(i)], i <= 3);
        prefs[AppPreferences::FrmMainMaximized] = false;
        prefs[AppPreferences::FrmCompanyInfoRibbonMinimized] = true;
        StartUp::pShutDown(session.context);
        session.start();
        QVERIFY(!prefs[AppPreferences::FrmMainMaximized]);
        QVERIFY(prefs[AppPreferences::FrmCompanyInfoRibbonMinimized]);
        QVERIFY(!prefs[AppPreferences::FrmCustomerRibbonMinimized]);
        QCOMPARE(session.db()->queryInt(QStringLiteral("SELECT strFrmCompanyInfoRibbonMinimized = '-1' FROM "
                                                       "tblAppPreferences")),
                 1);
    }

    void quittingSavesThePreferencesBeforeThePlannerCleanup()
    {
        const QDate today(2026, 6, 15);
        TestSession session(Edition::Corvalo);
        session.start(today);
        const auto planned = [&session] {
            return session.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblPlanner"));
        };
        QVERIFY(planned() > 0);

        // A clean-up that fails leaves the preferences written and the activities kept.
        session.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON tblPlanner "
                                          "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
        session.context.preferences[AppPreferences::FrmMainMaximized] = false;
        const qint64 before = planned();
        QVERIFY_THROWS_EXCEPTION(DbError, StartUp::pShutDown(session.context, today.addYears(2)));
        QCOMPARE(planned(), before);
        QCOMPARE(session.db()->queryInt(QStringLiteral("SELECT strFrmMainMaximized = '-1' FROM tblAppPreferences")), 0);

        session.db()->exec(QStringLiteral("DROP TRIGGER refuse"));
        StartUp::pShutDown(session.context, today.addYears(2));
        QCOMPARE(planned(), 0);
    }

    void documentSubtitles()
    {
        using namespace DocumentKinds;
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const Edition &corvalo = Edition::get(Edition::Corvalo);
        QCOMPARE(GetInvoiceTitle({"Estimate", QDate(2026, 3, 1), ""}, 30, corvalo, us),
                 QStringLiteral("Estimate Valid Until 3/31/2026"));
        QCOMPARE(GetInvoiceTitle({"change order", QDate(2026, 12, 15), ""}, 30, corvalo, us),
                 QStringLiteral("Change Order Valid Until 1/14/2027"));
        QCOMPARE(GetInvoiceTitle({"Estimate", QDate(2026, 3, 1), ""}, 0, corvalo, us), QString());
        QCOMPARE(GetInvoiceTitle({"Estimate", QDate(), ""}, 30, corvalo, us), QString());
        QCOMPARE(GetInvoiceTitle({"Credit", QDate(2026, 3, 1), "Invoice 512"}, 30, corvalo, us),
                 QStringLiteral("Credit for Invoice 512"));
        QCOMPARE(GetInvoiceTitle({"Credit", QDate(2026, 3, 1), ""}, 30, corvalo, us), QString());
        QCOMPARE(GetInvoiceTitle({"PAST DUE", QDate(2026, 3, 1), "Invoice 7"}, 30, corvalo, us),
                 QStringLiteral("Past Due Notice for Invoice 7"));
        QCOMPARE(GetInvoiceTitle({"Work Order", QDate(2026, 3, 1), ""}, 30, corvalo, us), QString());
        QCOMPARE(GetInvoiceTitle({"Estimate", QDate(2026, 3, 1), ""}, 30, Edition::get(Edition::Lunvard), us), QString());

        CompanyRecord company;
        company.InvColor = Qt::red;
        company.CrdtColor = Qt::green;
        QCOMPARE(colorOf(QStringLiteral("invoice"), company), QColor(Qt::red));
        QCOMPARE(colorOf(QStringLiteral("Credit"), company), QColor(Qt::green));
        QVERIFY(!colorOf(QStringLiteral("Receipt"), company).isValid());
        QVERIFY(isDepositKind(QStringLiteral("work order")) && !isDepositKind(QStringLiteral("Past Due")));
        QCOMPARE(Edition::get(Edition::Ostrev).invoiceTypes(),
                 QStringList({"Estimate", "Work Order", "Invoice", "Credit", "Past Due"}));
    }
};

QTEST_MAIN(TestStartUp)
#include "test_startup.moc"
