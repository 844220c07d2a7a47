#include "TfrmMain.h"

#include "WindowInFrontNotice.h"
#include "company/CompanySettings.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "data/BackupRestore.h"
#include "core/Prompts.h"
#include "OtherWindows.h"
#include "StartUp.h"
#include "data/DamageWatch.h"
#include "data/DbError.h"
#include "data/OfficeServer.h"
#include "data/ServerChoice.h"
#include "CompanyToServer.h"
#include "company/TfrmCompanyDatabase.h"
#include "data/LiveFileCheck.h"
#include "data/SavingIndicator.h"
#include "invoice/Recurring.h"
#include "invoice/RecurringRun.h"
#include "core/PrintModule.h"
#include "widgets/Mnemonics.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

TfrmMain::TfrmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_opener(context, this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(Icons::forCommand(Icons::Command::NewInvoice));
    // The tool bar is part of the window, not something to switch off by accident.
    setContextMenuPolicy(Qt::NoContextMenu);
    createActions();
    createMenus();
    createToolBar();
    setCentralWidget(createCentralArea());
    statusBar()->setObjectName(QStringLiteral("StatusBarfrmMain"));
    m_lblCompanyDatabase = new QLabel(this);
    m_lblCompanyDatabase->setObjectName(QStringLiteral("lblCompanyDatabase"));
    statusBar()->addPermanentWidget(m_lblCompanyDatabase);
    showCompanyDatabase();
    hideEditionCommands();
    new WindowInFrontNotice(this, m_lblWindowInFront,
                            {menuBar(), findChild<QToolBar *>(QStringLiteral("ToolBarfrmMain")), m_groupRecurring});
    setMinimumSize(750, 600);
    resize(960, 700);
}

QAction *TfrmMain::makeAction(const QString &name, const QString &caption, const QString &hint, Icons::Command icon)
{
    auto *action = new QAction(Icons::forCommand(icon), caption, this);
    action->setObjectName(name);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    return action;
}

