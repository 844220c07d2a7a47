#include "TestEnvironment.h"
#include "app/CompanyToServer.h"
#include "app/ServerStart.h"
#include "app/TfrmMain.h"
#include "company/TfrmCompanyDatabase.h"
#include "company/TfrmCompanyInfo.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/DbError.h"
#include "data/OfficeServer.h"
#include "data/PgConnection.h"
#include "data/ServerChoice.h"
#include "invoice/DocumentStore.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <sqlite3.h>

namespace {

/// A schema of its own on the test server, empty, for as long as this lives.
struct EmptyServerDatabase
{
    explicit EmptyServerDatabase(const OfficeServer::Settings &server, const QString &name)
        : settings(server)
    {
        settings.schema = name;
        OfficeServer::Settings plain = server;
        plain.schema.clear();
        PgConnection(plain, false).runPlain(QStringLiteral("CREATE SCHEMA %1").arg(name));
    }
    ~EmptyServerDatabase()
    {
        OfficeServer::Settings plain = settings;
        plain.schema.clear();
        PgConnection(plain, false).runPlain(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(settings.schema));
    }
    OfficeServer::Settings settings;
};

int saveDocument(AppContext &context, const QString &customer)
{
    DocumentStore store(context);
    context.document.header.blnNewInvoice = true;
    store.pLoadInvoice();
    context.document.header.strInvName = QStringLiteral("Invoice");
    context.document.header.strInvDate = QDate(2026, 12, 9);
    context.document.header.strCustFullName = customer;
    return store.pSaveInvoice();
}

QString customerOf(AppContext &context, int number)
{
    context.document.header.blnNewInvoice = false;
    context.document.header.intInvNumber = number;
    DocumentStore(context).pLoadInvoice();
    return context.document.header.strCustFullName;
}

template<typename T>
T *child(QWidget &parent, const char *name)
{
    auto *found = parent.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

} // namespace

/// Where the company is kept: the remembered choice, the command line, an
/// unreachable server, and moving the company from its file onto a server.
class TestCompanyDatabase : public QObject
{
    Q_OBJECT

private slots:
    void choiceIsRememberedAndTheCommandLineNamesTheServerForOneStart()
    {
        TestDataFolder folder;
        ScriptedPrompts prompts;
        const Edition &corvalo = Edition::get(Edition::Corvalo);
        const QString path = Paths::GetDataBasePath(corvalo);
        QVERIFY(!ServerChoice::remembered(path).onServer);

        ServerChoice::Choice chosen{true, {}};
        chosen.server.host = QStringLiteral("büro-pc");
        chosen.server.port = 6543;
        chosen.server.database = QStringLiteral("firma \"Ü\" ; [x]=1");
        chosen.server.user = QStringLiteral("anna o'neil");
        chosen.server.sslMode = QStringLiteral("require");
        ServerChoice::remember(path, chosen);
        const ServerChoice::Choice read = ServerChoice::remembered(path);
        QVERIFY(read.onServer);
        QCOMPARE(read.server.shownName(), chosen.server.shownName());
        QCOMPARE(read.server.sslMode, QStringLiteral("require"));

        QVERIFY(ServerStart::pChooseCompanyDatabase({QStringLiteral("corvalo")}, corvalo, prompts));
        QCOMPARE(OfficeServer::serving(path)->shownName(), chosen.server.shownName());
        OfficeServer::detach(path);

        // The command line wins for this start and leaves the remembered choice alone.
        QVERIFY(ServerStart::pChooseCompanyDatabase(
            {QStringLiteral("corvalo"), QStringLiteral("--server"), QStringLiteral("postgresql://bob@other:5433/books")},
            corvalo, prompts));
        QCOMPARE(OfficeServer::serving(path)->shownName(), QStringLiteral("bob@other:5433/books"));
        QCOMPARE(ServerChoice::remembered(path).server.host, QStringLiteral("büro-pc"));
        OfficeServer::detach(path);

        // A server without a user is no choice: the file stays in use.
        chosen.server.user.clear();
        ServerChoice::remember(path, chosen);
        QVERIFY(ServerStart::pChooseCompanyDatabase({QStringLiteral("corvalo")}, corvalo, prompts));
        QVERIFY(!OfficeServer::serving(path));

        // The smallest edition keeps its company here, whatever is remembered or typed.
        const Edition &lunvard = Edition::get(Edition::Lunvard);
        const QString lunvardPath = Paths::GetDataBasePath(lunvard);
        chosen.server.user = QStringLiteral("anna");
        ServerChoice::remember(lunvardPath, chosen);
        QVERIFY(ServerStart::pChooseCompanyDatabase({QStringLiteral("lunvard")}, lunvard, prompts));
        QVERIFY(!OfficeServer::serving(lunvardPath));
        QVERIFY(!ServerStart::pChooseCompanyDatabase(
            {QStringLiteral("lunvard"), QStringLiteral("--server"), QStringLiteral("postgresql://a@b/c")}, lunvard,
            prompts));
        QVERIFY(!OfficeServer::serving(lunvardPath));
        QCOMPARE(prompts.messages(QStringLiteral("Error")).size(), 1);
    }

