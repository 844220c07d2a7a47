#pragma once

#include "EditingSession.h"
#include "EditorCommands.h"

#include <QDialog>

class AppContext;
class CategoryPanelGroup;
class DocumentArea;
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
class TfrmInvoiceStored : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInvoiceStored(AppContext &context, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void buildCommands();
    void createControls();
    void connectControls();
    QWidget *buildControlColumn();
    QWidget *buildPlainColumn();
    QWidget *buildPanelColumn();
    QLayout *buildFooter();

    void FormShow();
    void pShowFormInformation();
    /// Shows the session's document in every control.
    void showDocument();
    [[nodiscard]] bool hasFullFeatures() const;

    /// Opens a dialog that changes the document and tells the session when it did.
    template<typename Dialog>
    void edit();
    void editLine(int row);

    AppContext &m_context;
    EditingSession m_session;
    EditorCommands m_commands;
    /// Set while the controls are being filled from the document, so that doing so
    /// is not taken for the user's changes.
    bool m_showing = false;
    bool m_shown = false;

    QAction *m_actSave = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actPDF = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;

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

    DocumentArea *m_area = nullptr;
    QPlainTextEdit *m_txtInvoiceFootNotes = nullptr;
    TotalsFooter *m_totals = nullptr;
};