void TfrmMain::createActions()
{
    using C = Icons::Command;
    const QString editionName = m_context.edition().GetEditionName();

    m_actNewInvoice = makeAction(QStringLiteral("actNewInvoice"), tr("New Invoice"),
                                 tr("Create new Estimate, Work Order, Invoice, Credit or Past Due Notice"), C::NewInvoice);
    m_actNewInvoice->setShortcut(QKeySequence::New);
    connect(m_actNewInvoice, &QAction::triggered, this, &TfrmMain::newInvoice);

    m_actInvoiceMaintenance = makeAction(QStringLiteral("actInvoiceMaintenance"), tr("Invoice Maintenance"),
                                         tr("View/Edit Saved Estimate, Work Order, Invoice, Credit or Past Due Notice"),
                                         C::InvoiceMaintenance);
    connect(m_actInvoiceMaintenance, &QAction::triggered, this, &TfrmMain::invoiceMaintenance);

    m_actReceivables = makeAction(QStringLiteral("actReceivables"), tr("Receivables"),
                                  tr("Unpaid invoices by age and customer"), C::Receivables);
    connect(m_actReceivables, &QAction::triggered, this, [this] {
        m_opener.openReceivables(QDate::currentDate());
        pCheckRecurring();
    });

    m_actCustomerStatement = makeAction(QStringLiteral("actCustomerStatement"), tr("Customer Statement"),
                                        tr("Print a customer's statement of account"), C::Report);
    connect(m_actCustomerStatement, &QAction::triggered, this,
            [this] { m_opener.openCustomerStatement(std::nullopt); });

    m_actManualInvoice = makeAction(QStringLiteral("actManualInvoice"), tr("Manual Invoice"),
                                    tr("Print hand write Invoices"), C::ManualInvoice);
    connect(m_actManualInvoice, &QAction::triggered, this, [this] { m_opener.openManualForms(); });

    m_actCompanyMaintenance = makeAction(QStringLiteral("actCompanyMaintenance"), tr("Company Maintenance"),
                                         tr("Edit company information"), C::CompanyMaintenance);
    connect(m_actCompanyMaintenance, &QAction::triggered, this, [this] {
        m_opener.openCompanyInfo();
        m_lblCompanyName->setText(m_context.company.company.strCompName);
    });

    m_actCustomerMaintenance = makeAction(QStringLiteral("actCustomerMaintenance"), tr("Customer Maintenance"),
                                          tr("Add new or edit Customer list"), C::CustomerMaintenance);
    connect(m_actCustomerMaintenance, &QAction::triggered, this, [this] { m_opener.openCustomers(); });

    m_actPriceSheet = makeAction(QStringLiteral("actPriceSheet"), tr("Price Sheet"), tr("Add new or edit Price Items"),
                                 C::PriceSheet);
    connect(m_actPriceSheet, &QAction::triggered, this, [this] { m_opener.openPriceItems(); });

    m_actReport = makeAction(QStringLiteral("actReport"), tr("View Report"), tr("View Reports"), C::Report);
    connect(m_actReport, &QAction::triggered, this, [this] { m_opener.openReport(); });

    m_actBackupCompanyData = makeAction(QStringLiteral("actBackupCompanyData"), tr("Backup Company Data"),
                                        tr("Backup company data"), C::Backup);
    connect(m_actBackupCompanyData, &QAction::triggered, this, [this] { BackupRestore::pBackupData(m_context); });

    m_actCopyCompanyToServer = makeAction(QStringLiteral("actCopyCompanyToServer"), tr("Copy Company to Server"),
                                          tr("Copy the company into an empty database on an office server"),
                                          C::Backup);
    connect(m_actCopyCompanyToServer, &QAction::triggered, this, &TfrmMain::copyCompanyToServer);

    m_actRestoreCompanyData = makeAction(QStringLiteral("actRestoreCompanyData"), tr("Restore Company Data"),
                                         tr("Restore company data"), C::Restore);
    connect(m_actRestoreCompanyData, &QAction::triggered, this, [this] {
        if (CompanySettings::pRestoreCompanyData(m_context))
            showRestoredData();
    });

    m_actContractWriter = makeAction(QStringLiteral("actContractWriter"), tr("Contract Writer"),
                                     tr("Add or edit company Contract"), C::ContractWriter);
    connect(m_actContractWriter, &QAction::triggered, this, [this] { m_opener.openWriter(WindowOpener::Contract); });

    m_actWarrantyWriter = makeAction(QStringLiteral("actWarrantyWriter"), tr("Warranty Writer"),
                                     tr("Add or edit company Warranty"), C::WarrantyWriter);
    connect(m_actWarrantyWriter, &QAction::triggered, this, [this] { m_opener.openWriter(WindowOpener::Warranty); });

    m_actShowHidePlanner = makeAction(QStringLiteral("actShowHidePlanner"), tr("Planner"), {}, C::Planner);
    connect(m_actShowHidePlanner, &QAction::triggered, this, [this] { m_opener.openPlanner(); });

    m_actUpdate = makeAction(QStringLiteral("actUpdate"), tr("Check for Updates"), {}, C::Update);
    connect(m_actUpdate, &QAction::triggered, this, [this] { m_opener.openUpdate(); });

    m_actHelp = makeAction(QStringLiteral("actHelp"), tr("Help"),
                           tr("Open ") + Product::GetProductTitle(m_context.edition()) + tr(" Help"), C::Help);
    m_actHelp->setShortcut(QKeySequence::HelpContents);
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });

    m_actAbout = makeAction(QStringLiteral("actAbout"), tr("About ") + editionName, {}, C::About);
    connect(m_actAbout, &QAction::triggered, this, [this] { m_opener.openAbout(); });

    m_actExit = makeAction(QStringLiteral("actExit"), tr("Exit"), {}, C::Exit);
    m_actExit->setShortcut(QKeySequence::Quit);
    connect(m_actExit, &QAction::triggered, this, &QWidget::close);
}

void TfrmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenufrmMain"));

    QMenu *file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addAction(m_actExit);

    QMenu *invoice = bar->addMenu(tr("&Invoice"));
    invoice->setObjectName(QStringLiteral("mnuInvoice"));
    invoice->addActions({m_actNewInvoice, m_actManualInvoice, m_actInvoiceMaintenance, m_actReceivables,
                         m_actCustomerStatement});

    QMenu *maintenance = bar->addMenu(tr("&Maintenance"));
    maintenance->setObjectName(QStringLiteral("mnuMaintenance"));
    maintenance->addActions({m_actCompanyMaintenance, m_actCustomerMaintenance, m_actPriceSheet, m_actReport});
    m_backupRestoreMenu = maintenance->addMenu(Icons::forCommand(Icons::Command::BackupRestore), tr("Backup/Restore"));
    m_backupRestoreMenu->setObjectName(QStringLiteral("mnuBackupRestore"));
    QAction *backupRestore = m_backupRestoreMenu->menuAction();
    backupRestore->setObjectName(QStringLiteral("actBackupRestore"));
    backupRestore->setToolTip(tr("Backup or Restore company data"));
    backupRestore->setStatusTip(tr("Backup or Restore company data"));
    m_backupRestoreMenu->addActions({m_actBackupCompanyData, m_actRestoreCompanyData, m_actCopyCompanyToServer});
    maintenance->addActions({m_actContractWriter, m_actWarrantyWriter});

    m_plannerMenu = bar->addMenu(tr("&Planner"));
    m_plannerMenu->setObjectName(QStringLiteral("mnuPlanner"));
    m_plannerMenu->addAction(m_actShowHidePlanner);

    QMenu *help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addActions({m_actUpdate, m_actHelp, m_actAbout});
    for (QMenu *menu : {file, invoice, maintenance, m_plannerMenu, help})
        Mnemonics::markMenu(menu);
}

void TfrmMain::createToolBar()
{
    QToolBar *tools = addToolBar(tr("Commands"));
    tools->setObjectName(QStringLiteral("ToolBarfrmMain"));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tools->setIconSize(QSize(32, 32));
    tools->addActions({m_actNewInvoice, m_actInvoiceMaintenance, m_actReceivables, m_actManualInvoice, m_actCustomerMaintenance,
                       m_actReport, m_actHelp});
    Mnemonics::answerInWindow(this, tools->actions());
}

QWidget *TfrmMain::createCentralArea()
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("PanelMain"));

    auto *title = new QLabel(Product::GetProductTitle(m_context.edition()), area);
    title->setObjectName(QStringLiteral("lblProductTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setEnabled(false); // the muted look of a backdrop, not a control

    m_lblCompanyName = new QLabel(m_context.company.company.strCompName, area);
    m_lblCompanyName->setObjectName(QStringLiteral("lblCompanyName"));
    QFont companyFont = m_lblCompanyName->font();
    companyFont.setPointSizeF(companyFont.pointSizeF() * 1.4);
    m_lblCompanyName->setFont(companyFont);
    m_lblCompanyName->setAlignment(Qt::AlignCenter);
    m_lblCompanyName->setTextFormat(Qt::PlainText);

    m_groupRecurring = new QGroupBox(tr("Print Recurring Invoices"), area);
    m_groupRecurring->setObjectName(QStringLiteral("GroupBoxRecurring"));
    auto *caption = new QLabel(tr("Last Printed on:"), m_groupRecurring);
    caption->setObjectName(QStringLiteral("lblRecurringCaption"));
    m_lblRecurringLastPrinted = new QLabel(m_groupRecurring);
    m_lblRecurringLastPrinted->setObjectName(QStringLiteral("lblRecurringLastPrinted"));
    m_lblRecurringLastPrinted->setTextFormat(Qt::PlainText);
    m_btnPrintRecurring = new QPushButton(Icons::forCommand(Icons::Command::PrintRecurring), tr("Print Recurring"),
                                          m_groupRecurring);
    m_btnPrintRecurring->setObjectName(QStringLiteral("btnPrintRecurring"));
    m_btnPrintRecurring->setToolTip(tr("Print Recurring Invoices"));
    m_btnPrintRecurring->setStatusTip(tr("Print Recurring Invoices"));
    m_btnPrintRecurring->setEnabled(false);
    connect(m_btnPrintRecurring, &QPushButton::clicked, this,
            &TfrmMain::pPrintRecurring);

    auto *lastPrinted = new QHBoxLayout;
    lastPrinted->addWidget(caption);
    lastPrinted->addWidget(m_lblRecurringLastPrinted, 1);
    auto *recurring = new QVBoxLayout(m_groupRecurring);
    recurring->addLayout(lastPrinted);
    recurring->addWidget(m_btnPrintRecurring, 0, Qt::AlignLeft);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_groupRecurring);
    bottom->addStretch(1);

    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addStretch(2);
    layout->addWidget(title);
    layout->addWidget(m_lblCompanyName);
    m_lblWindowInFront = new QLabel(area);
    m_lblWindowInFront->setObjectName(QStringLiteral("lblWindowInFront"));
    m_lblWindowInFront->setAlignment(Qt::AlignCenter);
    m_lblWindowInFront->setWordWrap(true);
    layout->addSpacing(12);
    layout->addWidget(m_lblWindowInFront);
    layout->addStretch(3);
    layout->addLayout(bottom);
    return area;
}

