#pragma once

#include "DocumentEditor.h"

class DocumentArea;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TotalsFooter;

/// The document editor of the Lunvard edition. It writes one new document from
/// two typing dialogs (customer, price lines), shows its totals after every change
/// and prints it; nothing is stored, and each print consumes the next number.
/// Opened modally on a freshly started current document. Closing drops it, after
/// asking when it holds work that was changed since it was last printed.
class TfrmInvoiceLunvard final : public DocumentEditor
{
    Q_OBJECT
public:
    explicit TfrmInvoiceLunvard(AppContext &context, QWidget *parent = nullptr);

private:
    void opened() override;
    void showDocument() override;

    void buildCommands();
    QLayout *buildControlColumn();
    QLayout *buildFooter();
    void connectControls();

    void pShowFormInformation();
    void txtInvoiceFootNotesChange();

    /// The foot note as it last stood within its five lines.
    QString m_acceptedFootNote;
    int m_footNoteEditPosition = 0;


    QComboBox *m_cmbInvoiceType;
    QPushButton *m_btnAddCustomer;
    QPushButton *m_btnAddPriceItem;
    QDateEdit *m_dateTimePickerInvoice;
    QLineEdit *m_txtPaymentTerms;
    QPushButton *m_btnAddNotes;
    QPushButton *m_btnPaidDeposit;
    QCheckBox *m_ckbxTaxRate[3];

    DocumentArea *m_area;
    QPlainTextEdit *m_txtInvoiceFootNotes;
    TotalsFooter *m_totals;
};
