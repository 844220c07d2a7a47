#include "TfrmRecordPayment.h"
#include "widgets/ReadOnlyList.h"

#include "EditingSession.h"
#include "PaymentEntry.h"
#include "context/AppContext.h"
#include "core/Prompts.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "invoice/CustomerCredit.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"
#include "invoice/Receivables.h"
#include "widgets/FormFields.h"
#include "widgets/InputGuards.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmRecordPayment::TfrmRecordPayment(AppContext &context, Record record, Remove remove, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_record(std::move(record))
    , m_remove(std::move(remove))
{
    setObjectName(QStringLiteral("frmRecordPayment"));
    setModal(true);
    m_lblSummary = new QLabel(this);
    m_lblSummary->setObjectName(QStringLiteral("lblSummary"));
    m_lblSummary->setTextFormat(Qt::PlainText);
    m_lblSummary->setWordWrap(true);
    m_lstPayments = new QTableWidget(0, 5, this);
    m_lstPayments->setObjectName(QStringLiteral("lstPayments"));
    m_lstPayments->setHorizontalHeaderLabels({tr("Date"), tr("Amount"), tr("Method"), tr("Reference"), tr("Note")});
    m_lstPayments->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstPayments->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstPayments->setSelectionMode(QAbstractItemView::SingleSelection);
    giveListKeys(m_lstPayments);
    m_lstPayments->verticalHeader()->hide();
    m_lstPayments->horizontalHeader()->setStretchLastSection(true);
    m_btnRemove = FormFields::pushButton(this, QStringLiteral("btnRemovePayment"), tr("Re&move Payment"),
                                         tr("Remove the selected payment"));
    m_btnRemove->setAutoDefault(false);

    m_dtpPaymentDate = new DateField(this);
    m_dtpPaymentDate->setObjectName(QStringLiteral("dtpPaymentDate"));
    m_dtpPaymentDate->setCalendarPopup(true);
    m_dtpPaymentDate->setLocale(context.locale);
    m_dtpPaymentDate->setDisplayFormat(DateText::shortDateFormat(context.locale));
    m_dtpPaymentDate->setDate(QDate::currentDate());
    m_txtPaymentAmount = FormFields::amountField(this, QStringLiteral("txtPaymentAmount"), 13,
                                                 tr("The amount received"), context.locale);
    m_cmbPaymentMethod = new QComboBox(this);
    m_cmbPaymentMethod->setObjectName(QStringLiteral("cmbPaymentMethod"));
    for (const QString &method : Payments::methods())
        m_cmbPaymentMethod->addItem(Payments::methodCaption(method), method);
    m_cmbPaymentMethod->setCurrentIndex(int(Payments::methods().indexOf(QStringLiteral("check"))));
    m_txtPaymentReference = FormFields::textField(this, QStringLiteral("txtPaymentReference"), 50,
                                                  tr("Check number, card slip or transfer reference"));
    m_txtPaymentNote = FormFields::textField(this, QStringLiteral("txtPaymentNote"), 200, {});
    m_lblCredit = new QLabel(this);
    m_lblCredit->setObjectName(QStringLiteral("lblCustomerCredit"));
    m_lblCredit->setTextFormat(Qt::PlainText);
    m_btnApplyCredit = FormFields::pushButton(this, QStringLiteral("btnApplyCredit"), tr("Apply Cred&it"),
                                              tr("Pay the amount from the customer's credit"));
    m_btnRefund = FormFields::pushButton(this, QStringLiteral("btnRecordRefund"), tr("Record Ref&und"),
                                         tr("Record the amount as given back to the customer"));
    for (QPushButton *button : {m_btnApplyCredit, m_btnRefund}) {
        button->setAutoDefault(false);
        button->hide();
    }
    m_lblCredit->hide();
    m_btnRecord = FormFields::pushButton(this, QStringLiteral("btnRecord"), tr("&Record"),
                                         tr("Record this payment"));
    m_btnClose = FormFields::pushButton(this, QStringLiteral("btnClose"), tr("&Close"), tr("Close"));
    buildLayout();

    connect(m_btnRecord, &QPushButton::clicked, this, &TfrmRecordPayment::recordTyped);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnRemove, &QPushButton::clicked, this, &TfrmRecordPayment::removeSelected);
    connect(m_btnApplyCredit, &QPushButton::clicked, this, [this] { moveCredit(m_applyCredit); });
    connect(m_btnRefund, &QPushButton::clicked, this, [this] { moveCredit(m_refund); });
    auto *removeKey = new QShortcut(QKeySequence::Delete, m_lstPayments, nullptr, nullptr, Qt::WidgetShortcut);
    connect(removeKey, &QShortcut::activated, this, &TfrmRecordPayment::removeSelected);
    connect(m_lstPayments, &QTableWidget::itemSelectionChanged, this,
            [this] { m_btnRemove->setEnabled(!m_lstPayments->selectedItems().isEmpty()); });

    showDocument();
    m_txtPaymentAmount->setFocus();
    m_txtPaymentAmount->selectAll();
    resize(640, 420);
}