void TfrmMain::hideEditionCommands()
{
    const Edition &edition = m_context.edition();
    // Without stored documents there is nothing to maintain, list, report on or back up.
    if (!edition.storesDocuments()) {
        for (QAction *action : {m_actInvoiceMaintenance, m_actReceivables, m_actCustomerStatement,
                                m_actCustomerMaintenance, m_actPriceSheet, m_actReport,
                                m_backupRestoreMenu->menuAction()})
            action->setVisible(false);
    }
    // The writers, the planner and recurring printing come with the full editions only.
    if (!edition.IsFullEdition()) {
        for (QAction *action : {m_actContractWriter, m_actWarrantyWriter, m_plannerMenu->menuAction()})
            action->setVisible(false);
        m_groupRecurring->setVisible(false);
    }
}

void TfrmMain::showCompanyDatabase()
{
    // On the office server the caption says so; the file keeps the plain name.
    const auto server = OfficeServer::serving(m_context.databasePath());
    const QString edition = m_context.edition().GetEditionName();
    setWindowTitle(server ? tr("%1 - Office server %2").arg(edition, server->shownName()) : edition);
    if (m_context.edition().offersOfficeServer()) {
        m_lblCompanyDatabase->setText(server ? tr("Company on the office server %1").arg(server->shownName())
                                             : tr("Company file on this computer"));
    }
    m_actCopyCompanyToServer->setVisible(m_context.edition().offersOfficeServer() && !server);
}

