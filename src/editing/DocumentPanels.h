#pragma once

#include <QWidget>

class EditingSession;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
struct TrecCmpnyInvData;

/// The customer block beside the document's number, date and subtitle, and the
/// list of its lines: the middle of the price-item editors.
class DocumentArea final : public QWidget
{
    Q_OBJECT
public:
    DocumentArea(EditingSession &session, const TrecCmpnyInvData &company, QWidget *parent = nullptr);

    void showDocument();
    [[nodiscard]] QTableView *lineList() const { return m_lstInvoice; }

signals:
    /// The user clicked a line or pressed Enter on it.
    void lineChosen(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EditingSession &m_session;
    QLabel *m_lblInvoiceNameNumber;
    QLabel *m_lblInvoiceDate;
    QLabel *m_lblInvInfo;
    QPlainTextEdit *m_txtCustInformation;
    QTableView *m_lstInvoice;
};

/// The totals under the lines: paid or deposit, sub total, tax, the discount where
/// the edition has one, and the total.
class TotalsFooter final : public QWidget
{
    Q_OBJECT
public:
    TotalsFooter(EditingSession &session, bool showsDiscount, QWidget *parent = nullptr);

    void showDocument();

private:
    EditingSession &m_session;
    QLabel *m_lblPaidAndDeposit;
    QLineEdit *m_txtPaidAndDeposit;
    QLabel *m_lblDepositReceived;
    QLineEdit *m_txtDepositReceived;
    QLineEdit *m_txtInvoiceSubTotal;
    QLineEdit *m_txtInvoiceTaxTotal;
    QLineEdit *m_txtInvoiceDiscount = nullptr;
    QLabel *m_lblTotal;
    QLineEdit *m_txtInvoiceTotal;
};

/// Header controls every editor fills the same way.
namespace HeaderControls {

/// The kinds the document may take now (a saved one only moves forward), the
/// current one chosen.
void showKinds(QComboBox *box, const EditingSession &session);
/// Names the three tax boxes after the company's taxes; a tax at 0 is disabled.
void setUpTaxBoxes(QCheckBox *const (&boxes)[3], const TrecCmpnyInvData &company);
/// The company's payment terms, to choose from.
void fillPaymentTerms(QComboBox *box, const TrecCmpnyInvData &company);

} // namespace HeaderControls
