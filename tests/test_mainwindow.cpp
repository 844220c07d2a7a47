#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/OfficeServer.h"
#include "widgets/Icons.h"
#include "app/StartUp.h"
#include "app/TfrmAbout.h"
#include "core/HelpAndWeb.h"
#include "ModalCloser.h"
#include "RecordingShell.h"
#include "app/TfrmMain.h"
#include "app/WindowOpener.h"
#include "data/Database.h"
#include "invoice/Recurring.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

QAction *action(const QWidget &window, const char *name)
{
    auto *found = window.findChild<QAction *>(QLatin1String(name));
    if (!found)
        qFatal("no action %s", name);
    return found;
}

/// An action's caption without its mnemonic mark.
QString caption(const QAction *a)
{
    return QString(a->text()).remove(QLatin1Char('&'));
}

QStringList visibleToolButtons(const TfrmMain &window)
{
    auto *tools = window.findChild<QToolBar *>(QStringLiteral("ToolBarfrmMain"));
    QStringList captions;
    for (QAction *a : tools->actions()) {
        if (tools->widgetForAction(a)->isVisible())
            captions << caption(a);
    }
    return captions;
}

QStringList visibleItems(const QList<QAction *> &actions)
{
    QStringList captions;
    for (QAction *a : actions) {
        if (a->isVisible())
            captions << caption(a); // the caption without its mnemonic mark
    }
    return captions;
}

QStringList visibleMenuItems(const TfrmMain &window, const char *menuName)
{
    return visibleItems(window.findChild<QMenu *>(QLatin1String(menuName))->actions());
}

void addHeader(Database &db, const QString &kind, int number)
{
    db.prepare(QStringLiteral("INSERT INTO tblInvHeader (strInvName, intInvNumber, strRecurring) VALUES (?, ?, '-1')"))
        .bindAll(kind, number)
        .run();
}

