#include "TfrmInvoiceStored.h"

#include "CategoryPanels.h"
#include "DocumentPanels.h"
#include "DueDateField.h"
#include "TfrmInvoiceNotes.h"
#include "TfrmPaidAndDeposit.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "widgets/InputGuards.h"
#include "customers/TfrmCustomer.h"
#include "prices/TfrmPriceCorvalo.h"
#include "widgets/FormFields.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

using FormFields::showWhole;

bool TfrmInvoiceStored::hasFullFeatures() const
{
    return m_context.edition().hasFullDocumentFeatures();
}

void TfrmInvoiceStored::opened()
{
    pShowFormInformation();
    if (m_panels)
        m_panels->expand(0);
    {
        QScopedValueRollback guard(m_showing, true);
        HeaderControls::fillPaymentTerms(m_cmbPaymentTerms, m_context.company.invData);
    }
    m_session.open();
    showDocument();
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
    // The first field: the kind, or, where a saved document's kind is settled, the customer.
    (m_cmbInvoiceType->isEnabled() ? static_cast<QWidget *>(m_cmbInvoiceType) : m_btnAddCustomer)->setFocus();
}

void TfrmInvoiceStored::pShowFormInformation()
{
    m_cmbInvoiceType->setToolTip(tr("Select Invoice Type"));
    m_btnAddCustomer->setToolTip(tr("Add a Customer"));
    m_btnAddPriceItem->setToolTip(tr("Add a Price Item"));
    m_dateTimePickerInvoice->setToolTip(tr("Select a date to use"));
    m_cmbPaymentTerms->setToolTip(tr("Select a Payment Term"));
    m_btnAddNotes->setToolTip(tr("Add Invoice Notes - ( Printed on Invoice )"));
    m_cmbFootNotes->setToolTip(tr("Select a Foot Note"));
    m_txtCustPO->setToolTip(tr("Enter a PO number for this Customer"));
    m_txtcustTaxExemptNumber->setToolTip(tr("Enter Customer Tax Exemption Number"));
    m_ckbxTaxExempt->setToolTip(tr("Check if customer is Tax Exempt"));
    if (hasFullFeatures()) {
        m_SpinEditCustDiscount->setToolTip(tr("Enter customer Discount Percent"));
        m_ckbxRecurring->setToolTip(tr("Set Invoice as recurring"));
        m_ckbxAddSignatureLine->setToolTip(tr("Add a signature line"));
        m_ckbxAddContract->setToolTip(tr("Print contract with the Invoice"));
        m_ckbxAddWarranty->setToolTip(tr("Print warranty with the Invoice"));
    }
    HeaderControls::setUpTaxBoxes(m_ckbxTaxRate, m_context.company.invData);
}

void TfrmInvoiceStored::connectControls()
{
    const auto user = [this](auto change) { return byUser(change); };
    EditingSession &s = m_session;
    connect(m_cmbInvoiceType, &QComboBox::currentTextChanged, this, user([&s](const QString &v) { s.setKind(v); }));
    connect(m_dateTimePickerInvoice, &QDateEdit::dateChanged, this, user([&s](QDate v) { s.setDate(v); }));
    connect(m_cmbPaymentTerms, &QComboBox::currentTextChanged, this,
            user([&s](const QString &v) { s.setPaymentTerms(v); }));
    connect(m_cmbFootNotes, &QComboBox::currentIndexChanged, this, user([&s](int v) { s.setFootNote(v); }));
    connect(m_txtCustPO, &QLineEdit::textChanged, this, user([&s](const QString &v) { s.setPONumber(v); }));
    connect(m_txtcustTaxExemptNumber, &QLineEdit::textChanged, this,
            user([&s](const QString &v) { s.setTaxExemptNumber(v); }));
    connect(m_ckbxTaxExempt, &QCheckBox::toggled, this, user([&s](bool v) { s.setTaxExempt(v); }));
    for (int i = 0; i < 3; ++i)
        connect(m_ckbxTaxRate[i], &QCheckBox::toggled, this, user([&s, i](bool v) { s.setUseTax(i, v); }));
    if (hasFullFeatures()) {
        connect(m_SpinEditCustDiscount, &QSpinBox::valueChanged, this, user([&s](int v) { s.setDiscountPercent(v); }));
        connect(m_ckbxRecurring, &QCheckBox::toggled, this, user([&s](bool v) { s.setRecurring(v); }));
        for (QCheckBox *option : {m_ckbxAddSignatureLine, m_ckbxAddContract, m_ckbxAddWarranty}) {
            connect(option, &QCheckBox::clicked, this, [this] {
                m_session.setPrintOptions(m_ckbxAddSignatureLine->isChecked(), m_ckbxAddContract->isChecked(),
                                          m_ckbxAddWarranty->isChecked());
            });
        }
    }
    connect(m_btnAddCustomer, &QPushButton::clicked, this, [this] { edit<TfrmCustomer>(ListUse::PickForDocument); });
    connect(m_btnAddPriceItem, &QPushButton::clicked, this, [this] { edit<TfrmPriceCorvalo>(ListUse::PickForDocument); });
    connect(m_btnAddNotes, &QPushButton::clicked, this, [this] { edit<TfrmInvoiceNotes>(); });
    connect(m_btnPaidDeposit, &QPushButton::clicked, this, [this] { edit<TfrmPaidAndDeposit>(); });
    connect(m_area, &DocumentArea::lineChosen, this, &TfrmInvoiceStored::editLine);
}

