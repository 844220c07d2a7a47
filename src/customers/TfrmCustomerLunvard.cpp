#include "TfrmCustomerLunvard.h"

#include "QuickCustomer.h"
#include "context/AppContext.h"
#include "widgets/FormFields.h"

#include <QDialogButtonBox>
#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using FormFields::textField;

TfrmCustomerLunvard::TfrmCustomerLunvard(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_actClose(FormFields::action(this, QStringLiteral("actClose"), tr("Close"), tr("Close")))
    , m_actOK(FormFields::action(this, QStringLiteral("actOK"), tr("OK"), tr("Use this Customer Information")))
    , m_txtCustCmpnyName(textField(this, QStringLiteral("txtCustCmpnyName"), 35, tr("Enter Customers Company Name")))
    , m_txtCustFrstName(textField(this, QStringLiteral("txtCustFrstName"), 20, tr("Enter Customer First Name")))
    , m_txtCustLstName(textField(this, QStringLiteral("txtCustLstName"), 20, tr("Enter Customer Last Name")))
    , m_txtCustAddress(textField(this, QStringLiteral("txtCustAddress"), 40, tr("Enter Customer Address")))
    , m_txtCustCity(textField(this, QStringLiteral("txtCustCity"), 25, tr("Enter Customer City")))
    , m_txtCustState(textField(this, QStringLiteral("txtCustState"), 25, tr("Enter Customer State")))
    , m_txtCustZipCode(textField(this, QStringLiteral("txtCustZipCode"), 16, tr("Enter Customer Zip Code")))
    , m_txtCustMainPhone(
          textField(this, QStringLiteral("txtCustMainPhone"), 25, tr("Enter Customer Main Phone Number")))
{
    setObjectName(QStringLiteral("frmCustomerLunvard"));
    setModal(true);
    setWindowTitle(tr("Customer Information"));


    auto *group = new QGroupBox(this);
    auto *form = new QFormLayout(group);
    form->addRow(tr("Company Name"), m_txtCustCmpnyName);
    form->addRow(tr("First Name"), m_txtCustFrstName);
    form->addRow(tr("Last Name"), m_txtCustLstName);
    form->addRow(tr("Address"), m_txtCustAddress);
    form->addRow(tr("City"), m_txtCustCity);
    form->addRow(tr("State"), m_txtCustState);
    form->addRow(tr("Zip Code"), m_txtCustZipCode);
    form->addRow(tr("Main Phone Number"), m_txtCustMainPhone);
    m_txtCustAddress->setMinimumWidth(300);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(FormFields::commandButtons(this, m_actOK, m_actClose));

    m_actOK->setEnabled(false);
    FormFields::pressedByEnter(m_actOK, this);
    for (QLineEdit *field : {m_txtCustCmpnyName, m_txtCustFrstName, m_txtCustLstName, m_txtCustAddress, m_txtCustCity,
                             m_txtCustState, m_txtCustZipCode, m_txtCustMainPhone})
        connect(field, &QLineEdit::textChanged, this, &TfrmCustomerLunvard::pEnableSavebtn);
    connect(m_actOK, &QAction::triggered, this, &TfrmCustomerLunvard::actOKExecute);
    connect(m_actClose, &QAction::triggered, this, &QDialog::reject);
    m_txtCustCmpnyName->setFocus();
    setFixedSize(sizeHint());
}

QuickCustomer TfrmCustomerLunvard::typed() const
{
    return {m_txtCustCmpnyName->text(), m_txtCustFrstName->text(), m_txtCustLstName->text(),
            m_txtCustAddress->text(),   m_txtCustCity->text(),     m_txtCustState->text(),
            m_txtCustZipCode->text(),   m_txtCustMainPhone->text()};
}

void TfrmCustomerLunvard::pEnableSavebtn()
{
    m_actOK->setEnabled(typed().canUse());
}

void TfrmCustomerLunvard::actOKExecute()
{
    typed().applyTo(m_context.document.header);
    markChanged();
    accept();
}
