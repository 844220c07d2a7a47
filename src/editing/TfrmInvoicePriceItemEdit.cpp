#include "TfrmInvoicePriceItemEdit.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/AmountReader.h"
#include "widgets/FormFields.h"
#include "core/Prompts.h"
#include "prices/PriceLineEntry.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmInvoicePriceItemEdit::TfrmInvoicePriceItemEdit(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_row(context.selectedLineIndex)
    , m_tlbtnOK(FormFields::pushButton(this, QStringLiteral("tlbtnOK"), tr("&OK"), {}))
    , m_tlbtnCancel(FormFields::pushButton(this, QStringLiteral("tlbtnCancel"), tr("&Cancel"), {}))
    , m_tlbtnRemove(FormFields::pushButton(this, QStringLiteral("tlbtnRemove"), tr("&Remove"), {}))
    , m_txtPriceItmDiscription(FormFields::textField(this, QStringLiteral("txtPriceItmDiscription"), 45, {}))
    , m_txtQuantity(FormFields::amountField(this, QStringLiteral("txtQuantity"),
                                            AmountReader::kPriceFieldLength, {}, context.locale))
    , m_txtLaborPrice(FormFields::amountField(this, QStringLiteral("txtLaborPrice"),
                                              AmountReader::kPriceFieldLength, {}, context.locale))
    , m_ckbxLaborTaxable(new QCheckBox(tr("Labor Taxable"), this))
    , m_txtMatPrice(FormFields::amountField(this, QStringLiteral("txtMatPrice"),
                                            AmountReader::kPriceFieldLength, {}, context.locale))
    , m_ckbxMatTaxable(new QCheckBox(tr("Material Taxable"), this))
{
    setObjectName(QStringLiteral("frmInvoicePriceItemEdit"));
    setModal(true);
    m_ckbxLaborTaxable->setObjectName(QStringLiteral("ckbxLaborTaxable"));
    m_ckbxMatTaxable->setObjectName(QStringLiteral("ckbxMatTaxable"));
    buildLayout();
    pShowFormInformation();
    pLoadLine();
    m_tlbtnOK->setVisible(false);

    for (QLineEdit *field : {m_txtPriceItmDiscription, m_txtQuantity, m_txtLaborPrice, m_txtMatPrice})
        connect(field, &QLineEdit::textChanged, this, &TfrmInvoicePriceItemEdit::pEnableOKButton);
    for (QCheckBox *box : {m_ckbxLaborTaxable, m_ckbxMatTaxable})
        connect(box, &QCheckBox::clicked, this, &TfrmInvoicePriceItemEdit::pEnableOKButton);
    connect(m_tlbtnOK, &QPushButton::clicked, this, &TfrmInvoicePriceItemEdit::tlbtnOKClick);
    connect(m_tlbtnRemove, &QPushButton::clicked, this, &TfrmInvoicePriceItemEdit::tlbtnRemoveClick);
    connect(m_tlbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

void TfrmInvoicePriceItemEdit::buildLayout()
{
    auto *grid = new QGridLayout;
    const auto addRow = [&](int row, const QString &label, QLineEdit *field, QCheckBox *box = nullptr) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1, 1, box ? 1 : 2);
        if (box)
            grid->addWidget(box, row, 2);
    };
    addRow(0, tr("Price Item Description"), m_txtPriceItmDiscription);
    addRow(1, tr("Quantity"), m_txtQuantity);
    addRow(2, tr("Labor Price"), m_txtLaborPrice, m_ckbxLaborTaxable);
    addRow(3, tr("Material Price"), m_txtMatPrice, m_ckbxMatTaxable);
    grid->setColumnMinimumWidth(1, 120);
    m_txtPriceItmDiscription->setMinimumWidth(320);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(FormFields::buttonRow(this, m_tlbtnOK, m_tlbtnCancel, m_tlbtnRemove));
}

void TfrmInvoicePriceItemEdit::pShowFormInformation()
{
    setWindowTitle(tr("Edit Price Item"));
    m_tlbtnOK->setToolTip(tr("Accept changes of this price Item"));
    m_tlbtnCancel->setToolTip(tr("Cancel Edit of this price Item"));
    m_tlbtnRemove->setToolTip(tr("Remove this price Item"));
    m_txtPriceItmDiscription->setToolTip(tr("Edit description for this Price Item"));
    m_txtQuantity->setToolTip(tr("Edit Quantity for this Price Item"));
    m_txtLaborPrice->setToolTip(tr("Edit Labor Price"));
    m_ckbxLaborTaxable->setToolTip(tr("Check if Labor is taxable for this Price Item"));
    m_txtMatPrice->setToolTip(tr("Edit Material Price"));
    m_ckbxMatTaxable->setToolTip(tr("Check if Material is taxable for this Price Item"));
    const bool lineTaxes = m_context.edition().choosesLineTaxes();
    m_ckbxLaborTaxable->setVisible(lineTaxes);
    m_ckbxMatTaxable->setVisible(lineTaxes);
}

bool TfrmInvoicePriceItemEdit::lineExists() const
{
    return m_row >= 0 && m_row < m_context.document.lines.rowCount();
}

void TfrmInvoicePriceItemEdit::pLoadLine()
{
    if (!lineExists()) {
        m_tlbtnRemove->setEnabled(false);
        return;
    }
    const PriceLineEntry line = PriceLineEntry::fromLine(m_context.document.lines.priceLine(m_row), m_context.locale);
    FormFields::showWhole(m_txtPriceItmDiscription, line.description);
    FormFields::showWhole(m_txtQuantity, line.quantity);
    FormFields::showWhole(m_txtLaborPrice, line.laborPrice);
    FormFields::showWhole(m_txtMatPrice, line.materialPrice);
    m_ckbxLaborTaxable->setChecked(line.laborTaxable);
    m_ckbxMatTaxable->setChecked(line.materialTaxable);
}

void TfrmInvoicePriceItemEdit::pEnableOKButton()
{
    m_tlbtnOK->setVisible(lineExists());
}

PriceLineEntry TfrmInvoicePriceItemEdit::entry() const
{
    PriceLineEntry line;
    line.description = m_txtPriceItmDiscription->text();
    line.quantity = m_txtQuantity->text();
    line.laborPrice = m_txtLaborPrice->text();
    line.materialPrice = m_txtMatPrice->text();
    line.laborTaxable = m_ckbxLaborTaxable->isChecked();
    line.materialTaxable = m_ckbxMatTaxable->isChecked();
    return line;
}

void TfrmInvoicePriceItemEdit::tlbtnOKClick()
{
    if (!lineExists())
        return reject();
    const PriceLineEntry line = entry();
    if (const std::optional<QString> problem = line.problem(m_context.locale)) {
        m_context.prompts().showError(*problem);
        return;
    }
    m_context.document.lines.setPriceLine(m_row, *line.toLine(m_context.locale));
    markChanged();
    accept();
}

void TfrmInvoicePriceItemEdit::tlbtnRemoveClick()
{
    if (!lineExists())
        return reject();
    const TrecInvHeader &header = m_context.document.header;
    const QString question = QStringLiteral("Remove ") + m_txtPriceItmDiscription->text() + QStringLiteral(" from ")
        + header.strInvName + QLatin1Char(' ') + QString::number(header.intInvNumber) + QLatin1Char('?');
    if (m_context.prompts().ShowYesNoCancel(question, Prompts::No) != Prompts::Yes)
        return;
    m_context.document.lines.removeLine(m_row);
    markChanged();
    accept();
}
