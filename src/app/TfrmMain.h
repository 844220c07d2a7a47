#pragma once

#include "widgets/Icons.h"
#include "WindowOpener.h"

#include <QMainWindow>

class AppContext;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

/// The application's main window; it lives for the whole run. It offers the
/// edition's commands through a tool bar and menus and shows the recurring box.
class TfrmMain final : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(AppContext &context, QWidget *parent = nullptr);

    /// Shows the window maximised or normal, as the preferences say.
    void showAsPreferred();

    /// Enables "Print Recurring" when at least one saved invoice is recurring.
    void pCheckRecurring();
    /// Prints a fresh copy of every recurring invoice, each shown in the preview first.
    void pPrintRecurring();
    /// Shows the date of the last recurring run, or " Never".
    void pShowLastPrinted();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    /// Tells the user the company database is damaged and offers to restore it from
    /// the newest safety copy, or from a backup when there is none.
    void offerRestoreOfDamagedFile(const QString &file, const QString &detail);
    /// Shows what a restored database holds.
    void showRestoredData();
    /// False when the user does not want a second run on the day of the last one.
    bool recurringRunWanted(QDate today);
    QAction *makeAction(const QString &name, const QString &caption, const QString &hint, Icons::Command icon);
    void createActions();
    void createMenus();
    void createToolBar();
    QWidget *createCentralArea();
    void hideEditionCommands();
    /// The caption and status bar name the company's database; the copy to a server
    /// is offered while the company is in the file.
    void showCompanyDatabase();
    void copyCompanyToServer();
    void newInvoice();
    void invoiceMaintenance();

    AppContext &m_context;
    WindowOpener m_opener;
    bool m_shown = false;

    QAction *m_actNewInvoice = nullptr;
    QAction *m_actInvoiceMaintenance = nullptr;
    QAction *m_actReceivables = nullptr;
    QAction *m_actCustomerStatement = nullptr;
    QAction *m_actManualInvoice = nullptr;
    QAction *m_actCompanyMaintenance = nullptr;
    QAction *m_actCustomerMaintenance = nullptr;
    QAction *m_actPriceSheet = nullptr;
    QAction *m_actReport = nullptr;
    QAction *m_actBackupCompanyData = nullptr;
    QAction *m_actRestoreCompanyData = nullptr;
    QAction *m_actCopyCompanyToServer = nullptr;
    QAction *m_actContractWriter = nullptr;
    QAction *m_actWarrantyWriter = nullptr;
    QAction *m_actShowHidePlanner = nullptr;
    QAction *m_actUpdate = nullptr;
    QAction *m_actHelp = nullptr;
    QAction *m_actAbout = nullptr;
    QAction *m_actExit = nullptr;

    QMenu *m_backupRestoreMenu = nullptr;
    QLabel *m_lblCompanyDatabase = nullptr;
    QMenu *m_plannerMenu = nullptr;
    QLabel *m_lblCompanyName = nullptr;
    /// Says which window holds the program while the commands here wait for it.
    QLabel *m_lblWindowInFront = nullptr;
    QGroupBox *m_groupRecurring = nullptr;
    QLabel *m_lblRecurringLastPrinted = nullptr;
    QPushButton *m_btnPrintRecurring = nullptr;
};
