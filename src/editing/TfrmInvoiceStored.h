#pragma once

#include "DocumentEditor.h"

class CategoryPanelGroup;
class DocumentArea;
class DueDateField;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TotalsFooter;

/// The document editor of the editions that keep documents (Corvalo and Ostrev):
/// the customer and lines come from the customer and price windows in pick mode,
/// the document is saved, deleted, printed and written to PDF. The Corvalo edition
/// adds the discount, the recurring flag and the print options, and lays out its
/// controls in collapsible panels; what an edition offers comes from its facts.
/// Opened modally on the current document (new or loaded); its editing session
/// holds the document's state and rules, this window only shows them.
class TfrmInvoiceStored final : public DocumentEditor
{
    Q_OBJECT
public:
    explicit TfrmInvoiceStored(AppContext &context, QWidget *parent = nullptr);

private:
    void opened() override;
    void showDocument() override;

    void buildCommands();
    void createControls();
    void connectControls();
    QWidget *buildControlColumn();
    QWidget *buildPlainColumn();
    QWidget *buildPanelColumn();
    QLayout *buildFooter();

    void pShowFormInformation();
    [[nodiscard]] bool hasFullFeatures() const;

    QAction *m_actSave = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actPDF = nullptr;
    QAction *m_actEmail = nullptr;

    QComboBox *m_cmbInvoiceType = nullptr;
    QPushButton *m_btnAddCustomer = nullptr;
    QPushButton *m_btnAddPriceItem = nullptr;
    QLabel *m_lblArtskCustomer = nullptr;
    QLabel *m_lblArtskPriceItem = nullptr;
    QDateEdit *m_dateTimePickerInvoice = nullptr;
    QComboBox *m_cmbPaymentTerms = nullptr;
    DueDateField *m_dtpDueDate = nullptr;
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

    DocumentArea *m_area = nullptr;
    QPlainTextEdit *m_txtInvoiceFootNotes = nullptr;
    TotalsFooter *m_totals = nullptr;
};
