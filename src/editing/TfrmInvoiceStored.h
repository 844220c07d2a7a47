#pragma once

#include <QDialog>

class AppContext;
class CategoryPanelGroup;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;

/// The document editor of the editions that keep documents (Corvalo and Ostrev):
/// the customer and lines come from the customer and price windows in pick mode,
/// the document is saved, deleted, printed and written to PDF. The Corvalo edition
/// adds the discount, the recurring flag and the print options, and lays out its
/// controls in collapsible panels; what an edition offers comes from its facts.
/// Opened modally on the current document (new or loaded).
class TfrmInvoiceStored : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInvoiceStored(AppContext &context, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void createControls();
    QWidget *buildControlColumn();
    QWidget *buildPlainColumn();
    QWidget *buildPanelColumn();
    QLayout *buildDocumentArea();
    QLayout *buildFooter();

    void FormShow();
    void pShowFormInformation();
    void pLoadInvoiceData();
    void pLoadInvNames();
    void pLoadCustomerInformation();
    void pLoadPaymentTerms();
    void pChangeData();
    void pShowRequiredMarkers();
    void pShowFootNote();
    void pShowPaidDepositWording();
    void pSetPaidInFullAndRecurring();
    void pSetNonSaveData();
    [[nodiscard]] bool isComplete() const;
    [[nodiscard]] bool hasFullFeatures() const;

    [[nodiscard]] bool actSaveExecute();
    void actDeleteExecute();
    void actPDFExecute();
    void printDocument(bool preview);
    /// Yes/No/Cancel on closing with unsaved changes; false keeps the editor open.
    [[nodiscard]] bool FormCloseQuery();

    void btnAddCustomerClick();
    void btnAddPriceItemClick();
    void btnAddNotesClick();
    void btnPaidDepositClick();
    void editLine(int row);

    AppContext &m_context;
    bool m_refreshGuard = false;
    bool m_taxRatesUpdated = false;
    bool m_shown = false;
    /// Set once the document is deleted: the close that follows must neither ask nor save.
    bool m_deleted = false;

    QAction *m_actClose = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actPDF = nullptr;
    QAction *m_actEmail = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actHelp = nullptr;

    QComboBox *m_cmbInvoiceType = nullptr;
    QPushButton *m_btnAddCustomer = nullptr;
    QPushButton *m_btnAddPriceItem = nullptr;
    QLabel *m_lblArtskCustomer = nullptr;
    QLabel *m_lblArtskPriceItem = nullptr;
    QDateEdit *m_dateTimePickerInvoice = nullptr;
    QComboBox *m_cmbPaymentTerms = nullptr;
    QPushButton *m_btnAddNotes = nullptr;
    QPushButton *m_btnPaidDeposit = nullptr;
    QComboBox *m_cmbFootNotes = nullptr;
    QLineEdit *m_txtCustPO = nullptr;
    QLineEdit *m_txtcustTaxExemptNumber = nullptr;
    QCheckBox *m_ckbxTaxExempt = nullptr;
    QCheckBox *m_ckbxTaxRate[3] = {};
    QSpinBox *m_SpinEditCustDiscount = nullptr;
    QCheckBox *m_ckbxRecurring = nullptr;
    QCheckBox *m_ckbxAddSignatureLine = nullptr;
    QCheckBox *m_ckbxAddContract = nullptr;
    QCheckBox *m_ckbxAddWarranty = nullptr;
    CategoryPanelGroup *m_panels = nullptr;

    QLabel *m_lblInvoiceNameNumber = nullptr;
    QLabel *m_lblInvoiceDate = nullptr;
    QLabel *m_lblInvInfo = nullptr;
    QPlainTextEdit *m_txtCustInformation = nullptr;
    QTableView *m_lstInvoice = nullptr;

    QPlainTextEdit *m_txtInvoiceFootNotes = nullptr;
    QLabel *m_lblPaidAndDeposit = nullptr;
    QLineEdit *m_txtPaidAndDeposit = nullptr;
    QLineEdit *m_txtInvoiceSubTotal = nullptr;
    QLineEdit *m_txtInvoiceTaxTotal = nullptr;
    QLineEdit *m_txtInvoiceDiscount = nullptr;
    QLabel *m_lblTotal = nullptr;
    QLineEdit *m_txtInvoiceTotal = nullptr;
};
