#pragma once

#include "CustomerListModel.h"
#include "CustomerStore.h"
#include "widgets/RecordListWindow.h"

class AppContext;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class SearchBar;
class QSpinBox;
class QStackedWidget;
class QTableView;

/// Customer maintenance: lists, searches, adds, edits and deletes customers. While a
/// document editor is open (pick mode) a click on a customer copies it into the
/// current document and closes the window.
class TfrmCustomer final : public RecordListWindow
{
    Q_OBJECT
public:
    explicit TfrmCustomer(AppContext &context, QWidget *parent = nullptr, ListUse use = ListUse::Maintain);

    /// The listed customers, in list order (what the customer list report prints).
    [[nodiscard]] const CustomerListModel &listModel() const { return m_model; }

private:
    enum class Mode { List, New, Edit };

    QWidget *createListPage();
    QWidget *createEditPage();
    void pShowFormInformation();
    void pLoadPaymentTerms();
    void connectChangeSignals();

    void returnToList() override;
    void pRunListQuery();
    /// Another PC or copy of the program committed: the list shows it, the user's
    /// place in it kept; an open customer's fields are left as they are.
    void pShowChangesFromElsewhere();
    void listClicked(const QModelIndex &index);
    void searchKindChanged(int index);
    void pChooseCustomer(const CustomerRecord &customer);
    void showEditPage(Mode mode);

    void newRecord() override;
    bool saveRecord() override;
    void deleteCurrent() override;
    void importRecords() override;
    void exportRecords() override;
    void printList(bool preview) override;

    void pEnableSave();
    void showEmailProblem();
    void pEnablePrint();

    [[nodiscard]] CustomerRecord fieldsToRecord() const;
    void recordToFields(const CustomerRecord &customer);
    void clearFields();
    [[nodiscard]] CustomerSearch searchKind() const;

    AppContext &m_context;
    CustomerStore m_store;
    CustomerListModel m_model;
    Mode m_mode = Mode::List;

    QGroupBox *m_gbxCustomer = nullptr;
    QStackedWidget *m_pages = nullptr;
    SearchBar *m_search = nullptr;
    QTableView *m_lstvCustomers = nullptr;

    QLineEdit *m_txtCustId = nullptr;
    /// The version of the customer shown, as it was read.
    qint64 m_rowVersion = 0;
    QLineEdit *m_txtCustCmpnyName = nullptr;
    QLineEdit *m_txtCustFrstName = nullptr;
    QLineEdit *m_txtCustLstName = nullptr;
    QLineEdit *m_txtCustAddress = nullptr;
    QLineEdit *m_txtCustCity = nullptr;
    QLineEdit *m_txtCustState = nullptr;
    QLineEdit *m_txtCustZipCode = nullptr;
    QLineEdit *m_txtCustMainPhone = nullptr;
    QLineEdit *m_txtCustEmail = nullptr;
    QAction *m_emailWarning = nullptr;
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