void TfrmRecordPayment::buildLayout()
{
    auto *entry = new QGroupBox(tr("New payment"), this);
    auto *form = new QFormLayout(entry);
    const auto add = [form](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    add(tr("&Date"), m_dtpPaymentDate);
    add(tr("&Amount"), m_txtPaymentAmount);
    add(tr("M&ethod"), m_cmbPaymentMethod);
    add(tr("Re&ference"), m_txtPaymentReference);
    add(tr("&Note"), m_txtPaymentNote);

    auto *listButtons = new QHBoxLayout;
    listButtons->addStretch(1);
    listButtons->addWidget(m_btnRemove);

    auto *creditRow = new QHBoxLayout;
    creditRow->addWidget(m_lblCredit, 1);
    creditRow->addWidget(m_btnApplyCredit);
    creditRow->addWidget(m_btnRefund);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSummary);
    layout->addWidget(m_lstPayments, 1);
    layout->addLayout(listButtons);
    layout->addWidget(entry);
    layout->addLayout(creditRow);
    layout->addWidget(FormFields::buttonRow(this, m_btnRecord, m_btnClose));
    setTabOrder(m_dtpPaymentDate, m_txtPaymentAmount);
    setTabOrder(m_txtPaymentAmount, m_cmbPaymentMethod);
    setTabOrder(m_cmbPaymentMethod, m_txtPaymentReference);
    setTabOrder(m_txtPaymentReference, m_txtPaymentNote);
    setTabOrder(m_txtPaymentNote, m_btnRecord);
    setTabOrder(m_btnRecord, m_btnApplyCredit);
    setTabOrder(m_btnApplyCredit, m_btnRefund);
}

void TfrmRecordPayment::showDocument()
{
    const CurrentDocument &doc = m_context.document;
    const TrecInvHeader &h = doc.header;
    const QLocale &locale = m_context.locale;
    const bool deposits = DocumentKinds::isDepositKind(h.strInvName);
    const QString name = h.strInvName + QLatin1Char(' ') + QString::number(h.intInvNumber);
    setWindowTitle(tr("Record Payment - %1").arg(name));

    QStringList summary{tr("%1 for %2").arg(name, h.strCustCmpnyName.isEmpty() ? h.strCustFullName : h.strCustCmpnyName),
                        tr("Total: %1").arg(Money::currencyText(PaymentRules::grandTotal(doc.totals), locale))};
    // What the suggested amount comes from on a deposit kind.
    if (deposits)
        summary << tr("Deposit required: %1").arg(Money::currencyText(h.dbDepositAmount, locale));
    summary << (deposits ? tr("Deposits received: %1") : tr("Paid: %1"))
                   .arg(Money::currencyText(Payments::sum(doc.payments), locale))
            << tr("Balance: %1").arg(Money::currencyText(PaymentRules::balance(doc), locale));
    if (h.strPaidInFull)
        summary << tr("Paid In Full");
    m_lblSummary->setText(summary.join(QStringLiteral("    ")));

    m_lstPayments->setRowCount(int(doc.payments.size()));
    for (int row = 0; row < doc.payments.size(); ++row) {
        const Payment &p = doc.payments.at(row);
        const QStringList cells{p.date.isValid() ? DateText::shortDate(p.date, locale) : QString(),
                                Money::currencyText(p.amount, locale), Payments::methodCaption(p.method),
                                p.reference, p.note};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (column == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_lstPayments->setItem(row, column, item);
        }
    }
    m_lstPayments->resizeColumnsToContents();
    m_btnRemove->setEnabled(!m_lstPayments->selectedItems().isEmpty());
    m_txtPaymentAmount->setText(PaymentEntry::suggestedAmount(doc, locale));

    if (!m_applyCredit)
        return;
    const double balance = PaymentRules::balance(doc);
    double available = 0;
    (void)runReportingDbError(m_context.prompts(), [&] { available = m_creditAvailable(); });
    QStringList credit;
    if (balance < 0)
        credit << tr("%1 holds a credit of %2.").arg(name, Money::currencyText(-balance, locale));
    if (available > 0)
        credit << tr("Customer credit on other documents: %1").arg(Money::currencyText(available, locale));
    m_lblCredit->setText(credit.join(QStringLiteral("  ")));
    m_lblCredit->setVisible(!credit.isEmpty());
    m_btnApplyCredit->setVisible(available > 0 && balance > 0);
    m_btnRefund->setVisible(balance < 0);
}