    void unreachableServerOffersTheFileAndAsksForAPasswordOnce()
    {
        TestDataFolder folder;
        ScriptedPrompts prompts;
        const Edition &ostrev = Edition::get(Edition::Ostrev);
        const QString path = Paths::GetDataBasePath(ostrev);
        OfficeServer::Settings nowhere;
        nowhere.host = folder.path() + QStringLiteral("/no server here");
        nowhere.database = QStringLiteral("books");
        nowhere.user = QStringLiteral("anna");
        OfficeServer::attach(path, nowhere);
        try {
            Database db(path);
            QFAIL("reached a server that is not there");
        } catch (const DbError &error) {
            QVERIFY(ServerStart::unreachable(error, ostrev));
            prompts.picks = {0, 1};
            QCOMPARE(ServerStart::afterUnreachable(error, ostrev, prompts), ServerStart::Next::TryAgain);
            QVERIFY(OfficeServer::serving(path));
            QCOMPARE(ServerStart::afterUnreachable(error, ostrev, prompts), ServerStart::Next::UseFile);
            QVERIFY(!OfficeServer::serving(path));
            QVERIFY(prompts.messages(QStringLiteral("Password")).isEmpty());
            QVERIFY2(prompts.lastMessage().contains(QStringLiteral("cannot be reached")), qPrintable(prompts.lastMessage()));
        }

        // A server asking for a password gets it once, and the start tries again with it.
        OfficeServer::attach(path, nowhere);
        const DbError wantsPassword(SQLITE_AUTH, QStringLiteral("The office server asks for the password of anna."));
        QVERIFY(ServerStart::unreachable(wantsPassword, ostrev));
        prompts.passwords = {QStringLiteral("s3cr\u00e9t 'x'")};
        QCOMPARE(ServerStart::afterUnreachable(wantsPassword, ostrev, prompts), ServerStart::Next::TryAgain);
        QCOMPARE(OfficeServer::serving(path)->password, QStringLiteral("s3cr\u00e9t 'x'"));
        // Cancelled: the way back to the file is offered instead.
        prompts.picks = {2};
        QCOMPARE(ServerStart::afterUnreachable(wantsPassword, ostrev, prompts), ServerStart::Next::Quit);
        QCOMPARE(prompts.asked.at(prompts.asked.size() - 2).kind, QStringLiteral("Password"));
        QCOMPARE(prompts.asked.last().buttons.size(), 3);
        OfficeServer::detach(path);
    }