void TfrmMain::copyCompanyToServer()
{
    TfrmCompanyDatabase dialog(TfrmCompanyDatabase::Purpose::CopyToServer,
                               ServerChoice::remembered(m_context.databasePath()), m_context.prompts(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (CompanyToServer::pCopyCompanyToServer(m_context, dialog.choice().server))
        showCompanyDatabase();
}

void TfrmMain::showAsPreferred()
{
    if (m_context.preferences[AppPreferences::FrmMainMaximized])
        showMaximized();
    else
        showNormal();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The popup may still be up from building the database.
    m_context.saving().pCloseSaving();
    pCheckRecurring();
    pShowLastPrinted();

    // Queued: the offer comes after the operation that met the damage has told its own failure.
    DamageWatch &watch = DamageWatch::instance();
    watch.watch(m_context.databasePath());
    connect(&watch, &DamageWatch::damageFound, this, &TfrmMain::offerRestoreOfDamagedFile, Qt::QueuedConnection);
    // Checked once the window is up, on a thread of its own, so a large file never delays the start.
    QTimer::singleShot(0, this, [path = m_context.databasePath()] { LiveFileCheck::startInBackground(path); });
}

void TfrmMain::showRestoredData()
{
    m_lblCompanyName->setText(m_context.company.company.strCompName);
    pCheckRecurring();
    pShowLastPrinted();
}

void TfrmMain::offerRestoreOfDamagedFile(const QString &file, const QString &detail)
{
    Prompts &prompts = m_context.prompts();
    const QString damaged = tr("The company database \"%1\" is damaged: part of what it holds can no longer be read.")
                                .arg(QDir::toNativeSeparators(file));
    const QString details = tr("\n\nDetails: %1").arg(detail);
    const QString copy = BackupRestore::newestSafetyCopy(m_context.edition());
    bool restored = false;
    if (!copy.isEmpty()) {
        const QString question =
            damaged
            + tr("\n\nRestore it now from the newest safety copy \"%1\", made %2? What was saved after that is not "
                 "in the copy; the damaged file is kept as a safety copy of its own.")
                  .arg(QDir::toNativeSeparators(copy),
                       m_context.locale.toString(QFileInfo(copy).lastModified(), QLocale::ShortFormat))
            + details;
        if (prompts.ShowYesNo(question, Prompts::No) == Prompts::Yes)
            restored = CompanySettings::pRestoreCompanyDataFrom(m_context, copy);
    } else {
        const QString question =
            damaged + tr("\n\nThere is no safety copy of it. Restore it now from a backup?") + details;
        if (prompts.ShowYesNo(question, Prompts::No) == Prompts::Yes)
            restored = CompanySettings::pRestoreCompanyData(m_context);
    }
    if (restored) {
        DamageWatch::instance().watch(m_context.databasePath());
        showRestoredData();
    }
}

void TfrmMain::pCheckRecurring()
{
    try {
        const auto db = m_context.openDatabase();
        m_btnPrintRecurring->setEnabled(!Recurring::GetRecurringNumbers(*db).isEmpty());
    } catch (const DbError &error) {
        m_btnPrintRecurring->setEnabled(false);
        m_context.prompts().showError(error.message(), error.detail());
    }
}

void TfrmMain::pShowLastPrinted()
{
    try {
        const auto db = m_context.openDatabase();
        m_lblRecurringLastPrinted->setText(Recurring::GetLastPrintedText(*db, m_context.locale));
    } catch (const DbError &error) {
        m_lblRecurringLastPrinted->clear();
        m_context.prompts().showError(error.message(), error.detail());
    }
}

void TfrmMain::pPrintRecurring()
{
    if (!recurringRunWanted(QDate::currentDate()))
        return;
    RecurringRun run(m_context, [this](const DocumentContext &) {
        if (!m_context.printModule)
            throw std::runtime_error("Printing is not available.");
        m_context.printModule->pPrintPreview(PrintRequest::of(PrintKind::CurrentDocument));
    });
    try {
        const RecurringRun::Outcome outcome = run.pPrintRecurring();
        if (!outcome.finished())
            m_context.prompts().showError(RecurringRun::describeStop(outcome));
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
    pCheckRecurring();
    pShowLastPrinted();
}

bool TfrmMain::recurringRunWanted(QDate today)
{
    try {
        const auto db = m_context.openDatabase();
        if (Recurring::GetLastPrintedDate(*db) != today)
            return true;
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
    // A second run makes a second copy of every recurring invoice.
    return m_context.prompts().ShowYesNo(
               QStringLiteral("Recurring invoices were already printed today. Print them again?"), Prompts::No)
        == Prompts::Yes;
}

void TfrmMain::newInvoice()
{
    m_opener.openInvoiceEditor(true);
    pCheckRecurring();
}

void TfrmMain::invoiceMaintenance()
{
    m_opener.openInvoiceMaintenance();
    pCheckRecurring();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!OtherWindows::closeAllBut(this)) {
        event->ignore();
        return;
    }
    LiveFileCheck::askToStop();
    m_context.preferences[AppPreferences::FrmMainMaximized] = isMaximized();
    // Gone from the screen at once: what is left to do only writes.
    hide();
    try {
        StartUp::pShutDown(m_context);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
    LiveFileCheck::stop();
    event->accept();
    // Closing the main window ends the program, even while a window that has nothing
    // to ask (a saving popup finishing its bar) is still on screen.
    QCoreApplication::quit();
}
