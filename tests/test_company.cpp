#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "company/CompanyInfoWidgets.h"
#include "company/CompanySettings.h"
#include "company/ContractWarranty.h"
#include "company/TfrmCompanyInfo.h"
#include "company/TfrmTextEditor.h"
#include "data/BackupRestore.h"
#include "data/Database.h"
#include "data/FileError.h"
#include "data/StoredText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolBar>

namespace {

// A company's database as a file at \a target, from the file or from the server.
bool copyCompany(const QString &databasePath, const QString &target)
{
    BackupRestore::copyDatabaseFile(databasePath, target);
    return QFileInfo::exists(target);
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QString storedText(Database &db, const QString &sql)
{
    Statement q = db.prepare(sql);
    q.step();
    return q.textAt(0);
}

/// Every text of the record set from \a text, made distinct per field so a swap of
/// two columns shows.
CompanyRecord recordWithTexts(CompanyRecord record, const QString &text)
{
    int n = 0;
    const auto next = [&] { return text + QString::number(++n); };
    TrecCompanyData &c = record.company;
    for (QString *field : {&c.strCompName, &c.strCompAddress, &c.strCompCity, &c.strCompState, &c.strCompZip,
                           &c.strCompMainPhone, &c.strCompExtraPhone1, &c.strCompExtraPhone2, &c.strCompExtraPhone1Name,
                           &c.strCompExtraPhone2Name, &c.strCompLicName1, &c.strCompLicNum1, &c.strCompLicName2,
                           &c.strCompLicNum2, &c.strCompLicName3, &c.strCompLicNum3, &c.strCompWebSite,
                           &c.strCompEmail})
        *field = next();
    TrecCmpnyInvData &d = record.invData;
    for (QString *field : {&d.strTaxName1, &d.strTaxName2, &d.strTaxName3, &d.strAcceptanceInfo})
        *field = next();
    for (int t = 1; t <= 10; ++t)
        d.strInvTerms[std::size_t(t)] = next();
    for (int f = 1; f <= 3; ++f)
        d.strInvFootNote[std::size_t(f)] = next() + QStringLiteral("\r\nsecond line");
    return record;
}

template<typename T>
T *child(QObject &parent, const QString &name)
{
    T *found = parent.findChild<T *>(name);
    if (!found)
        qWarning("no child %s", qPrintable(name));
    return found;
}

QString writeBitmap(const QString &folder, const QString &name, const QColor &color)
{
    QImage image(120, 60, QImage::Format_ARGB32);
    image.fill(color);
    const QString path = folder + QLatin1Char('/') + name;
    image.save(path, "BMP");
    return path;
}

/// Clicks a check box or radio button on its caption (its centre may lie beyond it).
void clickBox(QAbstractButton *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestCompany : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ settings store

    void settingsKeepEveryTextExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes and SQL") << QStringLiteral("Bob's \"Best\" Paint\"; DROP TABLE tblCompanyInfo;--");
        QTest::newRow("column name") << QStringLiteral("strCompName");
        QTest::newRow("unicode") << QStringLiteral("Zo\u00eb \u2013 \u00a0\u05e9\u05dc\u05d5\u05dd \U0001F3E0");
        QTest::newRow("backslash percent") << QStringLiteral("C:\\temp 100% _x_ \t");
    }

    void settingsKeepEveryTextExactly()
    {
        QFETCH(QString, text);
        TestSession session(Edition::Corvalo);
        session.start();
        CompanyRecord edited = recordWithTexts(session.context.company, text);
        edited.invData.dbTaxRate1 = 9.9999;
        edited.invData.dbTaxRate2 = 0.0825;
        edited.invData.dbTaxRate3 = 0;
        edited.invData.intTaxOn = 2;
        edited.invData.intNumEstDays = 180;
        edited.invData.intDepPercent = 100;
        edited.invData.strLargeLogo = false;
        edited.invData.strShowTotalonWO = true;
        edited.invData.strShowWallpaper = false;
        edited.invData.AccptColor = QColor(1, 2, 3);
        edited.EstColor = QColor(10, 20, 30);
        edited.PstDueColor = QColor(255, 0, 128);
        edited.planner.WkndColor = QColor(4, 5, 6);
        edited.planner.intRemoveActivity = 3;
        edited.planner.intDefaultPlanner = 2;

        const auto db = session.db();
        CompanySettings::save(*db, edited, session.context.edition());
        const CompanyRecord back = CompanyRecord::readStored(*db);

        QCOMPARE(back.company.strCompName, edited.company.strCompName);
        QCOMPARE(back.company.strCompZip, edited.company.strCompZip);
        QCOMPARE(back.company.strCompExtraPhone2Name, edited.company.strCompExtraPhone2Name);
        QCOMPARE(back.company.strCompLicNum3, edited.company.strCompLicNum3);
        QCOMPARE(back.company.strCompEmail, edited.company.strCompEmail);
        QCOMPARE(back.company.strCompWebSite, edited.company.strCompWebSite);
        QCOMPARE(back.invData.strTaxName3, edited.invData.strTaxName3);
        QCOMPARE(back.invData.strAcceptanceInfo, edited.invData.strAcceptanceInfo);
        QCOMPARE(back.invData.strInvTerms, edited.invData.strInvTerms);
        QCOMPARE(back.invData.strInvFootNote, edited.invData.strInvFootNote);
        QCOMPARE(back.invData.dbTaxRate1, 9.9999);
        QCOMPARE(back.invData.dbTaxRate2, 0.0825);
        QCOMPARE(back.invData.intTaxOn, 2);
        QCOMPARE(back.invData.intNumEstDays, 180);
        QCOMPARE(back.invData.intDepPercent, 100);
        QCOMPARE(back.invData.strLargeLogo, false);
        QCOMPARE(back.invData.strShowTotalonWO, true);
        QCOMPARE(back.invData.strShowWallpaper, false);
        QCOMPARE(back.invData.AccptColor, QColor(1, 2, 3));
        QCOMPARE(back.EstColor, QColor(10, 20, 30));
        QCOMPARE(back.PstDueColor, QColor(255, 0, 128));
        QCOMPARE(back.WrkOrderColor, QColor(0, 115, 225));
        QCOMPARE(back.planner.WkndColor, QColor(4, 5, 6));
        QCOMPARE(back.planner.intRemoveActivity, 3);
        QCOMPARE(back.planner.intDefaultPlanner, 2);
        // Booleans as boolean text; the document number is not the window's business.
        QCOMPARE(storedText(*db, QStringLiteral("SELECT strShowTotalonWO || strLargeLogo FROM tblCompanyInvData")),
                 QStringLiteral("-10"));
        QCOMPARE(db->queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData")), 500);
        QCOMPARE(db->queryInt(QStringLiteral("SELECT count(*) FROM tblCompanyInfo")), 1);
    }

    void editionHiddenFieldsKeepTheirStoredValues()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        session.db()->exec(QStringLiteral("UPDATE tblCompanyInvData SET strShowPrcEach = '0'"));
        session.start();
        CompanyRecord edited = session.context.company; // licences and e-mail blank in memory
        edited.company.strCompName = QStringLiteral("New Name");
        const auto db = session.db();
        CompanySettings::save(*db, edited, session.context.edition());

        const CompanyRecord stored = CompanyRecord::readStored(*db);
        QCOMPARE(stored.company.strCompName, QStringLiteral("New Name"));
        QCOMPARE(stored.company.strCompLicNum1, QStringLiteral("123 My State License"));
        QCOMPARE(stored.company.strCompEmail, QStringLiteral("office@example.com"));
        QCOMPARE(stored.company.strCompExtraPhone1Name, QStringLiteral("Cell"));
        QCOMPARE(stored.invData.strShowPrcEach, false);
    }

    void taxOptionWithoutName()
    {
        TrecCmpnyInvData d;
        d.strTaxName1 = QStringLiteral("Local");
        d.dbTaxRate1 = 0.01;
        QCOMPARE(CompanySettings::GetTaxOptionWithoutName(d), 0);
        d.dbTaxRate3 = 0.02;
        QCOMPARE(CompanySettings::GetTaxOptionWithoutName(d), 3);
        d.dbTaxRate2 = 0.0001;
        QCOMPARE(CompanySettings::GetTaxOptionWithoutName(d), 2);
        d.strTaxName1.clear();
        QCOMPARE(CompanySettings::GetTaxOptionWithoutName(d), 1);
    }

    void failedSaveChangesNothing()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString logoPath = Paths::GetLogoPath(session.context.edition());
        QImage oldLogo(40, 20, QImage::Format_RGB32);
        oldLogo.fill(Qt::red);
        QVERIFY(oldLogo.save(logoPath, "JPG"));
        const QByteArray logoBefore = fileHash(logoPath);
        session.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblPlannerSettings "
                                          "BEGIN SELECT RAISE(ABORT, 'planner settings are read-only'); END"));
        const QByteArray dbBefore = fileHash(session.context.databasePath());
        const QStringList folderBefore = filesIn(Paths::GetCompanyFolder(session.context.edition()));

        CompanyRecord edited = session.context.company;
        edited.company.strCompName = QStringLiteral("Never Saved");
        edited.invData.strInvTerms[1] = QStringLiteral("Never Saved Term");
        QImage newLogo(40, 20, QImage::Format_RGB32);
        newLogo.fill(Qt::blue);
        try {
            CompanySettings::pSaveCompanyData(session.context, edited,
                                              {CompanySettings::LogoChange::Replace, newLogo});
            QFAIL("the save should have failed");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("planner settings are read-only")));
        }
        QCOMPARE(session.context.company.company.strCompName, QStringLiteral("My Company Name"));
        QCOMPARE(session.context.company.invData.strInvTerms[1], QStringLiteral("Due on day of completion"));
        QCOMPARE(fileHash(session.context.databasePath()), dbBefore);
        QCOMPARE(fileHash(logoPath), logoBefore);
        QCOMPARE(filesIn(Paths::GetCompanyFolder(session.context.edition())), folderBefore);

        // Through the window the engine's message reaches the user and Save stays on.
        TfrmCompanyInfo window(session.context);
        window.show();
        auto *name = child<QLineEdit>(window, QStringLiteral("txtCompName"));
        QTest::keyClicks(name, QStringLiteral(" 2"));
        QVERIFY(!window.pSave());
        QVERIFY(session.prompts.lastMessage().contains(QStringLiteral("planner settings are read-only")));
        QCOMPARE(session.prompts.asked.last().kind, QStringLiteral("Error"));
        QVERIFY(child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
        QCOMPARE(session.context.company.company.strCompName, QStringLiteral("My Company Name"));
    }

    void logoIsWrittenAfterTheCommitAndRemoved()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString logoPath = Paths::GetLogoPath(session.context.edition());
        QImage picture(80, 40, QImage::Format_RGB32);
        picture.fill(QColor(0, 128, 0));
        CompanySettings::pSaveCompanyData(session.context, session.context.company,
                                          {CompanySettings::LogoChange::Replace, picture});
        QFile logo(logoPath);
        QVERIFY(logo.open(QIODevice::ReadOnly));
        QCOMPARE(logo.read(2), QByteArray("\xFF\xD8", 2)); // a JPEG
        logo.close();
        QCOMPARE(QImage(logoPath).size(), QSize(80, 40));

        CompanySettings::pSaveCompanyData(session.context, session.context.company, {});
        QVERIFY(QFileInfo::exists(logoPath));
        CompanySettings::pSaveCompanyData(session.context, session.context.company,
                                          {CompanySettings::LogoChange::Remove, {}});
        QVERIFY(!QFileInfo::exists(logoPath));
        // Only the database is left (on the server, not even that).
        const QStringList database{Paths::GetDataBaseName(session.context.edition())};
        QCOMPARE(filesIn(Paths::GetCompanyFolder(session.context.edition())),
                 TestCompanyOnServer::selected() ? QStringList() : database);
    }

    // ------------------------------------------------------------ company window

    void windowShowsTheRecordWithSaveOff()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Company Information"));
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtCompName"))->text(), QStringLiteral("My Company Name"));
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtCompName"))->toolTip(),
                 QStringLiteral("Enter your Company Name"));
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtTax1"))->text(), QStringLiteral("0.0123"));
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtTax2"))->text(), QStringLiteral("0.0500"));
        QCOMPARE(child<QListWidget>(window, QStringLiteral("lstPmtTerms"))->count(), 4);
        QCOMPARE(child<QLabel>(window, QStringLiteral("lblPmtTermsCount"))->text(),
                 QStringLiteral("You may add 6 more Payment Terms"));
        QCOMPARE(child<QLabel>(window, QStringLiteral("lblLogoStatus"))->text(), QStringLiteral("No Logo"));
        QVERIFY(!child<QPushButton>(window, QStringLiteral("btnRemoveLogo"))->isEnabled());
        QVERIFY(!child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
        QCOMPARE(child<QStackedWidget>(window, QStringLiteral("pgcCompanyInfo"))->currentWidget()->objectName(),
                 QStringLiteral("tbCompanyInfo"));
        // Closing without changes asks nothing.
        window.close();
        QVERIFY(session.prompts.asked.isEmpty());
    }

    void everyFieldSavedThroughTheWindow()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        const QString hostile = QStringLiteral("O'Neil \"Q\" \u00e9\u2013\U0001F3E0");
        const QStringList fields = {"txtCompName",           "txtCompAddress",        "txtCompCity",
                                    "txtCompState",          "txtCompZipCode",        "txtCompPhoneNumber",
                                    "txtCompExtraPhone1Name", "txtCompExtraPhone1",   "txtCompExtraPhone2Name",
                                    "txtCompExtraPhone2",    "txtTaxName1",           "txtTaxName2",
                                    "txtTaxName3",           "txtCompLicenseName1",   "txtCompLicenseNumber1",
                                    "txtCompLicenseName2",   "txtCompLicenseNumber2", "txtCompLicenseName3",
                                    "txtCompLicenseNumber3", "txtCompEmail",          "txtCompWebSite"};
        for (const QString &name : fields) {
            auto *edit = child<QLineEdit>(window, name);
            QVERIFY(edit);
            edit->setText(hostile.left(12) + name.right(2));
        }
        child<QPlainTextEdit>(window, QStringLiteral("txtFootNote2"))->setPlainText(hostile + QStringLiteral("\nline"));
        child<QPlainTextEdit>(window, QStringLiteral("txtAcceptanceInfo"))->setPlainText(hostile);
        QVERIFY(window.pSave());

        const CompanyRecord stored = CompanyRecord::readStored(*session.db());
        const QString tail = hostile.left(12);
        QCOMPARE(stored.company.strCompName, tail + QStringLiteral("me"));
        QCOMPARE(stored.company.strCompZip, tail + QStringLiteral("de"));
        QCOMPARE(stored.company.strCompExtraPhone2, tail + QStringLiteral("e2"));
        QCOMPARE(stored.company.strCompLicNum3, tail + QStringLiteral("r3"));
        QCOMPARE(stored.company.strCompWebSite, tail + QStringLiteral("te"));
        QCOMPARE(stored.invData.strTaxName2, tail + QStringLiteral("e2"));
        QCOMPARE(stored.invData.strInvFootNote[2], hostile + QStringLiteral("\r\nline"));
        QCOMPARE(stored.invData.strAcceptanceInfo, hostile);
        // The record in memory follows at once, for new documents and printing.
        QCOMPARE(session.context.company.company.strCompName, tail + QStringLiteral("me"));
        QCOMPARE(session.context.company.invData.strInvFootNote[2], hostile + QStringLiteral("\r\nline"));
        QVERIFY(!child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
    }

    void longStoredTextsAreNotCut()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString longName(60, QLatin1Char('N'));
        session.context.company.company.strCompName = longName;
        TfrmCompanyInfo window(session.context);
        window.show();
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtCompName"))->text(), longName);
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtCompCity"))->maxLength(), 25);
    }

    void taxNameIsRequiredForAUsedRate()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        auto *rate = child<QLineEdit>(window, QStringLiteral("txtTax2"));
        auto *name = child<QLineEdit>(window, QStringLiteral("txtTaxName2"));
        child<QAction>(window, QStringLiteral("actTaxPage"))->trigger();
        name->clear();
        rate->setFocus();
        rate->setCursorPosition(0);
        QTest::keyClicks(rate, QStringLiteral("00825"));
        QCOMPARE(rate->text(), QStringLiteral("0.0825"));
        child<QAction>(window, QStringLiteral("actCompanyPage"))->trigger();

        QVERIFY(child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
        child<QAction>(window, QStringLiteral("actSave"))->trigger();
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Please enter a Tax Name for Tax Option 2."));
        QCOMPARE(child<QStackedWidget>(window, QStringLiteral("pgcCompanyInfo"))->currentWidget()->objectName(), QStringLiteral("tbTaxs"));
        QCOMPARE(window.focusWidget(), name);
        QCOMPARE(session.db()->queryInt(QStringLiteral("SELECT dbTaxRate2 * 10000 FROM tblCompanyInvData")), 500);

        // Closing with Yes keeps the window open on the Tax page.
        session.prompts.answers = {Prompts::Yes};
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());

        // A zero rate needs no name.
        rate->selectAll();
        QTest::keyClick(rate, Qt::Key_Delete);
        QCOMPARE(rate->text(), QStringLiteral("0.0000"));
        QVERIFY(window.pSave());
        QCOMPARE(session.db()->queryInt(QStringLiteral("SELECT dbTaxRate2 = 0 AND strTaxName2 = '' FROM "
                                                       "tblCompanyInvData")),
                 1);
    }

    void rateFieldCompletesWhatIsLeftBlank()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        session.context.locale = QLocale(QLocale::German, QLocale::Germany);
        TfrmCompanyInfo window(session.context);
        window.show();
        auto *rate = child<QLineEdit>(window, QStringLiteral("txtTax1"));
        rate->selectAll();
        QTest::keyClick(rate, Qt::Key_Backspace);
        QCOMPARE(rate->text(), QStringLiteral("0.0000"));
        QVERIFY(child<QAction>(window, QStringLiteral("actSave"))->isEnabled());

        rate->setCursorPosition(0);
        QTest::keyClicks(rate, QStringLiteral("1234"));
        QCOMPARE(rate->text(), QStringLiteral("1.2340"));
        child<QLineEdit>(window, QStringLiteral("txtTaxName1"))->setText(QStringLiteral("City"));
        QVERIFY(window.pSave());
        QCOMPARE(session.context.company.invData.dbTaxRate1, 1.234);
        QCOMPARE(storedText(*session.db(), QStringLiteral("SELECT printf('%.4f', dbTaxRate1) FROM tblCompanyInvData")),
                 QStringLiteral("1.2340"));
    }

    void paymentTermsEditing()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        for (int t = 5; t <= 7; ++t)
            session.context.company.invData.strInvTerms[std::size_t(t)] = QStringLiteral("Term %1").arg(t);
        TfrmCompanyInfo window(session.context);
        window.show();
        child<QAction>(window, QStringLiteral("actInvoicePage"))->trigger();
        auto *list = child<QListWidget>(window, QStringLiteral("lstPmtTerms"));
        auto *edit = child<QLineEdit>(window, QStringLiteral("txtPmtTerm"));
        auto *add = child<QPushButton>(window, QStringLiteral("btnAddPmtTerm"));
        auto *remove = child<QPushButton>(window, QStringLiteral("btnRemovePmtTerm"));
        auto *cancel = child<QPushButton>(window, QStringLiteral("btnCancelPmtTerm"));
        auto *counter = child<QLabel>(window, QStringLiteral("lblPmtTermsCount"));
        const auto clickEntry = [list](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        };

        QCOMPARE(list->count(), 7);
        QCOMPARE(counter->text(), QStringLiteral("You may add 3 more Payment Terms"));
        QVERIFY(!add->isEnabled() && !remove->isEnabled() && !cancel->isEnabled() && list->isEnabled());

        QTest::keyClicks(edit, QStringLiteral("Net 30 \"cash\""));
        QVERIFY(add->isEnabled() && cancel->isEnabled() && !list->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(list->item(7)->text(), QStringLiteral("Net 30 \"cash\""));
        QVERIFY(edit->text().isEmpty() && !add->isEnabled() && list->isEnabled());
        QVERIFY(child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
        for (const QString &term : {QStringLiteral("Nine"), QStringLiteral("Ten")}) {
            QTest::keyClicks(edit, term);
            QTest::mouseClick(add, Qt::LeftButton);
        }
        QCOMPARE(counter->text(), QStringLiteral("Payment Terms are full"));
        QTest::keyClicks(edit, QStringLiteral("Eleven"));
        QVERIFY(!add->isEnabled());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(edit->text().isEmpty());

        // Editing an entry of a full list still allows Change.
        clickEntry(1);
        QCOMPARE(edit->text(), QStringLiteral("Due on the 10th"));
        QCOMPARE(add->text(), QStringLiteral("Change"));
        QCOMPARE(add->toolTip(), QStringLiteral("Change this Payment Term on the list"));
        QVERIFY(add->isEnabled() && remove->isEnabled() && !list->isEnabled());
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Due on the 15th"));
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(list->item(1)->text(), QStringLiteral("Due on the 15th"));
        QCOMPARE(add->text(), QStringLiteral("Add"));
        QCOMPARE(add->toolTip(), QStringLiteral("Add this Payment Term to the list"));

        // Remove asks first; only Yes removes.
        clickEntry(2);
        session.prompts.answers = {Prompts::No, Prompts::Yes};
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 10);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Remove \"Due on the 20th\" from list?"));
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 9);
        QCOMPARE(counter->text(), QStringLiteral("You may add 1 more Payment Terms"));
        QVERIFY(list->isEnabled() && !remove->isEnabled());

        QVERIFY(window.pSave());
        const auto db = session.db();
        QCOMPARE(storedText(*db, QStringLiteral("SELECT strInvTerms3 FROM tblCompanyInvData")),
                 QStringLiteral("Net Due on the 20th"));
        QCOMPARE(storedText(*db, QStringLiteral("SELECT strInvTerms7 FROM tblCompanyInvData")),
                 QStringLiteral("Net 30 \"cash\""));
        QCOMPARE(storedText(*db, QStringLiteral("SELECT strInvTerms9 || '|' || strInvTerms10 FROM tblCompanyInvData")),
                 QStringLiteral("Ten|"));
        QCOMPARE(session.context.company.invData.strInvTerms[9], QStringLiteral("Ten"));
        QVERIFY(session.context.company.invData.strInvTerms[10].isEmpty());
    }

    void footNoteRefusesASixthLine()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        child<QAction>(window, QStringLiteral("actInvoicePage"))->trigger();
        auto *note = child<LineLimitedEdit>(window, QStringLiteral("txtFootNote1"));
        note->load(QStringLiteral("1\r\n2\r\n3\r\n4"));
        note->moveCursor(QTextCursor::End);
        QTest::keyClick(note, Qt::Key_Return);
        QTest::keyClicks(note, QStringLiteral("5"));
        QCOMPARE(note->displayedLineCount(), 5);
        QTest::keyClick(note, Qt::Key_Return);
        QCOMPARE(note->storedText(), QStringLiteral("1\r\n2\r\n3\r\n4\r\n5"));
        // A line long enough to wrap counts as the lines it shows.
        QTest::keyClick(note, Qt::Key_Backspace);
        note->insertPlainText(QString(400, QLatin1Char('w')));
        QCOMPARE(note->storedText(), QStringLiteral("1\r\n2\r\n3\r\n4\r\n"));
        QVERIFY(child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
    }

    void memoRefusesMoreThanItsCharacters()
    {
        LineLimitedEdit memo(5, 250);
        memo.resize(4000, 200);
        memo.show();
        memo.insertPlainText(QString(250, QLatin1Char('a')));
        QCOMPARE(memo.storedText().size(), 250);
        memo.insertPlainText(QStringLiteral("b"));
        QCOMPARE(memo.storedText().size(), 250);
        // A refused keystroke takes back only itself, not the typing before it.
        memo.load(QString(247, QLatin1Char('x')));
        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, QStringLiteral("abcd"));
        QCOMPARE(memo.storedText(), QString(247, QLatin1Char('x')) + QStringLiteral("abc"));
    }

    void allThisColorReachesHiddenKinds()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        QVERIFY(!child<QPushButton>(window, QStringLiteral("btnCrdtColor"))->isVisible());
        child<QAction>(window, QStringLiteral("actInvoiceColorPage"))->trigger();
        QVERIFY(child<QPushButton>(window, QStringLiteral("btnEstColor"))->isVisible());

        session.prompts.colors = {QColor()}; // cancelled
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnAllThisColor")), Qt::LeftButton);
        QVERIFY(!child<QAction>(window, QStringLiteral("actSave"))->isEnabled());
        session.prompts.colors = {QColor(12, 34, 56)};
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnAllThisColor")), Qt::LeftButton);
        QVERIFY(window.pSave());
        QCOMPARE(session.db()->queryInt(QStringLiteral(
                     "SELECT count(*) FROM tblCompColorData WHERE intEstColorRed = 12 AND intWrkOrderColorGreen = 34 "
                     "AND intChngOrderColorBlue = 56 AND intInvColorRed = 12 AND intCrdtColorGreen = 34 AND "
                     "intPstDueColorRed = 12 AND intPstDueColorGreen = 34 AND intPstDueColorBlue = 56")),
                 1);
        QCOMPARE(session.context.company.CrdtColor, QColor(12, 34, 56));
    }

    void plannerSettingsSaved()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        child<QAction>(window, QStringLiteral("actPlannerPage"))->trigger();
        QVERIFY(child<QAbstractButton>(window, QStringLiteral("rbRemove30Days"))->isChecked());
        clickBox(child<QAbstractButton>(window, QStringLiteral("rbRemove1Year")));
        clickBox(child<QAbstractButton>(window, QStringLiteral("rbMonthPlanner")));
        session.prompts.colors = {QColor(200, 100, 50)};
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnWeekendColor")), Qt::LeftButton);
        QVERIFY(window.pSave());
        const PlannerSettings &p = session.context.company.planner;
        QCOMPARE(p.intRemoveActivity, 3);
        QCOMPARE(p.intDefaultPlanner, 2);
        QCOMPARE(p.WkndColor, QColor(200, 100, 50));
        QCOMPARE(session.db()->queryInt(QStringLiteral("SELECT intRemoveActivity * 10 + intDefaultPlanner + "
                                                       "intWkndColorRed FROM tblPlannerSettings")),
                 232);
    }

    void descriptionSampleFollowsTheBoxes()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        child<QAction>(window, QStringLiteral("actInvoiceDescriptionPage"))->trigger();
        const auto heading = [&](int slot) {
            return child<QLabel>(window, QStringLiteral("lblSampleHeading%1").arg(slot))->text();
        };
        const auto value = [&](int line, int slot) {
            return child<QLabel>(window, QStringLiteral("lblSampleLine%1Value%2").arg(line).arg(slot))->text();
        };
        QCOMPARE(heading(1), QStringLiteral("Total"));
        QCOMPARE(heading(3), QStringLiteral("Quantity"));
        clickBox(child<QCheckBox>(window, QStringLiteral("ckbxShowPrcEach")));
        QCOMPARE(heading(1), QStringLiteral("Total"));
        QCOMPARE(heading(2), QStringLiteral("Quantity"));
        QCOMPARE(value(2, 2), QStringLiteral("14"));
        QVERIFY(heading(3).isEmpty() && value(1, 3).isEmpty());
        clickBox(child<QCheckBox>(window, QStringLiteral("ckbxShowTotal")));
        QCOMPARE(heading(1), QStringLiteral("Quantity"));
        QCOMPARE(value(1, 1), QStringLiteral("5"));
        QVERIFY(window.pSave());
        QCOMPARE(storedText(*session.db(), QStringLiteral("SELECT strShowQuantity || strShowPrcEach || strShowTotal "
                                                          "FROM tblCompanyInvData")),
                 QStringLiteral("-100"));
    }

    void workSheetSqftIsTheQuantityFlag()
    {
        TestSession session(Edition::Heddrin);
        session.start();
        session.db()->exec(QStringLiteral("UPDATE tblCompanyInvData SET strShowQuantity = '0'"));
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        QVERIFY(!window.findChild<QWidget *>(QStringLiteral("tbInvoiceDescriptionCorvalo")));
        child<QAction>(window, QStringLiteral("actInvoiceDescriptionPage"))->trigger();
        clickBox(child<QCheckBox>(window, QStringLiteral("ckbxShowWorkSheetSQFT")));
        QVERIFY(window.pSave());
        QCOMPARE(storedText(*session.db(), QStringLiteral("SELECT strShowQuantity FROM tblCompanyInvData")),
                 QStringLiteral("-1"));
    }

    void editionsShowTheirPages()
    {
        const auto visibleActions = [](TfrmCompanyInfo &window) {
            QStringList names;
            for (QAction *action : child<QToolBar>(window, QStringLiteral("ToolBarPages"))->actions()) {
                if (action->isVisible())
                    names << action->text();
            }
            return names;
        };
        TestSession lunvard(Edition::Lunvard);
        lunvard.start();
        TfrmCompanyInfo small(lunvard.context);
        small.show();
        QCOMPARE(visibleActions(small), QStringList({"Company", "Tax", "Invoice Color"}));
        QVERIFY(!child<QWidget>(small, QStringLiteral("grpCompanyLogo"))->isVisible());
        QVERIFY(!child<QWidget>(small, QStringLiteral("txtCompExtraPhone1"))->isVisible());

        TestSession ostrev(Edition::Ostrev);
        ostrev.start();
        TfrmCompanyInfo middle(ostrev.context);
        middle.show();
        QCOMPARE(visibleActions(middle), QStringList({"Company", "Tax", "Invoice", "Invoice Color",
                                                      "Invoice Description", "General Information"}));
        QVERIFY(child<QWidget>(middle, QStringLiteral("grpCompanyLogo"))->isVisible());
        QVERIFY(!child<QWidget>(middle, QStringLiteral("rbLargeLogo"))->isVisible());
        child<QAction>(middle, QStringLiteral("actGeneralInformationPage"))->trigger();
        QVERIFY(child<QWidget>(middle, QStringLiteral("txtCompLicenseName1"))->isVisible());
        QVERIFY(!child<QWidget>(middle, QStringLiteral("txtCompLicenseName2"))->isVisible());
        QVERIFY(!child<QWidget>(middle, QStringLiteral("grpSignatureLine"))->isVisible());
    }

    void logoBrowsedAndRemovedThroughTheWindow()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString logoPath = Paths::GetLogoPath(session.context.edition());
        TfrmCompanyInfo window(session.context);
        window.show();
        auto *status = child<QLabel>(window, QStringLiteral("lblLogoStatus"));

        QFile notAPicture(session.folder.path() + QStringLiteral("/broken.jpg"));
        QVERIFY(notAPicture.open(QIODevice::WriteOnly));
        notAPicture.write("not a picture");
        notAPicture.close();
        session.prompts.choices = {notAPicture.fileName(), writeBitmap(session.folder.path(), "logo.BMP", Qt::blue)};
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnBrowseLogo")), Qt::LeftButton);
        QCOMPARE(session.prompts.asked.last().kind, QStringLiteral("Error"));
        QCOMPARE(status->text(), QStringLiteral("No Logo"));
        QVERIFY(!child<QAction>(window, QStringLiteral("actSave"))->isEnabled());

        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnBrowseLogo")), Qt::LeftButton);
        QCOMPARE(status->text(), QStringLiteral("Current Logo"));
        QVERIFY(child<QPushButton>(window, QStringLiteral("btnRemoveLogo"))->isEnabled());
        QVERIFY(!QFileInfo::exists(logoPath));
        QVERIFY(window.pSave());
        QCOMPARE(QImageReader(logoPath).format(), QByteArray("jpeg"));
        QCOMPARE(QImage(logoPath).size(), QSize(120, 60));

        session.prompts.answers = {Prompts::Cancel, Prompts::Yes};
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnRemoveLogo")), Qt::LeftButton);
        QCOMPARE(status->text(), QStringLiteral("Current Logo"));
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("btnRemoveLogo")), Qt::LeftButton);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Do you want to remove the current logo?"));
        QCOMPARE(status->text(), QStringLiteral("No Logo"));
        QVERIFY(QFileInfo::exists(logoPath));
        QVERIFY(window.pSave());
        QVERIFY(!QFileInfo::exists(logoPath));
    }

    void closingAsksAboutUnsavedChanges()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCompanyInfo window(session.context);
        window.show();
        QTest::keyClicks(child<QLineEdit>(window, QStringLiteral("txtCompCity")), QStringLiteral("X"));

        session.prompts.answers = {Prompts::Cancel};
        QVERIFY(!window.close());
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Do you want to save changes to Company Information?"));
        session.prompts.answers = {Prompts::Yes};
        QVERIFY(window.close());
        QCOMPARE(session.context.company.company.strCompCity, QStringLiteral("My CityX"));

        TfrmCompanyInfo again(session.context);
        again.show();
        QTest::keyClicks(child<QLineEdit>(again, QStringLiteral("txtCompCity")), QStringLiteral("Y"));
        session.prompts.answers = {Prompts::No};
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(session.context.company.company.strCompCity, QStringLiteral("My CityX"));
        QCOMPARE(session.prompts.unplanned, 0);
    }

    // ------------------------------------------------------------ writer

    void storedTextKeepsEveryCharacter()
    {
        QTextDocument document;
        const QString stored = QStringLiteral("a\u00a0b\r\nline\u2028two\t\"q\"\r\n\r\nend \U0001F3E0");
        document.setPlainText(StoredText::toEditor(stored));
        QCOMPARE(StoredText::fromDocument(document), stored);
        QCOMPARE(StoredText::toStored(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    }

    void writerSavesEachTextExactly()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const auto db = session.db();
        const ContractWarranty::Text warrantyBefore = ContractWarranty::load(*db, ContractWarranty::Warranty);
        const ContractWarranty::Text contract{QStringLiteral("Contract \"A\""),
                                              QStringLiteral("Line 1\r\n\u00e9 \u2019quote\u2019\r\n")};
        ContractWarranty::save(*db, ContractWarranty::Contract, contract);
        const ContractWarranty::Text back = ContractWarranty::load(*db, ContractWarranty::Contract);
        QCOMPARE(back.title, contract.title);
        QCOMPARE(back.body, contract.body);
        QCOMPARE(ContractWarranty::load(*db, ContractWarranty::Warranty).body, warrantyBefore.body);
    }

    void warrantyWriterEditsSavesAndAsksOnClose()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString seeded = ContractWarranty::load(*session.db(), ContractWarranty::Warranty).body;
        QVERIFY(seeded.contains(QStringLiteral("\r\n")));
        TfrmTextEditor writer(session.context, session.context.printModule, ContractWarranty::Warranty);
        writer.show();
        auto *title = child<QLineEdit>(writer, QStringLiteral("txtContractWarrantyName"));
        auto *text = child<QPlainTextEdit>(writer, QStringLiteral("txtTextEditor"));
        auto *save = child<QAction>(writer, QStringLiteral("actSave"));
        QCOMPARE(writer.windowTitle(), QStringLiteral("Warranty Writer"));
        QCOMPARE(title->text(), QStringLiteral("SAMPLE WARRANTY"));
        QCOMPARE(title->toolTip(), QStringLiteral("Enter a title for Warranty"));
        QCOMPARE(save->toolTip(), QStringLiteral("Save changes to Warranty"));
        QCOMPARE(writer.focusWidget(), text);
        QVERIFY(!save->isEnabled());
        QVERIFY(child<QWidget>(writer, QStringLiteral("btnactPrintPreview"))->isVisible());

        // Unchanged, closing asks nothing and the stored text stays byte for byte.
        QVERIFY(writer.pSave());
        QCOMPARE(ContractWarranty::load(*session.db(), ContractWarranty::Warranty).body, seeded);

        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("Extra \"line\""));
        QVERIFY(save->isEnabled());
        session.prompts.answers = {Prompts::Cancel};
        QVERIFY(!writer.close());
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Save changes to Warranty?"));
        session.prompts.answers = {Prompts::Yes};
        QVERIFY(writer.close());
        const QString saved = ContractWarranty::load(*session.db(), ContractWarranty::Warranty).body;
        QCOMPARE(saved, seeded + QStringLiteral("\r\nExtra \"line\""));
        QVERIFY(!saved.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    }

    void contractWriterNoAndPrinting()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        RecordingPrintModule printer(session.context);
        TfrmTextEditor writer(session.context, session.context.printModule, ContractWarranty::Contract);
        writer.show();
        QCOMPARE(writer.windowTitle(), QStringLiteral("Contract Writer"));
        QCOMPARE(child<QLineEdit>(writer, QStringLiteral("txtContractWarrantyName"))->text(),
                 QStringLiteral("SAMPLE CONTRACT"));
        auto *print = child<QAction>(writer, QStringLiteral("actPrint"));
        QCOMPARE(print->toolTip(), QStringLiteral("Print Contract"));
        QVERIFY(!child<QWidget>(writer, QStringLiteral("btnactPrintPreview"))->isVisible());
        QVERIFY(print->isEnabled());
        print->trigger();
        QCOMPARE(printer.calls, QStringList{QStringLiteral("print 5")});

        auto *text = child<QPlainTextEdit>(writer, QStringLiteral("txtTextEditor"));
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Delete);
        QVERIFY(!print->isEnabled());
        // A title change alone is saved too.
        child<QLineEdit>(writer, QStringLiteral("txtContractWarrantyName"))->setText(QStringLiteral("Mine"));
        session.prompts.answers = {Prompts::No};
        QVERIFY(writer.close());
        const ContractWarranty::Text stored = ContractWarranty::load(*session.db(), ContractWarranty::Contract);
        QCOMPARE(stored.title, QStringLiteral("SAMPLE CONTRACT"));
        QVERIFY(!stored.body.isEmpty());
    }

    void writerSaveFailureKeepsTheChanges()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        session.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblContractWarranty "
                                          "BEGIN SELECT RAISE(ABORT, 'texts are locked'); END"));
        TfrmTextEditor writer(session.context, session.context.printModule, ContractWarranty::Contract);
        writer.show();
        QTest::keyClicks(child<QPlainTextEdit>(writer, QStringLiteral("txtTextEditor")), QStringLiteral("x"));
        QVERIFY(!writer.pSave());
        QVERIFY(session.prompts.lastMessage().contains(QStringLiteral("texts are locked")));
        QVERIFY(child<QAction>(writer, QStringLiteral("actSave"))->isEnabled());
        session.prompts.answers = {Prompts::Cancel};
        QVERIFY(!writer.close());
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Save changes to Contract?"));
    }

    // ------------------------------------------------------------ backup and restore

    void backupThenRestoreRoundTrip()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString backups = session.folder.path() + QStringLiteral("/backups");
        QVERIFY(QDir().mkpath(backups));
        const QString backupFile = backups + QStringLiteral("/corvalo6.db");
        QFile stale(backupFile);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("an older backup");
        stale.close();

        // An older backup is replaced only when the user says so; Enter says No.
        session.prompts.choices = {backups};
        session.prompts.answers = {Prompts::No};
        BackupRestore::pBackupData(session.context);
        QCOMPARE(session.prompts.asked[1].kind, QStringLiteral("YesNo"));
        QVERIFY(session.prompts.asked[1].message.contains("corvalo6.db\" already exists"));
        QCOMPARE(session.prompts.asked[1].preferred, Prompts::No);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Backup of company database cancelled"));
        QCOMPARE(QFileInfo(backupFile).size(), qint64(15));

        session.prompts.choices = {backups};
        session.prompts.answers = {Prompts::Yes};
        BackupRestore::pBackupData(session.context);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Backup of company database successful"));
        QCOMPARE(filesIn(backups), QStringList{"corvalo6.db"});
        QVERIFY(QFileInfo(backupFile).size() > 1000);

        CompanyRecord changed = session.context.company;
        changed.company.strCompName = QStringLiteral("Changed After Backup");
        CompanySettings::pSaveCompanyData(session.context, changed, {});
        session.db()->exec(QStringLiteral("DELETE FROM tblCustomers"));

        session.prompts.choices = {backupFile};
        (void)CompanySettings::pRestoreCompanyData(session.context);
        QCOMPARE(session.prompts.asked.last().kind, QStringLiteral("Plain"));
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Restore of company database successful"));
        QCOMPARE(session.context.company.company.strCompName, QStringLiteral("My Company Name"));
        const auto db = session.db();
        QCOMPARE(db->queryInt(QStringLiteral("SELECT count(*) FROM tblCustomers")), 3);
        QCOMPARE(storedText(*db, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));

        // The live file as it was just before the restore is kept aside, dated.
        const QStringList copies = BackupRestore::GetSafetyCopyPaths(session.context.edition());
        QCOMPARE(copies.size(), 1);
        QVERIFY2(QFileInfo(copies.first()).fileName().startsWith(
                     "corvalo6.db.before-restore-" + QDate::currentDate().toString(Qt::ISODate)),
                 qPrintable(copies.first()));
        Database safety(copies.first(), Database::OpenMode::ReadOnly);
        QCOMPARE(storedText(safety, QStringLiteral("SELECT strCompName FROM tblCompanyInfo")),
                 QStringLiteral("Changed After Backup"));
    }

    void restoresKeepTheLastThreeSafetyCopies()
    {
        TestSession session(Edition::Ostrev);
        session.start();
        const QString offered = session.folder.path() + QStringLiteral("/ostrev6.db");
        QVERIFY(copyCompany(session.context.databasePath(), offered));
        QFile::setPermissions(offered, QFile::ReadOwner | QFile::WriteOwner);
        const QString live = session.context.databasePath();
        QFile unrelated(live + QStringLiteral(".before-restore-notes.txt"));
        QVERIFY(unrelated.open(QIODevice::WriteOnly));
        unrelated.close();

        for (int restore = 1; restore <= 4; ++restore) {
            session.db()->prepare(QStringLiteral("UPDATE tblCompanyInfo SET strCompName = ?"))
                .bindAll(QStringLiteral("Before restore %1").arg(restore))
                .run();
            session.prompts.choices = {offered};
            (void)CompanySettings::pRestoreCompanyData(session.context);
            QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Restore of company database successful"));
        }
        const QStringList copies = BackupRestore::GetSafetyCopyPaths(session.context.edition());
        QCOMPARE(copies.size(), BackupRestore::kSafetyCopies);
        QStringList names;
        for (const QString &copy : copies) {
            Database db(copy, Database::OpenMode::ReadOnly);
            names << storedText(db, QStringLiteral("SELECT strCompName FROM tblCompanyInfo"));
        }
        QCOMPARE(names, QStringList({"Before restore 4", "Before restore 3", "Before restore 2"}));
        QVERIFY(unrelated.exists());
    }

    void cancelledChoicesChangeNothing()
    {
        TestSession session(Edition::Ostrev);
        session.start();
        const QByteArray before = fileHash(session.context.databasePath());
        BackupRestore::pBackupData(session.context);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Backup of company database cancelled"));
        (void)CompanySettings::pRestoreCompanyData(session.context);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Restore of company database cancelled"));
        QCOMPARE(session.prompts.messages(QStringLiteral("OpenFile")),
                 QStringList{"Restore Company Database\nDatabase File Name: ostrev6.db"});
        QCOMPARE(fileHash(session.context.databasePath()), before);
    }

    void backupIntoAMissingFolderReportsTheError()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        session.prompts.choices = {session.folder.path() + QStringLiteral("/gone")};
        BackupRestore::pBackupData(session.context);
        QCOMPARE(session.prompts.asked.last().kind, QStringLiteral("Information"));
        QVERIFY(session.prompts.lastMessage().startsWith(QStringLiteral("Error 14 : ")));
        QVERIFY(!QFileInfo::exists(session.folder.path() + QStringLiteral("/gone")));
    }

    void restoreRefusesWhatIsNotABackup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("name in another case") << "case"
                                              << "Database File \"corvalo6.db\" not found\n"
                                                 "Restore of company database cancelled";
        QTest::newRow("not a database") << "garbage" << "Error 26 : ";
        QTest::newRow("empty file") << "empty" << "Error 26 : ";
        QTest::newRow("foreign SQLite file") << "foreign" << "Error 26 : ";
        QTest::newRow("another edition") << "edition" << "Error 26 : ";
        QTest::newRow("damaged pages") << "damaged" << "Error 11 : ";
        QTest::newRow("unreadable settings") << "settings" << "Error ";
    }

    void restoreRefusesWhatIsNotABackup()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestSession session(Edition::Corvalo);
        session.start();
        const QString folder = session.folder.path() + QStringLiteral("/offered");
        QVERIFY(QDir().mkpath(folder));
        const QString offered = folder + (kind == QLatin1String("case") ? QStringLiteral("/Corvalo6.db")
                                                                         : QStringLiteral("/corvalo6.db"));
        const QString live = session.context.databasePath();

        if (kind == QLatin1String("garbage") || kind == QLatin1String("empty")) {
            QFile file(offered);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("garbage"))
                file.write(QByteArray(4096, 'x'));
        } else if (kind == QLatin1String("foreign")) {
            Database other(offered, Database::OpenMode::CreateFile);
            other.exec(QStringLiteral("CREATE TABLE notes(id INTEGER PRIMARY KEY, body TEXT)"));
        } else if (kind == QLatin1String("edition")) {
            TestSession heddrin(Edition::Heddrin);
            heddrin.start();
            QVERIFY(copyCompany(heddrin.context.databasePath(), offered));
        } else {
            QVERIFY(copyCompany(live, offered));
            QFile::setPermissions(offered, QFile::ReadOwner | QFile::WriteOwner);
            if (kind == QLatin1String("settings")) {
                Database copy(offered);
                copy.exec(QStringLiteral("UPDATE tblCompanyInvData SET strLargeLogo = ''"));
            } else {
                // Damage a table the company record does not read: only the integrity check sees it.
                qint64 pageSize = 0;
                qint64 page = 0;
                {
                    Database copy(offered, Database::OpenMode::ReadOnly);
                    pageSize = copy.queryInt(QStringLiteral("PRAGMA page_size"));
                    page = copy.queryInt(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'tblPrices'"));
                }
                QFile file(offered);
                QVERIFY(file.open(QIODevice::ReadWrite));
                QVERIFY(file.seek(pageSize * (page - 1)));
                file.write(QByteArray(int(pageSize), '\x7f'));
            }
        }

        const QByteArray before = fileHash(live);
        session.context.company.company.strCompName = QStringLiteral("in memory");
        session.prompts.choices = {offered};
        (void)CompanySettings::pRestoreCompanyData(session.context);
        QVERIFY2(session.prompts.lastMessage().startsWith(message), qPrintable(session.prompts.lastMessage()));
        if (kind == QLatin1String("damaged")) {
            // Said plainly first; the engine's own words follow as details.
            QVERIFY2(session.prompts.lastMessage().contains("cannot be restored: the file is damaged.\n\nDetails: "),
                     qPrintable(session.prompts.lastMessage()));
        }
        QCOMPARE(fileHash(live), before);
        QCOMPARE(session.context.company.company.strCompName, QStringLiteral("in memory"));
        QVERIFY(BackupRestore::GetSafetyCopyPaths(session.context.edition()).isEmpty());
    }

    void restoreWhileAnotherCopyWritesLeavesTheLiveFile()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString offered = session.folder.path() + QStringLiteral("/corvalo6.db");
        QVERIFY(copyCompany(session.context.databasePath(), offered));
        const QByteArray before = fileHash(session.context.databasePath());

        BusyPolicy::setTotalWaitMs(100);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
        Database otherCopy(session.context.databasePath());
        Transaction writing(otherCopy);
        session.prompts.choices = {offered};
        (void)CompanySettings::pRestoreCompanyData(session.context);
        QVERIFY2(session.prompts.lastMessage().startsWith(
                     QStringLiteral("Error 5 : The company database is in use by another program.")),
                 qPrintable(session.prompts.lastMessage()));
        QCOMPARE(fileHash(session.context.databasePath()), before);
    }

    void restoreAcceptsAnOlderFileWithoutProgramMark()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        const QString offered = session.folder.path() + QStringLiteral("/lunvard6.db");
        QVERIFY(copyCompany(session.context.databasePath(), offered));
        QFile::setPermissions(offered, QFile::ReadOwner | QFile::WriteOwner);
        {
            Database old(offered);
            old.exec(QStringLiteral("PRAGMA application_id = 0"));
            old.exec(QStringLiteral("UPDATE tblCompanyInfo SET strCompName = 'Older Company'"));
        }
        session.prompts.choices = {offered};
        (void)CompanySettings::pRestoreCompanyData(session.context);
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Restore of company database successful"));
        QCOMPARE(session.context.company.company.strCompName, QStringLiteral("Older Company"));
        QVERIFY(session.context.company.company.strCompLicNum1.isEmpty()); // edition rules applied again
    }
};

QTEST_MAIN(TestCompany)
#include "test_company.moc"