// Runs \a inspect on the modal dialog the next command opens, then closes it.
void whenModalOpens(std::function<void(QWidget *)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        inspect(modal);
        modal->close();
    });
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Icons::useTheme(); }

    void editionOffersItsCommands_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("invoiceMenu");
        QTest::addColumn<QStringList>("maintenanceMenu");
        QTest::addColumn<bool>("recurringBox");

        const QStringList allTools = {"New Invoice",    "Invoice Maintenance",  "Receivables",
                                      "Manual Invoice", "Customer Maintenance", "View Report", "Help"};
        const QStringList allMenus = {"&File", "&Invoice", "&Maintenance", "&Planner", "&Help"};
        const QStringList noPlanner = {"&File", "&Invoice", "&Maintenance", "&Help"};
        const QStringList allInvoice = {"New Invoice", "Manual Invoice", "Invoice Maintenance", "Receivables",
                                        "Customer Statement"};
        const QStringList allMaintenance = {"Company Maintenance", "Customer Maintenance", "Price Sheet", "View Report",
                                            "Backup/Restore",      "Contract Writer",      "Warranty Writer"};
        QTest::newRow("Corvalo") << 1 << allTools << allMenus << allInvoice << allMaintenance << true;
        QTest::newRow("Heddrin") << 2 << allTools << allMenus << allInvoice << allMaintenance << true;
        QTest::newRow("Ostrev") << 3 << allTools << noPlanner << allInvoice << allMaintenance.mid(0, 5) << false;
        QTest::newRow("Lunvard") << 4 << QStringList{"New Invoice", "Manual Invoice", "Help"} << noPlanner
                                 << QStringList{"New Invoice", "Manual Invoice"}
                                 << QStringList{"Company Maintenance"} << false;
    }

    void editionOffersItsCommands()
    {
        QFETCH(int, edition);
        QFETCH(QStringList, tools);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, invoiceMenu);
        QFETCH(QStringList, maintenanceMenu);
        QFETCH(bool, recurringBox);
        TestSession session(edition);
        session.start();
        TfrmMain window(session.context);
        window.showAsPreferred();

        // The caption names the server when the company is kept on one.
        const auto server = OfficeServer::serving(session.context.databasePath());
        QCOMPARE(window.windowTitle(), server ? Edition::get(edition).GetEditionName() + QStringLiteral(" - Office server ")
                                                    + server->shownName()
                                              : Edition::get(edition).GetEditionName());
        QCOMPARE(visibleToolButtons(window), tools);
        QCOMPARE(visibleItems(window.findChild<QMenuBar *>(QStringLiteral("MainMenufrmMain"))->actions()),
                 menus.replaceInStrings(QStringLiteral("&"), QString()));
        QCOMPARE(visibleMenuItems(window, "mnuInvoice"), invoiceMenu);
        QCOMPARE(visibleMenuItems(window, "mnuMaintenance"), maintenanceMenu);
        QCOMPARE(visibleMenuItems(window, "mnuFile"), QStringList{"Exit"});
        QCOMPARE(visibleMenuItems(window, "mnuHelp"),
                 QStringList({"Check for Updates", "Help", "About " + Edition::get(edition).GetEditionName()}));
        QCOMPARE(window.findChild<QGroupBox *>(QStringLiteral("GroupBoxRecurring"))->isVisible(), recurringBox);
        QVERIFY(session.prompts.asked.isEmpty());
    }

    void actionsCarryTheirCaptionsHintsAndIcons()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmMain window(session.context);

        struct Expected
        {
            const char *name;
            QString caption;
            QString hint;
        };
        const QList<Expected> expected = {
            {"actNewInvoice", "New Invoice", "Create new Estimate, Work Order, Invoice, Credit or Past Due Notice"},
            {"actInvoiceMaintenance", "Invoice Maintenance",
             "View/Edit Saved Estimate, Work Order, Invoice, Credit or Past Due Notice"},
            {"actReceivables", "Receivables", "Unpaid invoices by age and customer"},
            {"actManualInvoice", "Manual Invoice", "Print hand write Invoices"},
            {"actPriceSheet", "Price Sheet", "Add new or edit Price Items"},
            {"actReport", "View Report", "View Reports"},
            {"actBackupRestore", "Backup/Restore", "Backup or Restore company data"},
            {"actRestoreCompanyData", "Restore Company Data", "Restore company data"},
            {"actWarrantyWriter", "Warranty Writer", "Add or edit company Warranty"},
            {"actHelp", "Help", "Open Tarnwick Corvalo Help"},
            {"actShowHidePlanner", "Planner", ""},
            {"actUpdate", "Check for Updates", ""},
            {"actAbout", "About Corvalo", ""},
            {"actExit", "Exit", ""},
        };
        for (const Expected &e : expected) {
            QAction *a = action(window, e.name);
            QCOMPARE(caption(a), e.caption);
            QCOMPARE(a->statusTip(), e.hint);
            if (!e.hint.isEmpty())
                QCOMPARE(a->toolTip(), e.hint);
            QVERIFY2(!a->icon().isNull(), e.name);
        }
        auto *print = window.findChild<QPushButton *>(QStringLiteral("btnPrintRecurring"));
        QCOMPARE(print->text(), QStringLiteral("Print Recurring"));
        QCOMPARE(print->toolTip(), QStringLiteral("Print Recurring Invoices"));
        QCOMPARE(window.findChild<QGroupBox *>(QStringLiteral("GroupBoxRecurring"))->title(),
                 QStringLiteral("Print Recurring Invoices"));

        for (int i = 0; i < int(Icons::Command::CommandCount); ++i)
            QVERIFY2(!Icons::forCommand(Icons::Command(i)).isNull(), qPrintable(QString::number(i)));
    }

    void recurringButtonFollowsSavedRecurringInvoices()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmMain window(session.context);
        window.showAsPreferred();
        auto *print = window.findChild<QPushButton *>(QStringLiteral("btnPrintRecurring"));
        auto *lastPrinted = window.findChild<QLabel *>(QStringLiteral("lblRecurringLastPrinted"));
        QVERIFY(!print->isEnabled());
        QCOMPARE(lastPrinted->text(), QStringLiteral(" Never"));

        // Closing the editor or the maintenance window checks again.
        addHeader(*session.db(), QStringLiteral("Estimate"), 512);
        {
            ModalCloser closer;
            action(window, "actNewInvoice")->trigger();
            QCOMPARE(closer.opened, QStringList{QStringLiteral("frmInvoiceCorvalo")});
        }
        QVERIFY(!print->isEnabled());
        addHeader(*session.db(), QStringLiteral("INVOICE"), 510);
        {
            ModalCloser closer;
            action(window, "actInvoiceMaintenance")->trigger();
            QCOMPARE(closer.opened, QStringList({"frmInvoiceMaintenance"}));
        }
        QVERIFY(print->isEnabled());
        QVERIFY(session.prompts.messages(QStringLiteral("Information")).isEmpty());
    }

    void lastPrintedShowsTheStoredDate()
    {
        TestSession session(Edition::Heddrin);
        session.start();
        Recurring::pSetLastPrinted(*session.db(), QDate(2026, 11, 30));
        TfrmMain window(session.context);
        window.showAsPreferred();
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblRecurringLastPrinted"))->text(),
                 QStringLiteral("11/30/2026"));
    }

    void aDamagedDatabaseIsReportedAndTheWindowStillOpens()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        session.db()->exec(QStringLiteral("DROP TABLE tblRecurring; DROP TABLE tblInvHeader;"));
        TfrmMain window(session.context);
        window.showAsPreferred();
        QVERIFY(window.isVisible());
        const QStringList errors = session.prompts.messages(QStringLiteral("Error"));
        QCOMPARE(errors.size(), 2);
        QVERIFY2(errors[0].contains(QLatin1String("tblInvHeader")), qPrintable(errors[0]));
        QVERIFY2(errors[1].contains(QLatin1String("tblRecurring")), qPrintable(errors[1]));
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("btnPrintRecurring"))->isEnabled());
    }

    void neverSmallerThan750By600()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        session.context.preferences[AppPreferences::FrmMainMaximized] = false;
        TfrmMain window(session.context);
        window.showAsPreferred();
        window.resize(500, 400);
        QCOMPARE(window.size(), QSize(750, 600));
        window.resize(700, 900);
        QCOMPARE(window.size(), QSize(750, 900));
        window.resize(1000, 300);
        QCOMPARE(window.size(), QSize(1000, 600));
    }

    void maximisedStateSurvivesARestart()
    {
        TestSession session(Edition::Ostrev);
        session.start();
        {
            // The seed rows open the first window maximised.
            TfrmMain window(session.context);
            window.showAsPreferred();
            QVERIFY(window.isMaximized());
            window.showNormal();
            action(window, "actExit")->trigger();
            QVERIFY(!window.isVisible());
        }
        {
            AppContext restarted(session.context.edition(), session.prompts, session.saving);
            StartUp::pStartUp(restarted);
            QVERIFY(!restarted.preferences[AppPreferences::FrmMainMaximized]);
            TfrmMain window(restarted);
            window.showAsPreferred();
            QVERIFY(!window.isMaximized());
            window.showMaximized();
            QVERIFY(window.close());
        }
        AppContext restarted(session.context.edition(), session.prompts, session.saving);
        StartUp::pStartUp(restarted);
        TfrmMain window(restarted);
        window.showAsPreferred();
        QVERIFY(window.isMaximized());
        QVERIFY(session.prompts.asked.isEmpty());
    }

    void openersSetTheStateTheirWindowsRead()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        TfrmMain window(context);
        ModalCloser closer;

        action(window, "actCustomerMaintenance")->trigger();
        action(window, "actPriceSheet")->trigger();
        action(window, "actReport")->trigger();
        action(window, "actInvoiceMaintenance")->trigger();
        action(window, "actWarrantyWriter")->trigger();
        action(window, "actContractWriter")->trigger();
        QVERIFY(closer.opened.count(QStringLiteral("frmTextEditor")) == 2);

        action(window, "actManualInvoice")->trigger();
        QVERIFY(closer.opened.contains(QStringLiteral("frmManualInvoice")));
        // A blank form was started, and stops being one when its window closes.
        QVERIFY(context.document.header.blnNewInvoice && !context.document.header.blnManualForm);

        action(window, "actNewInvoice")->trigger();
        QVERIFY(context.document.header.blnNewInvoice);
        QVERIFY(!context.document.header.blnManualForm);

        // The company window changes the record in memory; the window shows the new name.
        context.company.company.strCompName = QStringLiteral("O'Brien & \"Söhne\" <b>Bau</b>");
        action(window, "actCompanyMaintenance")->trigger();
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblCompanyName"))->text(),
                 context.company.company.strCompName);

        WindowOpener opener(context, &window);
        opener.openCustomers();
        opener.openPriceItems();
        QVERIFY(closer.opened.contains(QStringLiteral("frmCustomer")));
        QVERIFY(closer.opened.contains(QStringLiteral("frmPriceCorvalo")));
        QCOMPARE(session.prompts.unplanned, 0);
    }

    void whileAnEditorIsOpenTheWindowSaysWhyItsCommandsWait()
    {
        TestSession session(Edition::Heddrin);
        session.start();
        TfrmMain window(session.context);
        window.show();
        auto *notice = window.findChild<QLabel *>(QStringLiteral("lblWindowInFront"));
        auto *tools = window.findChild<QToolBar *>(QStringLiteral("ToolBarfrmMain"));
        QVERIFY(notice && tools);
        QVERIFY(notice->isHidden());
        QVERIFY(tools->isEnabled());

        bool inspected = false;
        whenModalOpens([&](QWidget *editor) {
            inspected = true;
            QVERIFY(notice->isVisible());
            QVERIFY(notice->text().contains(editor->windowTitle()));
            QVERIFY(notice->text().contains(QStringLiteral("Close it")));
            QVERIFY(!tools->isEnabled());
            QVERIFY(!window.menuBar()->isEnabled());
            // The editor names a new kind: so does the notice.
            editor->setWindowTitle(QStringLiteral("Work Order 1001"));
            QVERIFY(notice->text().contains(QStringLiteral("\"Work Order 1001\"")));
        });
        action(window, "actNewInvoice")->trigger();
        QVERIFY(inspected);
        QVERIFY(notice->isHidden());
        QVERIFY(tools->isEnabled());
        QVERIFY(window.menuBar()->isEnabled());
        QVERIFY(action(window, "actReceivables")->isEnabled());
        QCOMPARE(session.prompts.unplanned, 0);
    }

    // The user closes the main window while Invoice Maintenance and, over it, an
    // editor with typing in it are open: the editor asks as its own close would;
    // keeping it keeps every window, and letting it go ends the program.
    void closingTheMainWindowClosesTheOthersFirst()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        TfrmMain window(context);
        window.show();

        bool stillRunning = false;
        bool keptOnNo = false;
        QStringList openAfterNo;
        QTimer::singleShot(0, &window, [&] {
            action(window, "actInvoiceMaintenance")->trigger(); // runs its own event loop
        });
        QTimer::singleShot(20, &window, [&] {
            QWidget *maintenance = QApplication::activeModalWidget();
            QVERIFY(maintenance && maintenance->objectName() == QLatin1String("frmInvoiceMaintenance"));
            WindowOpener(context, maintenance).openInvoiceEditor(true);
        });
        QTimer::singleShot(40, &window, [&] {
            QWidget *editor = QApplication::activeModalWidget();
            QVERIFY(editor);
            auto *po = editor->findChild<QLineEdit *>(QStringLiteral("txtCustPO"));
            QVERIFY(po);
            po->setFocus();
            QTest::keyClicks(po, QStringLiteral("PO 7"));

            session.prompts.answers = {Prompts::No};
            QVERIFY(!window.close());
            QCOMPARE(session.prompts.asked.size(), 1);
            QCOMPARE(session.prompts.asked.last().preferred, Prompts::No);
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->isVisible())
                    openAfterNo << w->objectName();
            }
            keptOnNo = window.isVisible() && editor->isVisible() && po->text() == QLatin1String("PO 7");

            session.prompts.answers = {Prompts::Yes};
            window.close();
        });
        // Should anything keep the program alive, this ends the wait and fails the test.
        QTimer::singleShot(20000, [&] {
            stillRunning = true;
            QApplication::exit(1);
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!stillRunning);
        QVERIFY(keptOnNo);
        openAfterNo.sort();
        QCOMPARE(openAfterNo, QStringList({QStringLiteral("frmInvoiceCorvalo"), QStringLiteral("frmInvoiceMaintenance"),
                                           QStringLiteral("frmMain")}));
        QCOMPARE(session.prompts.asked.size(), 2);
        QCOMPARE(session.prompts.unplanned, 0);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void aboutBoxNamesTheEditionAndVersion()
    {
        TestSession session(Edition::Lunvard);
        session.start();
        RecordingShell shell;
        session.context.setShell(&shell);
        TfrmMain window(session.context);
        window.showAsPreferred();

        QString caption;
        QString text;
        QString linkHint;
        whenModalOpens([&](QWidget *about) {
            caption = about->windowTitle();
            text = about->findChild<QPlainTextEdit *>(QStringLiteral("txtAbout"))->toPlainText();
            auto *link = about->findChild<QLabel *>(QStringLiteral("lblWebSite"));
            linkHint = link->toolTip();
            QVERIFY(link->text().contains(QLatin1String("Visit Tarnwick Software")));
            emit link->linkActivated(QStringLiteral("site"));
            QCOMPARE(about->findChild<QPushButton *>(QStringLiteral("btnOK"))->toolTip(), QStringLiteral("Close"));
        });
        action(window, "actAbout")->trigger();

        QCOMPARE(caption, QStringLiteral("About Lunvard"));
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(text, QStringLiteral("Tarnwick Software\n\n© %1 Tarnwick Software\n\nProduct Information:\nLunvard\n"
                                      "Version 6.1.1.1")
                           .arg(year));
        QCOMPARE(linkHint, QStringLiteral("Click to visit Tarnwick Software Website."));
        QCOMPARE(shell.urls, QList<QUrl>{HelpAndWeb::webSite()});
        // Closed and gone: each opening makes a new window.
        QVERIFY(window.findChildren<TfrmAbout *>().isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
