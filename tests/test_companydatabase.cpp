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
#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QThread>
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

/// A role of its own on the suite's server that must give \a password, with a schema
/// of its own (found by the server's default search path), for as long as this lives.
/// The server's access rules ask only this role for a password; the rest of the suite
/// keeps being trusted.
struct RoleWithPassword
{
    RoleWithPassword(const QString &name, const QString &password)
        : role(name)
    {
        QString quoted = password;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        PgConnection admin(TestCompanyOnServer::suiteServer(), false);
        admin.runPlain(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(role, quoted));
        admin.runPlain(QStringLiteral("GRANT CREATE ON DATABASE %1 TO %2").arg(TestCompanyOnServer::suiteServer().database, role));
        admin.runPlain(QStringLiteral("CREATE SCHEMA %1 AUTHORIZATION %1").arg(role));
        hbaFile = setting(QStringLiteral("hba_file"));
        QFile file(hbaFile);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the server's access rules cannot be read");
        hbaBefore = file.readAll();
        writeRules(QStringLiteral("local all %1 scram-sha-256\n").arg(role).toUtf8() + hbaBefore);
    }
    ~RoleWithPassword()
    {
        writeRules(hbaBefore);
        try {
            PgConnection admin(TestCompanyOnServer::suiteServer(), false);
            admin.runPlain(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(role));
            admin.runPlain(QStringLiteral("REVOKE ALL ON DATABASE %1 FROM %2").arg(TestCompanyOnServer::suiteServer().database, role));
            admin.runPlain(QStringLiteral("DROP ROLE %1").arg(role));
        } catch (const DbError &) {
            // Left behind, it goes with the throwaway cluster.
        }
    }

    OfficeServer::Settings settings() const
    {
        OfficeServer::Settings server = TestCompanyOnServer::suiteServer();
        server.user = role;
        return server;
    }

    static QString setting(const QString &name)
    {
        const QString scratch = QDir::tempPath() + QStringLiteral("/settings-of-the-suite-server");
        OfficeServer::attach(scratch, TestCompanyOnServer::suiteServer());
        const auto detach = qScopeGuard([&] { OfficeServer::detach(scratch); });
        Database db(scratch);
        Statement q = db.prepare(QStringLiteral("SELECT current_setting(?)"));
        q.bind(1, name);
        q.step();
        return q.textAt(0);
    }

    void writeRules(const QByteArray &rules)
    {
        QFile file(hbaFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(rules) != rules.size())
            qFatal("the server's access rules cannot be written");
        file.close();
        PgConnection(TestCompanyOnServer::suiteServer(), false).runPlain(QStringLiteral("SELECT pg_reload_conf()"));
        // The server reads its rules again on its own time; new connections show when.
        const bool asking = rules != hbaBefore;
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            bool asked = false;
            try {
                PgConnection(settings(), false);
            } catch (const DbError &error) {
                asked = (error.code() & 0xff) == SQLITE_AUTH;
            }
            if (asked == asking)
                return;
            if (waited.elapsed() > 10000)
                qFatal("the server did not take its new access rules");
            QThread::msleep(50);
        }
    }

    QString role;
    QString hbaFile;
    QByteArray hbaBefore;
};

/// Every file under \a folder whose bytes hold \a text.
QStringList filesHolding(const QString &folder, const QString &text)
{
    QStringList found;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(text.toUtf8()))
            found << file.fileName();
    }
    return found;
}

/// A started program's own parts, for one start after another in one test.
struct OneStart
{
    explicit OneStart(int edition)
        : context(Edition::get(edition), prompts, saving)
    {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    }
    ScriptedPrompts prompts;
    NoSavingIndicator saving;
    AppContext context;
};

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

    void aPasswordComesFromThePasswordFileOrIsAskedOnceAndIsNeverWritten()
    {
        TestDataFolder folder;
        const QString password = QStringLiteral("s3cr\u00e9t 'x\" :\\ \u00fc");
        const RoleWithPassword anna(QStringLiteral("anna_%1").arg(QCoreApplication::applicationPid()), password);
        const Edition &corvalo = Edition::get(Edition::Corvalo);
        const QString path = Paths::GetDataBasePath(corvalo);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        ServerChoice::remember(path, {true, anna.settings()});
        const QByteArray passFileBefore = qgetenv("PGPASSFILE");
        const auto restore = qScopeGuard([&] {
            qputenv("PGPASSFILE", passFileBefore);
            OfficeServer::detach(path);
        });

        // The client library's password file is used without a question.
        const QString passFile = folder.path() + QStringLiteral("/elsewhere/pgpass");
        QVERIFY(QDir().mkpath(QFileInfo(passFile).path()));
        {
            QString escaped = password;
            escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char(':'), QStringLiteral("\\:"));
            QFile file(passFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("*:*:*:%1:%2\n").arg(anna.role, escaped).toUtf8());
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        }
        qputenv("PGPASSFILE", passFile.toLocal8Bit());
        {
            OneStart start(Edition::Corvalo);
            QVERIFY(ServerStart::pChooseCompanyDatabase({}, corvalo, start.prompts));
            QCOMPARE(ServerStart::pStartUp(start.context), ServerStart::Started::Yes);
            QVERIFY(start.prompts.messages(QStringLiteral("Password")).isEmpty());
            saveDocument(start.context, QStringLiteral("From the password file"));
            OfficeServer::detach(path);
        }

        // Without it, the password is asked once for the whole run.
        qputenv("PGPASSFILE", (folder.path() + QStringLiteral("/no such file")).toLocal8Bit());
        {
            OneStart start(Edition::Corvalo);
            start.prompts.passwords = {password};
            QVERIFY(ServerStart::pChooseCompanyDatabase({}, corvalo, start.prompts));
            QCOMPARE(ServerStart::pStartUp(start.context), ServerStart::Started::Yes);
            const int number = saveDocument(start.context, QStringLiteral("Typed once"));
            QCOMPARE(customerOf(start.context, number), QStringLiteral("Typed once"));
            QCOMPARE(start.prompts.messages(QStringLiteral("Password")).size(), 1);
            QVERIFY2(start.prompts.messages(QStringLiteral("Password")).first().contains(anna.role),
                     qPrintable(start.prompts.lastMessage()));
            QCOMPARE(start.prompts.unplanned, 0);
            OfficeServer::detach(path);
        }

        // A wrong one is said to be wrong and asked again; cancelled, the file is offered.
        {
            OneStart start(Edition::Corvalo);
            start.prompts.passwords = {QStringLiteral("wrong")};
            start.prompts.picks = {1};
            QVERIFY(ServerStart::pChooseCompanyDatabase({}, corvalo, start.prompts));
            QCOMPARE(ServerStart::pStartUp(start.context), ServerStart::Started::Yes);
            const QStringList asked = start.prompts.messages(QStringLiteral("Password"));
            QCOMPARE(asked.size(), 2);
            QVERIFY2(asked.last().contains(QStringLiteral("did not accept the password")), qPrintable(asked.last()));
            QVERIFY(!OfficeServer::serving(path));
            QVERIFY(QFileInfo::exists(path)); // working on the company file for this run
        }

        // Typed or read from the password file, it is written nowhere of the program's.
        QVERIFY(!filesHolding(folder.path(), anna.role).isEmpty()); // the remembered choice is looked at
        // Its plain start too, which a settings file's escapes of the rest would leave as it is.
        QCOMPARE(filesHolding(folder.path(), QStringLiteral("s3cr")), QStringList{passFile});
        QVERIFY(filesHolding(folder.path(), password).isEmpty());
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