    void copyToServerRefusesADatabaseNotEmptyAndSwitchesWhenAsked()
    {
        TestSession session(Edition::Corvalo);
        const QString path = session.context.databasePath();
        const OfficeServer::Settings server = *OfficeServer::serving(path);
        OfficeServer::detach(path); // the company starts in its file
        session.start();
        const QString customer = QStringLiteral("Zoë \"Quote\" O'Neil");
        const int number = saveDocument(session.context, customer);

        {
            // Declined: copied, but the program stays with the file.
            EmptyServerDatabase other(server, QStringLiteral("declined_%1").arg(QCoreApplication::applicationPid()));
            session.prompts.answers = {Prompts::No};
            QVERIFY(!CompanyToServer::pCopyCompanyToServer(session.context, other.settings));
            QCOMPARE(session.prompts.asked.last().preferred, Prompts::Yes);
            QVERIFY(!OfficeServer::serving(path));
            QVERIFY(!ServerChoice::remembered(path).onServer);
        }

        session.prompts.answers = {Prompts::Yes};
        QVERIFY(CompanyToServer::pCopyCompanyToServer(session.context, server));
        QCOMPARE(OfficeServer::serving(path)->schema, server.schema);
        QVERIFY(ServerChoice::remembered(path).onServer);
        QCOMPARE(customerOf(session.context, number), customer);
        // What is saved now lands on the server, not in the file left behind.
        const int next = saveDocument(session.context, QStringLiteral("Ünal"));
        OfficeServer::detach(path);
        QVERIFY_THROWS_EXCEPTION(DbError, customerOf(session.context, next));
        OfficeServer::attach(path, server);
        QCOMPARE(customerOf(session.context, next), QStringLiteral("Ünal"));

        // A second copy finds the database holding the company and changes nothing.
        session.prompts.asked.clear();
        QVERIFY(!CompanyToServer::pCopyCompanyToServer(session.context, server));
        QCOMPARE(session.prompts.asked.size(), 1);
        QVERIFY2(session.prompts.lastMessage().contains(QStringLiteral("not empty")),
                 qPrintable(session.prompts.lastMessage()));
        QCOMPARE(customerOf(session.context, next), QStringLiteral("Ünal"));

        TfrmMain window(session.context);
        if (const QString shot = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !shot.isEmpty()) {
            window.show();
            window.grab().save(shot + QStringLiteral("/main-on-server.png"));
        }
        QVERIFY(window.windowTitle().contains(QStringLiteral("Office server")));
        QVERIFY(child<QLabel>(window, "lblCompanyDatabase")->text().contains(server.shownName()));
        QVERIFY(!child<QAction>(window, "actCopyCompanyToServer")->isVisible());
    }

    void theChoiceIsTypedAndCheckedInItsWindow()
    {
        ScriptedPrompts prompts;
        TfrmCompanyDatabase dialog(TfrmCompanyDatabase::Purpose::Choose, {}, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(child<QRadioButton>(dialog, "rbThisComputer")->isChecked());
        QVERIFY(!child<QLineEdit>(dialog, "edtServerHost")->isEnabled());

        QTest::keyClick(&dialog, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(child<QRadioButton>(dialog, "rbOfficeServer")->isChecked()); // a mnemonic clicks a moment later
        QVERIFY(child<QLineEdit>(dialog, "edtServerHost")->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_H, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("office-pc"));
        QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("books"));
        // Enter without a user keeps the window open and says what is missing.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts.messages(QStringLiteral("Information")).size(), 1);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog, "edtServerUser"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("anna"));
        if (const QString shot = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !shot.isEmpty())
            dialog.grab().save(shot + QStringLiteral("/company-database.png"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const ServerChoice::Choice chosen = dialog.choice();
        QVERIFY(chosen.onServer);
        QCOMPARE(chosen.server.shownName(), QStringLiteral("anna@office-pc:5432/books"));
    }

    void theSmallestEditionShowsNoChoice()
    {
        for (const int edition : {int(Edition::Ostrev), int(Edition::Lunvard)}) {
            TestSession session(edition);
            session.start();
            TfrmCompanyInfo window(session.context);
            QCOMPARE(child<QAction>(window, "actCompanyDatabase")->isVisible(), edition != Edition::Lunvard);
        }
    }
};

QTEST_MAIN(TestCompanyDatabase)
#include "test_companydatabase.moc"
