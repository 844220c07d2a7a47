#include "DocumentPanels.h"

#include "EditingSession.h"
#include "EditorWidgets.h"
#include "company/CompanyRecord.h"
#include "invoice/CurrentDocument.h"
#include "widgets/FormFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTableView>

using EditorWidgets::namedLabel;

DocumentArea::DocumentArea(EditingSession &session, const TrecCmpnyInvData &company, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_lblInvoiceNameNumber(namedLabel(this, QStringLiteral("lblInvoiceNameNumber")))
    , m_lblInvoiceDate(namedLabel(this, QStringLiteral("lblInvoiceDate")))
    , m_lblInvInfo(namedLabel(this, QStringLiteral("lblInvInfo")))
    , m_txtCustInformation(new QPlainTextEdit(this))
    , m_lstInvoice(new QTableView(this))
{
    QFont heading = m_lblInvoiceNameNumber->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    m_lblInvoiceNameNumber->setFont(heading);
    for (QLabel *label : {m_lblInvoiceNameNumber, m_lblInvoiceDate, m_lblInvInfo})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_txtCustInformation->setObjectName(QStringLiteral("txtCustInformation"));
    m_txtCustInformation->setReadOnly(true);
    m_txtCustInformation->setFocusPolicy(Qt::ClickFocus);
    m_txtCustInformation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtCustInformation->setFixedHeight(m_txtCustInformation->fontMetrics().lineSpacing() * 7 + 12);

    m_lstInvoice->setObjectName(QStringLiteral("lstInvoice"));
    m_lstInvoice->setToolTip(tr("Click on a Price Item to edit"));
    EditorWidgets::setupLineList(m_lstInvoice, session.lineModel());
    EditorWidgets::pResizeListBox(m_lstInvoice, company);
    m_lstInvoice->installEventFilter(this);
    connect(m_lstInvoice, &QTableView::clicked, this, [this](const QModelIndex &index) { emit lineChosen(index.row()); });

    auto *titles = new QVBoxLayout;
    titles->addWidget(m_lblInvoiceNameNumber);
    titles->addWidget(m_lblInvoiceDate);
    titles->addWidget(m_lblInvInfo);
    titles->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_txtCustInformation, 1);
    top->addSpacing(12);
    top->addLayout(titles, 1);

    auto *area = new QVBoxLayout(this);
    area->setContentsMargins(0, 0, 0, 0);
    area->addLayout(top);
    area->addWidget(m_lstInvoice, 1);
}

void DocumentArea::showDocument()
{
    m_lblInvoiceNameNumber->setText(m_session.numberCaption());
    m_lblInvoiceDate->setText(m_session.shownDate());
    m_lblInvInfo->setText(m_session.subtitle());
    const QString block = m_session.customerBlock();
    if (m_txtCustInformation->toPlainText() != block) {
        m_txtCustInformation->setPlainText(block);
        m_txtCustInformation->moveCursor(QTextCursor::Start);
    }
}

bool DocumentArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstInvoice && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_lstInvoice->currentIndex().isValid())
                emit lineChosen(m_lstInvoice->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TotalsFooter::TotalsFooter(EditingSession &session, bool showsDiscount, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_lblPaidAndDeposit(namedLabel(this, QStringLiteral("lblPaidAndDeposit")))
    , m_txtPaidAndDeposit(FormFields::readOnlyField(this, QStringLiteral("txtPaidAndDeposit")))
    , m_lblDepositReceived(new QLabel(tr("Deposit Received"), this))
    , m_txtDepositReceived(FormFields::readOnlyField(this, QStringLiteral("txtDepositReceived")))
    , m_txtInvoiceSubTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceSubTotal")))
    , m_txtInvoiceTaxTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTaxTotal")))
    , m_lblTotal(namedLabel(this, QStringLiteral("lblTotal")))
    , m_txtInvoiceTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTotal")))
{
    FormFields::markAsTotal(m_txtInvoiceTotal);
    QList<QPair<QLabel *, QLineEdit *>> rows{
        {m_lblPaidAndDeposit, m_txtPaidAndDeposit},
        {m_lblDepositReceived, m_txtDepositReceived},
        {new QLabel(tr("Sub Total"), this), m_txtInvoiceSubTotal},
        {new QLabel(tr("Tax Total"), this), m_txtInvoiceTaxTotal},
    };
    if (showsDiscount) {
        m_txtInvoiceDiscount = FormFields::readOnlyField(this, QStringLiteral("txtInvoiceDiscount"));
        rows.append({new QLabel(tr("Discount Amount"), this), m_txtInvoiceDiscount});
    }
    rows.append({m_lblTotal, m_txtInvoiceTotal});

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rows[row].first->setBuddy(rows[row].second);
        rows[row].second->setAlignment(Qt::AlignRight);
        rows[row].second->setFixedWidth(160);
        grid->addWidget(rows[row].first, row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
}

void TotalsFooter::showDocument()
{
    // A kind without paid or deposit wording keeps the last one shown.
    if (const auto wording = m_session.paidDepositWording())
        m_lblPaidAndDeposit->setText(wording->label);
    const TrecPrintData &print = m_session.document().print;
    m_txtPaidAndDeposit->setText(print.strDepositPaid);
    // Shown whenever deposits received are taken off the total, as on paper.
    m_lblDepositReceived->setVisible(!print.strDepositReceived.isEmpty());
    m_txtDepositReceived->setVisible(!print.strDepositReceived.isEmpty());
    m_txtDepositReceived->setText(print.strDepositReceived);
    m_txtInvoiceSubTotal->setText(print.strSubTotal);
    m_txtInvoiceTaxTotal->setText(print.strTax);
    if (m_txtInvoiceDiscount)
        m_txtInvoiceDiscount->setText(print.strDiscount);
    m_lblTotal->setText(m_session.totalCaption());
    m_txtInvoiceTotal->setText(print.strTotal);
}

namespace HeaderControls {

void showKinds(QComboBox *box, const EditingSession &session)
{
    const EditorRules::KindChoice choice = session.kinds();
    const QSignalBlocker quiet(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown != choice.kinds) {
        box->clear();
        box->addItems(choice.kinds);
    }
    box->setCurrentText(session.header().strInvName);
    box->setEnabled(choice.enabled);
}

void setUpTaxBoxes(QCheckBox *const (&boxes)[3], const TrecCmpnyInvData &company)
{
    const double rates[3] = {company.dbTaxRate1, company.dbTaxRate2, company.dbTaxRate3};
    const QString names[3] = {company.strTaxName1, company.strTaxName2, company.strTaxName3};
    for (int i = 0; i < 3; ++i) {
        QCheckBox *box = boxes[i];
        box->setToolTip(QCheckBox::tr("Check to use this tax"));
        const bool inUse = rates[i] > 0;
        box->setText(inUse ? names[i] : QCheckBox::tr("Tax %1").arg(i + 1));
        box->setEnabled(inUse);
    }
}

void fillPaymentTerms(QComboBox *box, const TrecCmpnyInvData &company)
{
    const QSignalBlocker quiet(box);
    box->clear();
    for (const QString &terms : company.strInvTerms) {
        if (!terms.isEmpty())
            box->addItem(terms);
    }
}

} // namespace HeaderControls