void TfrmRecordPayment::offerCredit(std::function<double()> available, CreditAct apply, CreditAct refund)
{
    m_creditAvailable = std::move(available);
    m_applyCredit = std::move(apply);
    m_refund = std::move(refund);
    showDocument();
}

std::optional<double> TfrmRecordPayment::typedAmount()
{
    const PaymentEntry::Typed typed{m_dtpPaymentDate->date(), m_txtPaymentAmount->text(),
                                    m_cmbPaymentMethod->currentData().toString(), {}, {}};
    const std::variant<Payment, QString> read = PaymentEntry::read(typed, m_context.locale);
    if (const QString *problem = std::get_if<QString>(&read)) {
        m_context.prompts().showError(*problem);
        m_txtPaymentAmount->setFocus();
        return std::nullopt;
    }
    return std::get<Payment>(read).amount;
}

void TfrmRecordPayment::moveCredit(const CreditAct &act)
{
    const std::optional<double> amount = typedAmount();
    if (!amount || !act(*amount, m_dtpPaymentDate->date()))
        return;
    markChanged();
    showDocument();
    m_txtPaymentAmount->setFocus();
}

void TfrmRecordPayment::recordTyped()
{
    const PaymentEntry::Typed typed{m_dtpPaymentDate->date(), m_txtPaymentAmount->text(),
                                    m_cmbPaymentMethod->currentData().toString(), m_txtPaymentReference->text(),
                                    m_txtPaymentNote->text()};
    const std::variant<Payment, QString> read = PaymentEntry::read(typed, m_context.locale);
    if (const QString *problem = std::get_if<QString>(&read)) {
        m_context.prompts().showError(*problem);
        m_txtPaymentAmount->setFocus();
        return;
    }
    if (!m_record(std::get<Payment>(read)))
        return;
    markChanged();
    m_txtPaymentReference->clear();
    m_txtPaymentNote->clear();
    showDocument();
    m_txtPaymentAmount->setFocus();
    m_txtPaymentAmount->selectAll();
}

void TfrmRecordPayment::removeSelected()
{
    const QList<QTableWidgetItem *> selected = m_lstPayments->selectedItems();
    if (selected.isEmpty())
        return;
    if (!m_remove(selected.first()->row()))
        return;
    markChanged();
    showDocument();
}

bool TfrmRecordPayment::openForSaved(AppContext &context, int chosen, QWidget *parent)
{
    int number = chosen;
    if (!runReportingDbError(context.prompts(), [&] { number = Receivables::debtCarrier(context, chosen); }))
        return false;
    TrecInvHeader &h = context.document.header;
    h.blnNewInvoice = false;
    h.intInvNumber = number;
    if (!runReportingDbError(context.prompts(), [&context] { DocumentStore(context).pLoadInvoice(); }))
        return false;
    TfrmRecordPayment window(
        context,
        [&context, number](const Payment &payment) {
            auto outcome = DocumentActions::PaymentOutcome::NotRecorded;
            return runReportingDbError(context.prompts(),
                                       [&] { outcome = DocumentActions(context).recordPayment(number, payment); })
                && outcome != DocumentActions::PaymentOutcome::NotRecorded;
        },
        [&context, number](int index) {
            bool removed = false;
            return runReportingDbError(context.prompts(),
                                       [&] { removed = DocumentActions(context).removePayment(number, index); })
                && removed;
        },
        parent);
    const auto moving = [&context, number](auto act) {
        return [&context, number, act](double amount, QDate date) {
            return runReportingDbError(context.prompts(), [&] { (DocumentActions(context).*act)(number, amount, date); });
        };
    };
    window.offerCredit([&context] { return CustomerCredit::available(context, context.document.header); },
                       moving(&DocumentActions::applyCredit), moving(&DocumentActions::recordRefund));
    window.exec();
    return window.changedDocument();
}

bool TfrmRecordPayment::openForEditor(AppContext &context, EditingSession &session, QWidget *parent)
{
    TfrmRecordPayment window(
        context,
        [&session](const Payment &payment) { return session.recordPayment(payment); },
        [&session](int index) { return session.removePayment(index); }, parent);
    window.exec();
    return window.changedDocument();
}
