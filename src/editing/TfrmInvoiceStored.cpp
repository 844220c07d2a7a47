#include "TfrmInvoiceStored.h"

#include "CategoryPanels.h"
#include "DocumentDialog.h"
#include "DocumentOutput.h"
#include "EditorRules.h"
#include "TfrmInvoiceNotes.h"
#include "TfrmInvoicePriceItemEdit.h"
#include "TfrmPaidAndDeposit.h"
#include "app/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "core/Prompts.h"
#include "customers/TfrmCustomer.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Totals.h"
#include "printing/PrintJobs.h"
#include "printing/PrintModule.h"
#include "prices/TfrmPriceCorvalo.h"
#include "PrintBusy.h"

#include <QAction>
#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTableView>

using FormFields::showWhole;

bool TfrmInvoiceStored::hasFullFeatures() const
{
    return m_context.edition().hasFullDocumentFeatures();
}

void TfrmInvoiceStored::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmInvoiceStored::done(int result)
{
    // Every way of closing passes here: Close, the close box and Escape.
    if (!FormCloseQuery())
        return;
    m_context.preferences[AppPreferences::FrmInvoiceMaximized] = isMaximized();
    QDialog::done(result);
}

bool TfrmInvoiceStored::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstInvoice && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editLine(m_lstInvoice->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmInvoiceStored::FormShow()
{
    m_refreshGuard = false;
    pShowFormInformation();
    pLoadInvoiceData();
    pChangeData();
    // Nothing needs saving yet, unless the saved tax rates were replaced.
    m_actSave->setEnabled(m_taxRatesUpdated && isComplete());
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
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
    m_lstInvoice->setToolTip(tr("Click on a Price Item to edit"));
    if (hasFullFeatures()) {
        m_SpinEditCustDiscount->setToolTip(tr("Enter customer Discount Percent"));
        m_ckbxRecurring->setToolTip(tr("Set Invoice as recurring"));
        m_ckbxAddSignatureLine->setToolTip(tr("Add a signature line"));
        m_ckbxAddContract->setToolTip(tr("Print contract with the Invoice"));
        m_ckbxAddWarranty->setToolTip(tr("Print warranty with the Invoice"));
    }

    const TrecCmpnyInvData &company = m_context.company.invData;
    const double rates[3] = {company.dbTaxRate1, company.dbTaxRate2, company.dbTaxRate3};
    const QString names[3] = {company.strTaxName1, company.strTaxName2, company.strTaxName3};
    for (int i = 0; i < 3; ++i) {
        QCheckBox *box = m_ckbxTaxRate[i];
        box->setToolTip(tr("Check to use this tax"));
        if (rates[i] > 0) {
            box->setText(names[i]);
        } else {
            box->setText(tr("Tax %1").arg(i + 1));
            box->setEnabled(false);
        }
    }
}

void TfrmInvoiceStored::pLoadInvoiceData()
{
    QScopedValueRollback guard(m_refreshGuard, true);
    TrecInvHeader &header = m_context.document.header;
    if (m_panels)
        m_panels->expand(0);
    pLoadInvNames();

    const QDate stored = DateText::parseShortDate(header.strInvDate, m_context.locale);
    m_dateTimePickerInvoice->setDate(stored.isValid() ? stored : QDate::currentDate());

    pLoadCustomerInformation();
    pLoadPaymentTerms();
    showWhole(m_txtcustTaxExemptNumber, header.strCustTaxExemptNum);
    showWhole(m_txtCustPO, header.strCustPONumber);
    if (m_ckbxRecurring)
        m_ckbxRecurring->setChecked(header.strRecurring);
    m_cmbFootNotes->setCurrentIndex(std::clamp(header.intInvFootNotes, 0, 3));
    m_ckbxTaxExempt->setChecked(header.strCustTaxExempt);
    m_ckbxTaxRate[0]->setChecked(header.strUseTax1);
    m_ckbxTaxRate[1]->setChecked(header.strUseTax2);
    m_ckbxTaxRate[2]->setChecked(header.strUseTax3);
    if (hasFullFeatures()) {
        m_ckbxAddSignatureLine->setChecked(header.blnAddSignatureLine);
        m_ckbxAddContract->setChecked(header.blnPrintContract);
        m_ckbxAddWarranty->setChecked(header.blnPrintWarranty);
    }

    m_taxRatesUpdated = false;
    const TrecCmpnyInvData &company = m_context.company.invData;
    if (EditorRules::taxRatesDiffer(header, company)
        && m_context.prompts().ShowYesNo(EditorRules::taxRatesQuestion(header)) == Prompts::Yes) {
        EditorRules::useCurrentTaxRates(header, company);
        m_taxRatesUpdated = true;
    }
    m_actDelete->setEnabled(!header.blnNewInvoice);
}

void TfrmInvoiceStored::pLoadInvNames()
{
    const TrecInvHeader &header = m_context.document.header;
    const EditorRules::KindChoice choice =
        EditorRules::pLoadInvNames(m_context.InvoiceTypes, header.strInvName, header.blnNewInvoice);
    m_cmbInvoiceType->clear();
    m_cmbInvoiceType->addItems(choice.kinds);
    m_cmbInvoiceType->setCurrentIndex(0);
    m_cmbInvoiceType->setEnabled(choice.enabled);
}

void TfrmInvoiceStored::pLoadCustomerInformation()
{
    const TrecInvHeader &header = m_context.document.header;
    m_txtCustInformation->setPlainText(EditorRules::customerBlock(header));
    m_txtCustInformation->moveCursor(QTextCursor::Start);
    showWhole(m_txtcustTaxExemptNumber, header.strCustTaxExemptNum);
    m_ckbxTaxExempt->setChecked(header.strCustTaxExempt);
    if (m_SpinEditCustDiscount)
        m_SpinEditCustDiscount->setValue(header.intCustDiscountPercent);
    // A customer without terms of its own keeps the terms already chosen.
    if (!header.strCustPymntTerms.isEmpty())
        m_cmbPaymentTerms->setCurrentText(header.strCustPymntTerms);
}

void TfrmInvoiceStored::pLoadPaymentTerms()
{
    const auto &terms = m_context.company.invData.strInvTerms;
    m_cmbPaymentTerms->clear();
    for (int i = 1; i <= 10; ++i) {
        if (!terms[i].isEmpty())
            m_cmbPaymentTerms->addItem(terms[i]);
    }
    m_cmbPaymentTerms->setCurrentText(m_context.document.header.strCustPymntTerms);
}

bool TfrmInvoiceStored::isComplete() const
{
    return m_context.document.lines.rowCount() > 0 && !m_txtCustInformation->toPlainText().isEmpty();
}

void TfrmInvoiceStored::pShowRequiredMarkers()
{
    if (!m_lblArtskCustomer)
        return;
    m_lblArtskPriceItem->setVisible(m_context.document.lines.rowCount() == 0);
    m_lblArtskCustomer->setVisible(m_txtCustInformation->toPlainText().isEmpty());
}

void TfrmInvoiceStored::pChangeData()
{
    pShowRequiredMarkers();
    if (m_refreshGuard)
        return;
    QScopedValueRollback guard(m_refreshGuard, true);
    CurrentDocument &doc = m_context.document;
    TrecInvHeader &header = doc.header;
    const QLocale &locale = m_context.locale;

    header.strInvName = m_cmbInvoiceType->currentText();
    const QString number = QString::number(header.intInvNumber);
    setWindowTitle(header.strInvName + QLatin1Char(' ') + number);
    m_lblInvoiceNameNumber->setText(header.strInvName + QStringLiteral(" Number: ") + number);
    header.strInvDate = DateText::shortDate(m_dateTimePickerInvoice->date(), locale);
    m_lblInvoiceDate->setText(header.strInvDate);
    header.strCustPymntTerms = m_cmbPaymentTerms->currentText();
    m_lblInvInfo->setText(DocumentKinds::GetInvoiceTitle({header.strInvName, header.strInvDate,
                                                          header.strFromInvNameNumber},
                                                         m_context.company.invData.intNumEstDays,
                                                         m_context.edition(), locale));
    if (hasFullFeatures()) {
        header.strRecurring = m_ckbxRecurring->isChecked();
        header.intCustDiscountPercent = m_SpinEditCustDiscount->value();
    }
    // What the user types here belongs to this document and its printout.
    header.strCustPONumber = m_txtCustPO->text();
    header.strCustTaxExemptNum = m_txtcustTaxExemptNumber->text();
    pShowFootNote();
    pShowPaidDepositWording();
    if (hasFullFeatures())
        pSetPaidInFullAndRecurring();

    if (m_ckbxTaxExempt->isChecked()) {
        for (QCheckBox *box : m_ckbxTaxRate)
            box->setChecked(false);
    }
    header.strCustTaxExempt = m_ckbxTaxExempt->isChecked();
    header.strUseTax1 = m_ckbxTaxRate[0]->isChecked();
    header.strUseTax2 = m_ckbxTaxRate[1]->isChecked();
    header.strUseTax3 = m_ckbxTaxRate[2]->isChecked();

    const bool complete = isComplete();
    for (QAction *action : {m_actSave, m_actPrint, m_actPrintPreview, m_actPDF})
        action->setEnabled(complete);
    if (!header.blnNewInvoice)
        m_actDelete->setEnabled(true);

    try {
        Totals::pCalcTotals(doc, m_context.edition(), m_context.company, locale);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
    }

    m_lblTotal->setText(m_cmbInvoiceType->currentText() + QStringLiteral(" Total"));
    m_txtPaidAndDeposit->setText(doc.print.strDepositPaid);
    m_txtInvoiceTaxTotal->setText(doc.print.strTax);
    m_txtInvoiceSubTotal->setText(doc.print.strSubTotal);
    if (m_txtInvoiceDiscount)
        m_txtInvoiceDiscount->setText(doc.print.strDiscount);
    m_txtInvoiceTotal->setText(doc.print.strTotal);
}

void TfrmInvoiceStored::pShowFootNote()
{
    TrecInvHeader &header = m_context.document.header;
    header.intInvFootNotes = std::max(0, m_cmbFootNotes->currentIndex());
    if (header.intInvFootNotes == 0) {
        m_txtInvoiceFootNotes->hide();
        m_txtInvoiceFootNotes->clear();
    } else {
        m_txtInvoiceFootNotes->show();
        m_txtInvoiceFootNotes->setPlainText(m_context.company.invData.strInvFootNote[header.intInvFootNotes]);
    }
    m_context.document.print.strInvFootNotes = m_txtInvoiceFootNotes->toPlainText();
}

void TfrmInvoiceStored::pShowPaidDepositWording()
{
    const std::optional<EditorRules::PaidDepositWording> wording =
        EditorRules::paidDepositWording(m_cmbInvoiceType->currentText());
    if (!wording)
        return;
    m_btnPaidDeposit->setText(wording->caption);
    m_btnPaidDeposit->setToolTip(wording->hint);
    m_lblPaidAndDeposit->setText(wording->label);
}

void TfrmInvoiceStored::pSetPaidInFullAndRecurring()
{
    if (DocumentKinds::is(m_cmbInvoiceType->currentText(), DocumentKinds::kInvoice)) {
        m_ckbxRecurring->setEnabled(true);
    } else {
        m_ckbxRecurring->setChecked(false);
        m_ckbxRecurring->setEnabled(false);
    }
    if (m_context.document.header.strPaidInFull) {
        if (m_ckbxRecurring->isChecked())
            m_context.prompts().ShowInformation(tr("Invoice can not be Paid In Full and Recurring"));
        m_ckbxRecurring->setChecked(false);
        m_ckbxRecurring->setEnabled(false);
    }
    // The box may have just been cleared; the header must not keep a recurring paid invoice.
    m_context.document.header.strRecurring = m_ckbxRecurring->isChecked();
}

void TfrmInvoiceStored::pSetNonSaveData()
{
    TrecInvHeader &header = m_context.document.header;
    header.blnAddSignatureLine = m_ckbxAddSignatureLine->isChecked();
    header.blnPrintContract = m_ckbxAddContract->isChecked();
    header.blnPrintWarranty = m_ckbxAddWarranty->isChecked();
}

bool TfrmInvoiceStored::actSaveExecute()
{
    DocumentStore store(m_context);
    try {
        (void)store.pSaveInvoice();
    } catch (const DbError &error) {
        // Nothing was stored: the document stays as typed and still unsaved.
        m_context.prompts().showError(error.message());
        return false;
    }
    store.pUpdateSavedData();
    pLoadInvoiceData();
    pChangeData();
    m_actSave->setEnabled(false);
    return true;
}

void TfrmInvoiceStored::actDeleteExecute()
{
    if (!DocumentOutput::pDeleteDocument(m_context))
        return;
    m_deleted = true;
    close();
}

void TfrmInvoiceStored::actPDFExecute()
{
    DocumentOutput::pSaveDocumentAsPdf(m_context);
}

void TfrmInvoiceStored::printDocument(bool preview)
{
    using DocumentOutput::Target;
    if (preview) {
        DocumentOutput::pPrintDocument(m_context, Target::Preview);
        return;
    }
    const PrintBusy busy(m_actPrint, m_context.saving());
    DocumentOutput::pPrintDocument(m_context, Target::Printer);
}

bool TfrmInvoiceStored::FormCloseQuery()
{
    if (m_deleted || !m_actSave->isEnabled())
        return true;
    const TrecInvHeader &header = m_context.document.header;
    const QString question = QStringLiteral("Save changes to ") + header.strInvName + QLatin1Char(' ')
        + QString::number(header.intInvNumber) + QLatin1Char('?');
    switch (m_context.prompts().ShowYesNoCancel(question)) {
    case Prompts::Yes:
        return actSaveExecute();
    case Prompts::No:
        return true;
    default:
        return false;
    }
}

void TfrmInvoiceStored::btnAddCustomerClick()
{
    bool changed = false;
    {
        QScopedValueRollback guard(m_refreshGuard, true);
        changed = openDocumentDialog<TfrmCustomer>(m_context, this);
        pLoadCustomerInformation();
    }
    if (changed)
        pChangeData();
    else
        pShowRequiredMarkers();
}

void TfrmInvoiceStored::btnAddPriceItemClick()
{
    if (openDocumentDialog<TfrmPriceCorvalo>(m_context, this))
        pChangeData();
}

void TfrmInvoiceStored::btnAddNotesClick()
{
    if (openDocumentDialog<TfrmInvoiceNotes>(m_context, this))
        pChangeData();
}

void TfrmInvoiceStored::btnPaidDepositClick()
{
    if (openDocumentDialog<TfrmPaidAndDeposit>(m_context, this))
        pChangeData();
}

void TfrmInvoiceStored::editLine(int row)
{
    if (row < 0 || row >= m_context.document.lines.rowCount())
        return;
    m_context.selectedLineIndex = row;
    if (openDocumentDialog<TfrmInvoicePriceItemEdit>(m_context, this))
        pChangeData();
}
