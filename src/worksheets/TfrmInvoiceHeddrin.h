#pragma once

#include "editing/DocumentEditor.h"

class QAction;
class DueDateField;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTreeWidget;
class Ribbon;
class TotalsFooter;
class WorkSheetPanel;

/// The document editor of the Heddrin edition: a document made of work sheets, one
/// per room or outside area, priced from the document's 27 work-sheet prices.
/// Opened modally on the current document (new or saved); its editing session holds
/// the document's state and rules, this window shows them with the work-sheet panels.
class TfrmInvoiceHeddrin final : public DocumentEditor
{
    Q_OBJECT
public:
    explicit TfrmInvoiceHeddrin(AppContext &context, QWidget *parent = nullptr);

    /// The work sheet shown in the panels (its row in the line table).
    [[nodiscard]] int currentWorkSheet() const { return m_currentSheet; }

private:
    void opened() override;
    void showDocument() override;
    void rememberState() override;

    void buildActions();
    void buildRibbon();
    QWidget *buildBody();
    void connectControls();

    void pShowFormInformation();

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

    void actEditPricesExecute();

    int m_currentSheet = 0;

    QAction *m_actSave;
    QAction *m_actPDF;
    QAction *m_actEmail;
    QAction *m_actDelete;
    QAction *m_actJob;
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
    DueDateField *m_dtpDueDate;
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
    TotalsFooter *m_totals;
};