void TfrmInvoiceStored::showDocument()
{
    QScopedValueRollback guard(m_showing, true);
    const TrecInvHeader &header = m_session.header();
    setWindowTitle(m_session.caption());
    HeaderControls::showKinds(m_cmbInvoiceType, m_session);
    showDateOrBlank(*m_dateTimePickerInvoice, m_session.date());
    if (m_cmbPaymentTerms->currentText() != header.strCustPymntTerms)
        m_cmbPaymentTerms->setCurrentText(header.strCustPymntTerms);
    m_dtpDueDate->showDocument();
    m_cmbFootNotes->setCurrentIndex(header.intInvFootNotes);
    m_txtInvoiceFootNotes->setVisible(header.intInvFootNotes != 0);
    m_txtInvoiceFootNotes->setPlainText(m_session.document().print.strInvFootNotes);
    if (m_txtCustPO->text() != header.strCustPONumber)
        showWhole(m_txtCustPO, header.strCustPONumber);
    if (m_txtcustTaxExemptNumber->text() != header.strCustTaxExemptNum)
        showWhole(m_txtcustTaxExemptNumber, header.strCustTaxExemptNum);
    m_ckbxTaxExempt->setChecked(header.strCustTaxExempt);
    m_ckbxTaxRate[0]->setChecked(header.strUseTax1);
    m_ckbxTaxRate[1]->setChecked(header.strUseTax2);
    m_ckbxTaxRate[2]->setChecked(header.strUseTax3);
    if (hasFullFeatures()) {
        m_SpinEditCustDiscount->setValue(header.intCustDiscountPercent);
        m_ckbxRecurring->setChecked(header.strRecurring);
        m_ckbxRecurring->setEnabled(m_session.recurringAllowed());
        m_ckbxAddSignatureLine->setChecked(header.blnAddSignatureLine);
        m_ckbxAddContract->setChecked(header.blnPrintContract);
        m_ckbxAddWarranty->setChecked(header.blnPrintWarranty);
    }
    if (const auto wording = m_session.paidDepositWording()) {
        m_btnPaidDeposit->setText(wording->caption);
        m_btnPaidDeposit->setToolTip(wording->hint);
    }
    if (m_lblArtskCustomer) {
        m_lblArtskPriceItem->setVisible(m_session.document().lines.rowCount() == 0);
        m_lblArtskCustomer->setVisible(m_session.customerBlock().isEmpty());
    }
    m_area->showDocument();
    m_totals->showDocument();

    const bool complete = m_session.isComplete();
    for (QAction *output : {m_actPrint, m_actPrintPreview, m_actPDF, m_actEmail})
        output->setEnabled(complete);
    m_actSave->setEnabled(m_session.canSave());
    m_actDelete->setEnabled(m_session.canDelete());
    showAccountCommands();
}
