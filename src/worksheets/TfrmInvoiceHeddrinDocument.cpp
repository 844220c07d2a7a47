// The document side of the Heddrin editor: opening, showing the document and
// re-pricing it with its saved prices.
#include "widgets/InputGuards.h"
#include "TfrmInvoiceHeddrin.h"
#include "editing/DueDateField.h"

#include "TfrmPriceHeddrin.h"
#include "WorkSheetPanel.h"
#include "WorkSheetPriceStore.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "editing/DocumentDialog.h"
#include "editing/DocumentPanels.h"
#include "widgets/FormFields.h"
#include "widgets/Ribbon.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTreeWidget>

void TfrmInvoiceHeddrin::opened()
{
    pShowFormInformation();
    {
        QScopedValueRollback guard(m_showing, true);
        HeaderControls::fillPaymentTerms(m_cmbPaymentTerms, m_context.company.invData);
    }
    m_session.open();
    m_currentSheet = 0;
    pEnableWorkSheet(m_session.document().lines.rowCount() > 0);
    showDocument();
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
    // The ribbon's captions, set by the document just shown, decide how narrow the
    // window may be: none of them is cut.
    const int needed = std::max(minimumWidth(), m_ribbon->minimumSizeHint().width() + 8);
    setMinimumWidth(needed);
    if (width() < needed)
        resize(needed, height());
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

void TfrmInvoiceHeddrin::showDocument()
{
    QScopedValueRollback guard(m_showing, true);
    const TrecInvHeader &header = m_session.header();
    setWindowTitle(m_session.caption());
    HeaderControls::showKinds(m_cmbInvoiceType, m_session);
    m_actInvoiceNumber->setText(m_session.numberCaption());
    showDateOrBlank(*m_dateTimePickerInvoice, m_session.date());
    m_dtpDueDate->showDocument();
    m_ribbon->setCaption(m_session.subtitle());
    if (m_cmbPaymentTerms->currentText() != header.strCustPymntTerms)
        m_cmbPaymentTerms->setEditText(header.strCustPymntTerms);
    if (m_txtCustPO->text() != header.strCustPONumber)
        FormFields::showWhole(m_txtCustPO, header.strCustPONumber);
    if (m_txtcustTaxExemptNumber->text() != header.strCustTaxExemptNum)
        FormFields::showWhole(m_txtcustTaxExemptNumber, header.strCustTaxExemptNum);
    m_SpinEditCustDiscount->setValue(header.intCustDiscountPercent);
    m_actRecurring->setChecked(header.strRecurring);
    m_actRecurring->setEnabled(m_session.recurringAllowed());
    m_actTaxExempt->setChecked(header.strCustTaxExempt);
    m_actTax[0]->setChecked(header.strUseTax1);
    m_actTax[1]->setChecked(header.strUseTax2);
    m_actTax[2]->setChecked(header.strUseTax3);
    m_actAddSignatureLine->setChecked(header.blnAddSignatureLine);
    m_actPrintContract->setChecked(header.blnPrintContract);
    m_actPrintWarranty->setChecked(header.blnPrintWarranty);
    m_cmbFootNotes->setCurrentIndex(header.intInvFootNotes);
    m_txtInvoiceFootNotes->setVisible(header.intInvFootNotes != 0);
    m_txtInvoiceFootNotes->setPlainText(m_session.document().print.strInvFootNotes);
    if (const auto wording = m_session.paidDepositWording()) {
        m_actPaidDeposit->setText(wording->caption);
        m_actPaidDeposit->setToolTip(wording->hint);
    }
    const QString block = m_session.customerBlock();
    if (m_txtCustInformation->toPlainText() != block) {
        m_txtCustInformation->setPlainText(block);
        m_txtCustInformation->moveCursor(QTextCursor::Start);
    }
    m_totals->showDocument();
    pShowWorkSheetData();

    // The sheet being edited must price to something before the document goes out.
    const bool ready = m_session.isComplete() && currentSheetAmount() > 0;
    for (QAction *output : {m_actPrint, m_actPrintPreview, m_actPDF, m_actEmail})
        output->setEnabled(ready);
    m_actSave->setEnabled(ready && m_session.canSave());
    m_actDelete->setEnabled(m_session.canDelete());
    showAccountCommands();
    m_actEditPrices->setEnabled(m_session.canDelete());
}

void TfrmInvoiceHeddrin::actEditPricesExecute()
{
    if (!openDocumentDialog<TfrmPriceHeddrin>(m_context, this, ListUse::PickForDocument))
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
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    // The new prices are the document's own: re-priced, it is saved at once.
    m_session.documentEdited();
    m_session.save();
}

void TfrmInvoiceHeddrin::rememberState()
{
    DocumentEditor::rememberState();
    m_context.preferences[AppPreferences::FrmInvoiceRibbonMinimized] = m_ribbon->isMinimized();
}
