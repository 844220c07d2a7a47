#include "TfrmPriceLunvard.h"

#include "PriceLineEntry.h"
#include "context/AppContext.h"
#include "core/AmountReader.h"
#include "widgets/FormFields.h"
#include "core/Prompts.h"

#include <QDialogButtonBox>
#include <QAction>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmPriceLunvard::TfrmPriceLunvard(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_actClose(FormFields::action(this, QStringLiteral("actClose"), tr("Close"), tr("Close")))
    , m_actOK(FormFields::action(this, QStringLiteral("actOK"), tr("OK"), tr("Add this Price Item to your Invoice")))
    , m_txtPriceItmDiscription(FormFields::textField(this, QStringLiteral("txtPriceItmDiscription"), 45,
                                                     tr("Type a name for the Price Item")))
    , m_txtLaborPrice(FormFields::amountField(this, QStringLiteral("txtLaborPrice"),
                                              AmountReader::kPriceFieldLength, tr("Enter a Labor Price"),
                                              context.locale))
    , m_txtMatPrice(FormFields::amountField(this, QStringLiteral("txtMatPrice"),
                                            AmountReader::kPriceFieldLength, tr("Enter a Material Price"),
                                            context.locale))
    , m_txtQuantity(FormFields::amountField(this, QStringLiteral("txtQuantity"), AmountReader::kPriceFieldLength,
                                            tr("Enter a Quantity for this Price Item"), context.locale))
{
    setObjectName(QStringLiteral("frmPriceLunvard"));
    setModal(true);
    setWindowTitle(tr("Price Items"));


    auto *form = new QFormLayout;
    form->addRow(tr("Price Item Description"), m_txtPriceItmDiscription);
    form->addRow(tr("Labor Price"), m_txtLaborPrice);
    form->addRow(tr("Material Price"), m_txtMatPrice);
    form->addRow(tr("Quantity"), m_txtQuantity);
    m_txtPriceItmDiscription->setMinimumWidth(340);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(FormFields::commandButtons(this, m_actOK, m_actClose));

    m_actOK->setEnabled(false);
    FormFields::pressedByEnter(m_actOK, this);
    for (QLineEdit *field : {m_txtPriceItmDiscription, m_txtLaborPrice, m_txtMatPrice, m_txtQuantity})
        connect(field, &QLineEdit::textChanged, this, &TfrmPriceLunvard::pEnableSaveButton);
    connect(m_actOK, &QAction::triggered, this, &TfrmPriceLunvard::actOKExecute);
    connect(m_actClose, &QAction::triggered, this, &QDialog::reject);
    m_txtPriceItmDiscription->setFocus();
    setFixedSize(sizeHint());
}

PriceLineEntry TfrmPriceLunvard::typed() const
{
    PriceLineEntry line;
    line.description = m_txtPriceItmDiscription->text();
    line.quantity = m_txtQuantity->text();
    line.laborPrice = m_txtLaborPrice->text();
    line.materialPrice = m_txtMatPrice->text();
    return line;
}

void TfrmPriceLunvard::pEnableSaveButton()
{
    m_actOK->setEnabled(quickPriceOkEnabled(m_actOK->isEnabled(), typed()));
}

void TfrmPriceLunvard::actOKExecute()
{
    const PriceLineEntry entry = typed();
    if (const std::optional<QString> problem = entry.problem(m_context.locale)) {
        m_context.prompts().showError(*problem);
        return;
    }
    m_context.document.lines.appendPriceLine(*entry.toLine(m_context.locale));
    markChanged();
    accept();
}
