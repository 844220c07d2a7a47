#pragma once

#include "MaintenanceListModel.h"

#include <QDialog>
#include <optional>

class AppContext;
class QAction;
class QComboBox;
class QLineEdit;
class QTableView;
class QToolBar;

/// Invoice maintenance: lists the saved documents a maintenance type and search
/// select, and performs the type's action on the clicked one: open it in the editor,
/// convert it, make a past-due notice of it, mark it paid, delete it, or put it on
/// or take it off the recurring list.
class TfrmInvoiceMaintenance final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInvoiceMaintenance(AppContext &context, QWidget *parent = nullptr);

    /// The listed documents, in list order (what the invoice list report prints).
    [[nodiscard]] const MaintenanceListModel &listModel() const { return m_model; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolBar *createCommands();
    void pShowFormInformation();
    void pSetComboMaintenanceItems();
    void pSetComboSearchItems();
    void pQuerySavedInvoices();
    /// The list as the choices and the search text ask for it now. Throws DbError.
    [[nodiscard]] std::shared_ptr<QueryWindow> listedNow();
    /// Another PC or copy of the program committed: the list shows it, the user's
    /// place in it kept.
    void pShowChangesFromElsewhere();
    void pShowPrintButton();
    [[nodiscard]] MaintenanceType currentType() const;

    void lstvwInvMaintenanceClick(const QModelIndex &index);
    /// Performs \a type's action on \a row; a failure is reported and changes nothing.
    void pAct(MaintenanceType type, const MaintenanceRow &row);
    void pPrintList(bool preview);
    /// The number of the document selected in the list; nothing (and the user is
    /// told) when none is.
    [[nodiscard]] std::optional<int> selectedNumber();
    void actEmailExecute();
    void actRecordPaymentExecute();
    void actExportExecute();
    void actJobExecute();
    void actStatementExecute();

    AppContext &m_context;
    MaintenanceListModel m_model;
    QAction *m_actClose = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actEmail = nullptr;
    QAction *m_actRecordPayment = nullptr;
    QAction *m_actExport = nullptr;
    QAction *m_actJob = nullptr;
    QAction *m_actStatement = nullptr;
    QAction *m_actHelp = nullptr;
    QComboBox *m_cmboInvMaintenanceType = nullptr;
    QComboBox *m_cmboInvSearch = nullptr;
    QLineEdit *m_txtInvSearch = nullptr;
    QTableView *m_lstvwInvMaintenance = nullptr;
};
