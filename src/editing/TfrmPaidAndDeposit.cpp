#include "TfrmPaidAndDeposit.h"

#include "PaidAndDeposit.h"
#include "context/AppContext.h"
#include "widgets/FormFields.h"
#include "core/Prompts.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using PaidAndDeposit::Group;

TfrmPaidAndDeposit::TfrmPaidAndDeposit(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_tlbtnOK(FormFields::pushButton(this, QStringLiteral("tlbtnOK"), tr("&OK"), tr("Accept Changes")))
    , m_tlbtnCancel(FormFields::pushButton(this, QStringLiteral("tlbtnCancel"), tr("&Cancel"), tr("Cancel Changes")))
    , m_lblRecDepositAmount(new QLabel(tr("Recommended deposit amount"), this))
    , m_txtRecDepositAmount(FormFields::readOnlyField(this, QStringLiteral("txtRecDepositAmount")))
    , m_lblPaidAndDeposit(new QLabel(tr("Amount"), this))
    , m_txtPaidAndDeposit(FormFields::amountField(this, QStringLiteral("txtPaidAndDeposit"), 9, {}, context.locale))
    , m_ckbxPaidInFull(new QCheckBox(tr("Paid In Full"), this))
    , m_lblInvTotal(new QLabel(this))
    , m_txtInvTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvTotal")))
{
    setObjectName(QStringLiteral("frmPaidAndDeposit"));
    setModal(true);
    m_lblRecDepositAmount->setObjectName(QStringLiteral("lblRecDepositAmount"));
    m_lblPaidAndDeposit->setObjectName(QStringLiteral("lblPaidAndDeposit"));
    m_lblInvTotal->setObjectName(QStringLiteral("lblInvTotal"));
    m_ckbxPaidInFull->setObjectName(QStringLiteral("ckbxPaidInFull"));
    m_ckbxPaidInFull->setToolTip(tr("Check for Paid in Full"));
    FormFields::markAsTotal(m_txtInvTotal);
    buildLayout();

    pShowFormInformation();
    pSetFormData();
    // Offered only once something was changed, but always in its place, so the dialog
    // shows what it does; disabled only now, so filling in the amount above does not count.
    m_tlbtnOK->setEnabled(false);

    connect(m_txtPaidAndDeposit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_tlbtnOK->setEnabled(!text.isEmpty()); });
    connect(m_ckbxPaidInFull, &QCheckBox::clicked, this, [this] { m_tlbtnOK->setEnabled(true); });
    connect(m_tlbtnOK, &QPushButton::clicked, this, &TfrmPaidAndDeposit::tlbtnOKClick);
    connect(m_tlbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_txtPaidAndDeposit->setFocus();
    m_txtPaidAndDeposit->selectAll();
    setFixedSize(sizeHint());
}

void TfrmPaidAndDeposit::buildLayout()
{
    auto *grid = new QGridLayout;
    grid->addWidget(m_lblRecDepositAmount, 0, 0);
    grid->addWidget(m_txtRecDepositAmount, 0, 1);
    grid->addWidget(m_lblPaidAndDeposit, 1, 0);
    grid->addWidget(m_txtPaidAndDeposit, 1, 1);
    grid->addWidget(m_ckbxPaidInFull, 2, 1);
    grid->addWidget(m_lblInvTotal, 3, 0);
    grid->addWidget(m_txtInvTotal, 3, 1);
    grid->setColumnMinimumWidth(1, 180);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(FormFields::buttonRow(this, m_tlbtnOK, m_tlbtnCancel));
}

void TfrmPaidAndDeposit::pShowFormInformation()
{
    const QString &kind = m_context.document.header.strInvName;
    const std::optional<PaidAndDeposit::Wording> wording =
        PaidAndDeposit::wordingFor(PaidAndDeposit::groupOf(kind));
    setWindowTitle(wording ? wording->caption : QString());
    if (wording) {
        m_lblPaidAndDeposit->setText(wording->amountLabel);
        m_txtPaidAndDeposit->setToolTip(wording->amountHint);
    }
    m_txtRecDepositAmount->setToolTip(kind + QStringLiteral(" Recommended deposit amount"));
    m_lblInvTotal->setText(kind + QStringLiteral(" Total"));
    m_txtInvTotal->setToolTip(kind + QStringLiteral(" Total"));
}

void TfrmPaidAndDeposit::pSetFormData()
{
    const TrecInvHeader &header = m_context.document.header;
    const Group group = PaidAndDeposit::groupOf(header.strInvName);
    if (group != Group::Other) {
        const bool deposit = group == Group::Deposit;
        m_lblRecDepositAmount->setVisible(deposit);
        m_txtRecDepositAmount->setVisible(deposit);
        m_ckbxPaidInFull->setVisible(!deposit);
        FormFields::showWhole(m_txtPaidAndDeposit, PaidAndDeposit::amountText(header, m_context.locale));
    }
    m_ckbxPaidInFull->setChecked(header.strPaidInFull);
    // A share of the whole total, whatever deposits were received already.
    m_txtRecDepositAmount->setText(PaidAndDeposit::recommendedDeposit(
        m_context.company.invData.intDepPercent, PaymentRules::grandTotal(m_context.document.totals),
        m_context.locale));
    m_txtInvTotal->setText(Money::currencyText(header.dbInvBalance, m_context.locale));
}

void TfrmPaidAndDeposit::tlbtnOKClick()
{
    CurrentDocument &doc = m_context.document;
    TrecInvHeader changed = doc.header;
    const std::optional<QString> problem = PaidAndDeposit::apply(changed, m_txtPaidAndDeposit->text(),
                                                                 m_ckbxPaidInFull->isChecked(), m_context.locale);
    if (problem) {
        m_context.prompts().showError(*problem);
        m_txtPaidAndDeposit->setFocus();
        return;
    }
    if (!PaidAndDeposit::confirmPaidAmount(doc, changed, m_context.prompts(), m_context.locale)) {
        m_txtPaidAndDeposit->setFocus();
        return;
    }
    doc.header = changed;
    markChanged();
    accept();
}
