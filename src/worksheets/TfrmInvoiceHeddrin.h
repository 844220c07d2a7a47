#pragma once

#include <QDialog>

class AppContext;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTreeWidget;
class Ribbon;
class WorkSheetPanel;

/// The document editor of the Heddrin edition: a document made of work sheets, one
/// per room or outside area, priced from the document's 27 work-sheet prices.
/// Opened modally on the current document (new or saved); it saves, deletes, prints
/// and writes PDF files of it.
class TfrmInvoiceHeddrin final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInvoiceHeddrin(AppContext &context, QWidget *parent = nullptr);

    /// The work sheet shown in the panels (its row in the line table).
    [[nodiscard]] int currentWorkSheet() const { return m_currentSheet; }

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;
    void done(int result) override;

private:
    void buildActions();
    void buildRibbon();
    QWidget *buildBody();

    void FormShow();
    void pShowFormInformation();
    void pLoadInvoiceData();
    void pLoadInvNames();
    void pLoadPaymentTerms();
    void pLoadCustomerInformation();
    void pChangeData();
    void pSetPaidInFullAndRecurring();
    void pShowPaidDepositWording();
    void setOutputEnabled(bool enabled);

    // Work sheets.
    void addWorkSheet();
    void removeWorkSheet();
    void workSheetFieldChanged(int column, const QString &value);
    void pShowWorkSheetData();
    void pWorkSheetNameList();
    void pEnableWorkSheet(bool enabled);
    void lstvwWorkSheetNameClick(int row);
    [[nodiscard]] bool currentSheetComplete() const;
    [[nodiscard]] double currentSheetAmount() const;
    [[nodiscard]] QString currentSheetListName() const;

    // Commands.
    /// False when the document could not be saved.
    bool pSaveInvData();
    void actDeleteExecute();
    void actPDFExecute();
    void actEditPricesExecute();
    void printDocument(bool preview);
    void addCustomer();
    void openPaidAndDeposit();
    void openInvoiceNotes();

    AppContext &m_context;
    bool m_refreshGuard = false;
    bool m_taxRatesUpdated = false;
    bool m_shown = false;
    /// Set once the document is deleted, so closing never saves it again.
    bool m_deleted = false;
    int m_currentSheet = 0;

    QAction *m_actSave;
    QAction *m_actPDF;
    QAction *m_actEmail;
    QAction *m_actDelete;
    QAction *m_actPrint;
    QAction *m_actPrintPreview;
    QAction *m_actClose;
    QAction *m_actHelp;
    QAction *m_actAddCustomer;
    QAction *m_actAddWorkSheet;
    QAction *m_actRemoveWorkSheet;
    QAction *m_actInvoiceNumber;
    QAction *m_actRecurring;
    QAction *m_actPaidDeposit;
    QAction *m_actTaxExempt;
    QAction *m_actTax[3];
    QAction *m_actEditPrices;
    QAction *m_actAddSignatureLine;
    QAction *m_actPrintContract;
    QAction *m_actPrintWarranty;
    QAction *m_actAddNotes;

    Ribbon *m_ribbon;
    QComboBox *m_cmbInvoiceType;
    QDateEdit *m_dateTimePickerInvoice;
    QComboBox *m_cmbPaymentTerms;
    QSpinBox *m_SpinEditCustDiscount;
    QLineEdit *m_txtCustPO;
    QLineEdit *m_txtcustTaxExemptNumber;
    QComboBox *m_cmbFootNotes;

    QPlainTextEdit *m_txtCustInformation;
    QTreeWidget *m_lstvwWorkSheetName;
    QLabel *m_lblCurrentWorkSheet;
    QLineEdit *m_txtAreaSQFTTotal;
    QLineEdit *m_txtAreaTotal;
    WorkSheetPanel *m_panel;
    QPlainTextEdit *m_txtInvoiceFootNotes;
    QLabel *m_lblPaidAndDeposit;
    QLineEdit *m_txtPaidAndDeposit;
    QLineEdit *m_txtInvoiceSubTotal;
    QLineEdit *m_txtInvoiceTaxTotal;
    QLineEdit *m_txtInvoiceDiscount;
    QLabel *m_lblTotal;
    QLineEdit *m_txtInvoiceTotal;
};
