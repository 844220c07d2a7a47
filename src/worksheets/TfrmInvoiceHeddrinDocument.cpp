// The document side of the Heddrin editor: loading, the refresh, and the commands
// that save, delete, print and re-price the document.
#include "TfrmInvoiceHeddrin.h"

#include "TfrmPriceHeddrin.h"
#include "WorkSheetPanel.h"
#include "WorkSheetPriceStore.h"
#include "app/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "core/Prompts.h"
#include "widgets/Ribbon.h"
#include "customers/TfrmCustomer.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "editing/DocumentDialog.h"
#include "editing/DocumentOutput.h"
#include "editing/EditorRules.h"
#include "editing/TfrmInvoiceNotes.h"
#include "editing/TfrmPaidAndDeposit.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Totals.h"
#include "printing/PrintKind.h"
#include "printing/PrintModule.h"
#include "editing/PrintBusy.h"

#include <QAction>
#include <algorithm>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTreeWidget>

void TfrmInvoiceHeddrin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmInvoiceHeddrin::FormShow()
{
    m_refreshGuard = false;
    pShowFormInformation();
    // Asked once, on opening: reloading after a save must not ask again.
    TrecInvHeader &header = m_context.document.header;
    const TrecCmpnyInvData &company = m_context.company.invData;
    m_taxRatesUpdated = false;
    if (EditorRules::taxRatesDiffer(header, company)
        && m_context.prompts().ShowYesNo(EditorRules::taxRatesQuestion(header)) == Prompts::Yes) {
        EditorRules::useCurrentTaxRates(header, company);
        m_taxRatesUpdated = true;
    }
    pLoadInvoiceData();
    m_currentSheet = 0;
    const bool hasSheets = m_context.document.lines.rowCount() > 0;
    pEnableWorkSheet(hasSheets);
    pShowWorkSheetData();
    pChangeData();
    m_actSave->setEnabled(m_taxRatesUpdated && m_actPrint->isEnabled());
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmInvoiceHeddrin::pShowFormInformation()
{
    m_cmbInvoiceType->setToolTip(tr("Select Invoice Type"));
    m_dateTimePickerInvoice->setToolTip(tr("Select a date to use"));
    m_cmbPaymentTerms->setToolTip(tr("Select a Payment Term"));
    m_cmbFootNotes->setToolTip(tr("Select a Foot Note"));
    m_SpinEditCustDiscount->setToolTip(tr("Enter customer Discount Percent"));
    m_lstvwWorkSheetName->setToolTip(tr("Select a Work Sheet to edit"));
    const TrecCmpnyInvData &company = m_context.company.invData;
    const double rates[3] = {company.dbTaxRate1, company.dbTaxRate2, company.dbTaxRate3};
    const QString names[3] = {company.strTaxName1, company.strTaxName2, company.strTaxName3};
    for (int i = 0; i < 3; ++i) {
        const bool inUse = rates[i] > 0;
        m_actTax[i]->setText(inUse && !names[i].isEmpty() ? names[i] : tr("Tax Option %1").arg(i + 1));
        m_actTax[i]->setEnabled(inUse);
    }
}

void TfrmInvoiceHeddrin::pLoadInvoiceData()
{
    QScopedValueRollback guard(m_refreshGuard, true);
    const TrecInvHeader &header = m_context.document.header;
    pLoadInvNames();
    const QDate stored = DateText::parseShortDate(header.strInvDate, m_context.locale);
    m_dateTimePickerInvoice->setDate(stored.isValid() ? stored : QDate::currentDate());
    pLoadPaymentTerms();
    pLoadCustomerInformation();
    m_cmbPaymentTerms->setEditText(header.strCustPymntTerms);
    FormFields::showWhole(m_txtCustPO, header.strCustPONumber);
    m_actRecurring->setChecked(header.strRecurring);
    m_actTax[0]->setChecked(header.strUseTax1);
    m_actTax[1]->setChecked(header.strUseTax2);
    m_actTax[2]->setChecked(header.strUseTax3);
    m_actAddSignatureLine->setChecked(header.blnAddSignatureLine);
    m_actPrintContract->setChecked(header.blnPrintContract);
    m_actPrintWarranty->setChecked(header.blnPrintWarranty);
    m_cmbFootNotes->setCurrentIndex(std::clamp(header.intInvFootNotes, 0, 3));
    m_panel->setSheetEnabled(m_context.document.lines.rowCount() > 0);
    m_actDelete->setEnabled(!header.blnNewInvoice);
    m_actEditPrices->setEnabled(!header.blnNewInvoice);
}

void TfrmInvoiceHeddrin::pLoadInvNames()
{
    const TrecInvHeader &header = m_context.document.header;
    const EditorRules::KindChoice choice =
        EditorRules::pLoadInvNames(m_context.InvoiceTypes, header.strInvName, header.blnNewInvoice);
    m_cmbInvoiceType->clear();
    m_cmbInvoiceType->addItems(choice.kinds);
    m_cmbInvoiceType->setCurrentIndex(0);
    m_cmbInvoiceType->setEnabled(choice.enabled);
}

void TfrmInvoiceHeddrin::pLoadPaymentTerms()
{
    m_cmbPaymentTerms->clear();
    for (const QString &terms : m_context.company.invData.strInvTerms) {
        if (!terms.isEmpty())
            m_cmbPaymentTerms->addItem(terms);
    }
}

void TfrmInvoiceHeddrin::pLoadCustomerInformation()
{
    const TrecInvHeader &header = m_context.document.header;
    m_txtCustInformation->setPlainText(EditorRules::customerBlock(header));
    m_txtCustInformation->moveCursor(QTextCursor::Start);
    FormFields::showWhole(m_txtcustTaxExemptNumber, header.strCustTaxExemptNum);
    m_actTaxExempt->setChecked(header.strCustTaxExempt);
    m_SpinEditCustDiscount->setValue(header.intCustDiscountPercent);
    if (!header.strCustPymntTerms.isEmpty())
        m_cmbPaymentTerms->setEditText(header.strCustPymntTerms);
}

void TfrmInvoiceHeddrin::pChangeData()
{
    if (m_refreshGuard)
        return;
    QScopedValueRollback guard(m_refreshGuard, true);
    CurrentDocument &doc = m_context.document;
    TrecInvHeader &header = doc.header;
    const QLocale &locale = m_context.locale;

    header.strInvName = m_cmbInvoiceType->currentText();
    const QString number = QString::number(header.intInvNumber);
    setWindowTitle(header.strInvName + QLatin1Char(' ') + number);
    m_actInvoiceNumber->setText(header.strInvName + QStringLiteral(" Number: ") + number);
    header.strInvDate = DateText::shortDate(m_dateTimePickerInvoice->date(), locale);
    header.strCustPymntTerms = m_cmbPaymentTerms->currentText();
    m_ribbon->setCaption(DocumentKinds::GetInvoiceTitle({header.strInvName, header.strInvDate,
                                                         header.strFromInvNameNumber},
                                                        m_context.company.invData.intNumEstDays,
                                                        m_context.edition(), locale));
    header.strRecurring = m_actRecurring->isChecked();
    header.intCustDiscountPercent = m_SpinEditCustDiscount->value();
    // Typed numbers belong to the document: without this they would be lost on save.
    header.strCustPONumber = m_txtCustPO->text();
    header.strCustTaxExemptNum = m_txtcustTaxExemptNumber->text();

    header.intInvFootNotes = std::max(0, m_cmbFootNotes->currentIndex());
    if (header.intInvFootNotes == 0) {
        m_txtInvoiceFootNotes->clear();
        m_txtInvoiceFootNotes->hide();
    } else {
        m_txtInvoiceFootNotes->setPlainText(m_context.company.invData.strInvFootNote[std::size_t(header.intInvFootNotes)]);
        m_txtInvoiceFootNotes->show();
    }
    doc.print.strInvFootNotes = m_txtInvoiceFootNotes->toPlainText();
    pShowPaidDepositWording();
    pSetPaidInFullAndRecurring();

    if (m_actTaxExempt->isChecked()) {
        for (QAction *tax : m_actTax)
            tax->setChecked(false);
    }
    header.strCustTaxExempt = m_actTaxExempt->isChecked();
    header.strUseTax1 = m_actTax[0]->isChecked();
    header.strUseTax2 = m_actTax[1]->isChecked();
    header.strUseTax3 = m_actTax[2]->isChecked();

    try {
        Totals::pCalcTotals(doc, m_context.edition(), m_context.company, locale);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
    }
    // After the totals, so the current sheet's amount is the one just computed.
    setOutputEnabled(doc.lines.rowCount() > 0 && !m_txtCustInformation->toPlainText().isEmpty()
                     && currentSheetAmount() > 0);
    m_actDelete->setEnabled(!header.blnNewInvoice && !m_deleted);

    m_lblTotal->setText(header.strInvName + QStringLiteral(" Total"));
    m_txtPaidAndDeposit->setText(doc.print.strDepositPaid);
    m_txtInvoiceSubTotal->setText(doc.print.strSubTotal);
    m_txtInvoiceTaxTotal->setText(doc.print.strTax);
    m_txtInvoiceDiscount->setText(doc.print.strDiscount);
    m_txtInvoiceTotal->setText(doc.print.strTotal);
}

void TfrmInvoiceHeddrin::setOutputEnabled(bool enabled)
{
    for (QAction *action : {m_actSave, m_actPrint, m_actPrintPreview, m_actPDF})
        action->setEnabled(enabled);
}

void TfrmInvoiceHeddrin::pSetPaidInFullAndRecurring()
{
    const bool invoice = DocumentKinds::is(m_cmbInvoiceType->currentText(), QStringLiteral("Invoice"));
    if (!invoice)
        m_actRecurring->setChecked(false);
    m_actRecurring->setEnabled(invoice);
    if (m_context.document.header.strPaidInFull) {
        if (m_actRecurring->isChecked())
            m_context.prompts().ShowInformation(tr("Invoice can not be Paid In Full and Recurring"));
        m_actRecurring->setChecked(false);
        m_actRecurring->setEnabled(false);
    }
    m_context.document.header.strRecurring = m_actRecurring->isChecked();
}

void TfrmInvoiceHeddrin::pShowPaidDepositWording()
{
    const std::optional<EditorRules::PaidDepositWording> wording =
        EditorRules::paidDepositWording(m_cmbInvoiceType->currentText());
    if (!wording)
        return;
    m_actPaidDeposit->setText(wording->caption);
    m_actPaidDeposit->setToolTip(wording->hint);
    m_lblPaidAndDeposit->setText(wording->label);
}

bool TfrmInvoiceHeddrin::pSaveInvData()
{
    try {
        DocumentStore store(m_context);
        store.pSaveInvoice();
        store.pUpdateSavedData();
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
        return false;
    }
    pLoadInvoiceData();
    pShowWorkSheetData();
    pChangeData();
    m_actSave->setEnabled(false);
    return true;
}

void TfrmInvoiceHeddrin::actDeleteExecute()
{
    if (!DocumentOutput::pDeleteDocument(m_context))
        return;
    m_deleted = true;
    close();
}

void TfrmInvoiceHeddrin::actPDFExecute()
{
    DocumentOutput::pSaveDocumentAsPdf(m_context);
}

void TfrmInvoiceHeddrin::printDocument(bool preview)
{
    using DocumentOutput::Target;
    if (preview) {
        DocumentOutput::pPrintDocument(m_context, Target::Preview);
        return;
    }
    const PrintBusy busy(m_actPrint, m_context.saving());
    DocumentOutput::pPrintDocument(m_context, Target::Printer);
}

void TfrmInvoiceHeddrin::actEditPricesExecute()
{
    if (!openDocumentDialog<TfrmPriceHeddrin>(m_context, this))
        return;
    CurrentDocument &doc = m_context.document;
    try {
        const QList<WorkSheetPriceItem> items = WorkSheetPriceStore(m_context).list(doc.header.intInvNumber);
        for (const WorkSheetPriceItem &item : items) {
            if (item.intPrcItemNumID < 1 || item.intPrcItemNumID > 27)
                continue;
            doc.LbrPrices[std::size_t(item.intPrcItemNumID)] = item.dbLbrPrc;
            doc.MatPrices[std::size_t(item.intPrcItemNumID)] = item.dbMatPrc;
        }
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
        return;
    }
    pChangeData();
    pSaveInvData();
    m_context.documentChanged = false;
}

void TfrmInvoiceHeddrin::addCustomer()
{
    bool changed = false;
    {
        QScopedValueRollback guard(m_refreshGuard, true);
        changed = openDocumentDialog<TfrmCustomer>(m_context, this);
        pLoadCustomerInformation();
    }
    if (changed)
        pChangeData();
}

void TfrmInvoiceHeddrin::openPaidAndDeposit()
{
    if (openDocumentDialog<TfrmPaidAndDeposit>(m_context, this))
        pChangeData();
}

void TfrmInvoiceHeddrin::openInvoiceNotes()
{
    if (openDocumentDialog<TfrmInvoiceNotes>(m_context, this))
        pChangeData();
}

void TfrmInvoiceHeddrin::reject()
{
    if (!m_deleted && m_actSave->isEnabled()) {
        const TrecInvHeader &header = m_context.document.header;
        const QString question =
            tr("Save changes to %1 %2?").arg(header.strInvName, QString::number(header.intInvNumber));
        switch (m_context.prompts().ShowYesNoCancel(question)) {
        case Prompts::Yes:
            if (!pSaveInvData())
                return;
            break;
        case Prompts::No:
            break;
        case Prompts::Cancel:
            return;
        }
    }
    QDialog::reject();
}

void TfrmInvoiceHeddrin::done(int result)
{
    m_context.preferences[AppPreferences::FrmInvoiceMaximized] = isMaximized();
    m_context.preferences[AppPreferences::FrmInvoiceRibbonMinimized] = m_ribbon->isMinimized();
    QDialog::done(result);
}
