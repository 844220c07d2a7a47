#pragma once

#include <QDialog>

class AppContext;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

/// The document editor of the Lunvard edition. It writes one new document from
/// two typing dialogs (customer, price lines), shows its totals after every change
/// and prints it; nothing is stored, and each print consumes the next number.
/// Opened modally on a freshly started current document; closing drops it.
class TfrmInvoiceLunvard final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInvoiceLunvard(AppContext &context, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    QLayout *buildControlColumn();
    QLayout *buildDocumentArea();
    QLayout *buildFooter();

    void FormShow();
    void pShowFormInformation();
    void pLoadInvoiceData();
    void pLoadInvNames();
    void pLoadCustomerInformation();
    void pResizeListBox();
    void pChangeData();
    void pShowPaidDepositWording();
    [[nodiscard]] bool isPrintable() const;

    void txtInvoiceFootNotesChange();
    void btnAddCustomerClick();
    void btnAddPriceItemClick();
    void btnAddNotesClick();
    void btnPaidDepositClick();
    void editLine(int row);
    void printDocument(bool preview);

    AppContext &m_context;
    /// While set, control changes do not refresh: loading and the customer reload
    /// each end with one explicit refresh instead.
    bool m_refreshGuard = false;
    /// The user chose, on opening, to replace the document's saved tax rates.
    bool m_taxRatesUpdated = false;
    bool m_shown = false;
    /// The foot note as it last stood within its five lines.
    QString m_acceptedFootNote;
    int m_footNoteEditPosition = 0;

    QAction *m_actClose = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actHelp = nullptr;

    QComboBox *m_cmbInvoiceType;
    QPushButton *m_btnAddCustomer;
    QPushButton *m_btnAddPriceItem;
    QDateEdit *m_dateTimePickerInvoice;
    QLineEdit *m_txtPaymentTerms;
    QPushButton *m_btnAddNotes;
    QPushButton *m_btnPaidDeposit;
    QCheckBox *m_ckbxTaxRate[3];

    QLabel *m_lblInvoiceNameNumber;
    QLabel *m_lblInvoiceDate;
    QLabel *m_lblInvInfo;
    QPlainTextEdit *m_txtCustInformation;
    QTableView *m_lstInvoice;

    QPlainTextEdit *m_txtInvoiceFootNotes;
    QLabel *m_lblPaidAndDeposit;
    QLineEdit *m_txtPaidAndDeposit;
    QLineEdit *m_txtInvoiceSubTotal;
    QLineEdit *m_txtInvoiceTaxTotal;
    QLabel *m_lblTotal;
    QLineEdit *m_txtInvoiceTotal;
};
