#pragma once

#include "core/ListUse.h"

#include "CustomerListModel.h"
#include "CustomerStore.h"
#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class DbError;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QStackedWidget;
class QTableView;
class QToolBar;

/// Customer maintenance: lists, searches, adds, edits and deletes customers. While a
/// document editor is open (pick mode) a click on a customer copies it into the
/// current document and closes the window.
class TfrmCustomer final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmCustomer(AppContext &context, QWidget *parent = nullptr, ListUse use = ListUse::Maintain);

    /// The listed customers, in list order (what the customer list report prints).
    [[nodiscard]] const CustomerListModel &listModel() const { return m_model; }

public slots:
    /// Every way of closing ends here: asks about unsaved changes first.
    void reject() override;

protected:
    void done(int result) override;

private:
    enum class Mode { List, New, Edit };

    QToolBar *createCommands();
    QWidget *createListPage();
    QWidget *createEditPage();
    void pShowFormInformation();
    void pLoadPaymentTerms();
    void connectChangeSignals();

    void pReturnToList();
    void pRunListQuery();
    void listClicked(const QModelIndex &index);
    void searchKindChanged(int index);
    void pChooseCustomer(const CustomerRecord &customer);
    void showEditPage(Mode mode);

    void actNewCustomerExecute();
    /// True when the customer was stored.
    bool actSaveExecute();
    void actCancelExecute();
    void actDeleteExecute();
    void actImportExecute();
    void actExportExecute();

    void pEnableSave();
    void pEnablePrint();
    void printList(bool preview);

    [[nodiscard]] CustomerRecord fieldsToRecord() const;
    void recordToFields(const CustomerRecord &customer);
    void clearFields();
    [[nodiscard]] CustomerSearch searchKind() const;
    [[nodiscard]] bool pickMode() const;
    void showDbError(const DbError &error);

    AppContext &m_context;
    const ListUse m_use;
    CustomerStore m_store;
    CustomerListModel m_model;
    Mode m_mode = Mode::List;

    QAction *m_actClose = nullptr;
    QAction *m_actNewCustomer = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actCancel = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actImport = nullptr;
    QAction *m_actExport = nullptr;
    QAction *m_actHelp = nullptr;

    QGroupBox *m_gbxCustomer = nullptr;
    QStackedWidget *m_pages = nullptr;
    QComboBox *m_cmboCustSearch = nullptr;
    QLineEdit *m_txtCustSearch = nullptr;
    QTableView *m_lstvCustomers = nullptr;

    QLineEdit *m_txtCustId = nullptr;
    QLineEdit *m_txtCustCmpnyName = nullptr;
    QLineEdit *m_txtCustFrstName = nullptr;
    QLineEdit *m_txtCustLstName = nullptr;
    QLineEdit *m_txtCustAddress = nullptr;
    QLineEdit *m_txtCustCity = nullptr;
    QLineEdit *m_txtCustState = nullptr;
    QLineEdit *m_txtCustZipCode = nullptr;
    QLineEdit *m_txtCustMainPhone = nullptr;
    QLineEdit *m_txtCustEmail = nullptr;
    QLineEdit *m_txtCustExtraPhone1Name = nullptr;
    QLineEdit *m_txtCustExtraPhone1 = nullptr;
    QLineEdit *m_txtCustExtraPhone2Name = nullptr;
    QLineEdit *m_txtCustExtraPhone2 = nullptr;
    QLineEdit *m_txtCustTaxExemptNumber = nullptr;
    QCheckBox *m_ckbxTaxExempt = nullptr;
    QComboBox *m_cmbPaymentTerms = nullptr;
    QSpinBox *m_SpinEditCustDiscount = nullptr;
    QPlainTextEdit *m_txtCustNotes = nullptr;
};
