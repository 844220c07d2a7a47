#include "EditingSession.h"

#include "DocumentMail.h"
#include "DocumentOutput.h"
#include "SaveConflict.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentMerge.h"
#include "invoice/DocumentStore.h"
#include "invoice/DueDates.h"
#include "invoice/PaymentRules.h"
#include "invoice/Totals.h"

#include <algorithm>

EditingSession::EditingSession(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

const CurrentDocument &EditingSession::document() const
{
    return m_context.document;
}

const TrecInvHeader &EditingSession::header() const
{
    return m_context.document.header;
}

InvoiceLines &EditingSession::lineModel() const
{
    return m_context.document.lines;
}

TrecInvHeader &EditingSession::h()
{
    return m_context.document.header;
}

bool EditingSession::storesDocuments() const
{
    return m_context.edition().storesDocuments();
}

void EditingSession::open()
{
    m_modified = false;
    m_deleted = false;
    // A new document made for a kind (a change order for a job) keeps it.
    const QStringList offered = kinds().kinds;
    if (!offered.isEmpty()) {
        const auto own = std::find_if(offered.cbegin(), offered.cend(),
                                      [this](const QString &kind) { return DocumentKinds::is(header().strInvName, kind); });
        h().strInvName = own != offered.cend() ? *own : offered.first();
    }
    const QString unreadDate = m_context.document.unreadDateText;
    if (unreadDate.isEmpty()) {
        if (!header().strInvDate.isValid())
            h().strInvDate = QDate::currentDate();
    } else {
        // Left empty rather than today: a guessed date would be saved as if typed.
        m_context.prompts().ShowInformation(
            QStringLiteral("%1 %2 holds the date \"%3\", which could not be read when the company database was "
                           "brought up to date. Enter its date, then save it.")
                .arg(header().strInvName)
                .arg(header().intInvNumber)
                .arg(unreadDate));
    }

    const TrecCmpnyInvData &company = m_context.company.invData;
    if (EditorRules::taxRatesDiffer(header(), company)
        && m_context.prompts().ShowYesNo(EditorRules::taxRatesQuestion(header())) == Prompts::Yes) {
        EditorRules::useCurrentTaxRates(h(), company);
        // The shown totals now differ from the stored ones: that is a change to save.
        m_modified = true;
    }
    update(false);
}

void EditingSession::update(bool isChange)
{
    if (isChange)
        m_modified = true;
    applyRules(isChange);
    CurrentDocument &doc = m_context.document;
    const int footNote = std::clamp(doc.header.intInvFootNotes, 0, 3);
    if (storesDocuments())
        doc.print.strInvFootNotes = footNote == 0 ? QString() : m_context.company.invData.strInvFootNote[footNote];
    Totals::pCalcTotals(doc, m_context.edition(), m_context.company, m_context.locale);
    m_terms = doc.header.strCustPymntTerms;
    emit changed();
}

void EditingSession::applyRules(bool tellConflicts)
{
    TrecInvHeader &header = h();
    if (header.strCustTaxExempt)
        header.strUseTax1 = header.strUseTax2 = header.strUseTax3 = false;
    if (header.strRecurring && header.strPaidInFull && tellConflicts)
        m_context.prompts().ShowInformation(QStringLiteral("Invoice can not be Paid In Full and Recurring"));
    if (!recurringAllowed())
        header.strRecurring = false;
}

void EditingSession::setKind(const QString &kind)
{
    if (kind.isEmpty() || kind == header().strInvName)
        return;
    h().strInvName = kind;
    update(true);
}

void EditingSession::setDate(QDate date)
{
    if (!date.isValid() || date == header().strInvDate)
        return;
    h().strInvDate = date;
    update(true);
}

void EditingSession::setPaymentTerms(const QString &terms)
{
    if (terms == header().strCustPymntTerms)
        return;
    h().strCustPymntTerms = terms;
    update(true);
}

void EditingSession::setFootNote(int index)
{
    index = std::clamp(index, 0, 3);
    if (index == header().intInvFootNotes)
        return;
    h().intInvFootNotes = index;
    update(true);
}

void EditingSession::setPONumber(const QString &number)
{
    if (number == header().strCustPONumber)
        return;
    h().strCustPONumber = number;
    update(true);
}

void EditingSession::setTaxExemptNumber(const QString &number)
{
    if (number == header().strCustTaxExemptNum)
        return;
    h().strCustTaxExemptNum = number;
    update(true);
}

void EditingSession::setTaxExempt(bool exempt)
{
    if (exempt == header().strCustTaxExempt)
        return;
    h().strCustTaxExempt = exempt;
    update(true);
}

void EditingSession::setUseTax(int tax, bool used)
{
    bool *flags[3] = {&h().strUseTax1, &h().strUseTax2, &h().strUseTax3};
    if (tax < 0 || tax > 2 || *flags[tax] == used)
        return;
    *flags[tax] = used;
    update(true);
}

void EditingSession::setDiscountPercent(int percent)
{
    if (percent == header().intCustDiscountPercent)
        return;
    h().intCustDiscountPercent = percent;
    update(true);
}

void EditingSession::setRecurring(bool recurring)
{
    if (recurring == header().strRecurring)
        return;
    h().strRecurring = recurring;
    update(true);
}

void EditingSession::setDueDate(QDate date)
{
    const QDate followed = DueDates::fromTerms(header().strInvDate, header().strCustPymntTerms);
    const QDate chosen = date == followed ? QDate() : date;
    if (chosen == header().strDueDate)
        return;
    h().strDueDate = chosen;
    update(true);
}

bool EditingSession::recordPayment(const Payment &payment)
{
    if (!PaymentRules::confirmPayment(document(), payment.amount, m_context.prompts(), m_context.locale))
        return false;
    PaymentRules::record(m_context.document, payment);
    update(true);
    return true;
}

bool EditingSession::removePayment(int index)
{
    if (!PaymentRules::askAndRemove(m_context.document, index, m_context.prompts(), m_context.locale))
        return false;
    update(true);
    return true;
}

void EditingSession::setPrintedFootNote(const QString &text)
{
    if (text == document().print.strInvFootNotes)
        return;
    m_context.document.print.strInvFootNotes = text;
    update(true);
}

void EditingSession::setPrintOptions(bool signatureLine, bool contract, bool warranty)
{
    h().blnAddSignatureLine = signatureLine;
    h().blnPrintContract = contract;
    h().blnPrintWarranty = warranty;
}

void EditingSession::documentEdited()
{
    // A customer without terms of its own keeps the terms already chosen.
    if (header().strCustPymntTerms.isEmpty())
        h().strCustPymntTerms = m_terms;
    update(true);
}

QDate EditingSession::date() const
{
    return header().strInvDate;
}

QString EditingSession::shownDate() const
{
    return DateText::shortDate(date(), m_context.locale);
}

EditorRules::KindChoice EditingSession::kinds() const
{
    return EditorRules::pLoadInvNames(m_context.InvoiceTypes, header().strInvName, header().blnNewInvoice);
}

QString EditingSession::caption() const
{
    return header().strInvName + QLatin1Char(' ') + QString::number(header().intInvNumber);
}

QString EditingSession::numberCaption() const
{
    return header().strInvName + QStringLiteral(" Number: ") + QString::number(header().intInvNumber);
}

QString EditingSession::subtitle() const
{
    return DocumentKinds::GetInvoiceTitle({header().strInvName, header().strInvDate, header().strFromInvNameNumber},
                                          m_context.company.invData.intNumEstDays, m_context.edition(),
                                          m_context.locale);
}

QString EditingSession::totalCaption() const
{
    return Totals::totalHeading(document());
}

QString EditingSession::customerBlock() const
{
    return EditorRules::customerBlock(header());
}

std::optional<EditorRules::PaidDepositWording> EditingSession::paidDepositWording() const
{
    return EditorRules::paidDepositWording(header().strInvName);
}

bool EditingSession::recurringAllowed() const
{
    return DocumentKinds::is(header().strInvName, DocumentKinds::kInvoice) && !header().strPaidInFull;
}

QDate EditingSession::dueDate() const
{
    return DueDates::dueDate(header());
}

bool EditingSession::hasDueDate() const
{
    using namespace DocumentKinds;
    return is(header().strInvName, kInvoice) || is(header().strInvName, kPastDue);
}

double EditingSession::balance() const
{
    return PaymentRules::balance(document());
}

bool EditingSession::isComplete() const
{
    return document().lines.rowCount() > 0 && !customerBlock().isEmpty() && header().strInvDate.isValid();
}

bool EditingSession::canSave() const
{
    return storesDocuments() && !m_deleted && m_modified && isComplete();
}

bool EditingSession::canDelete() const
{
    return storesDocuments() && !m_deleted && !header().blnNewInvoice;
}

bool EditingSession::canRecordPayment() const
{
    // A notice stands for its invoice, which is where its debt is paid.
    return storesDocuments() && !m_deleted && !DocumentKinds::is(header().strInvName, DocumentKinds::kPastDue);
}

bool EditingSession::save()
{
    if (!storesDocuments() || m_deleted)
        return false;
    try {
        (void)DocumentStore(m_context).pSaveInvoice();
    } catch (const RowConflict &conflict) {
        switch (SaveConflict::resolve(m_context, conflict)) {
        case SaveConflict::Outcome::Saved:
            break;
        case SaveConflict::Outcome::TookTheirs:
            // Shown as stored; the editor stays open so the user sees what is there now.
            m_modified = false;
            update(false);
            return false;
        case SaveConflict::Outcome::KeptEditing:
            return false;
        }
    } catch (const DbError &error) {
        // Nothing was stored: the document stays as typed and still unsaved.
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
    m_modified = false;
    m_context.document.unreadDateText.clear();
    emit changed();
    return true;
}

bool EditingSession::deleteDocument()
{
    if (!canDelete() || !DocumentOutput::pDeleteDocument(m_context))
        return false;
    m_deleted = true;
    m_modified = false;
    emit changed();
    return true;
}

bool EditingSession::print(bool preview)
{
    using DocumentOutput::Target;
    const bool wentOut = DocumentOutput::pPrintDocument(m_context, preview ? Target::Preview : Target::Printer);
    if (wentOut && !storesDocuments()) {
        m_modified = false;
        emit changed();
    }
    return wentOut;
}

void EditingSession::saveAsPdf()
{
    DocumentOutput::pSaveDocumentAsPdf(m_context);
}

bool EditingSession::email()
{
    // What the customer gets must be what is stored.
    if (storesDocuments() && (header().blnNewInvoice || m_modified) && !save())
        return false;
    return DocumentMail::pEmailDocument(m_context);
}

bool EditingSession::canStartChangeOrder() const
{
    return canDelete() && m_context.edition().offersKind(DocumentKinds::kChangeOrder);
}

bool EditingSession::startChangeOrder()
{
    if (!canStartChangeOrder() || !mayClose())
        return false;
    const int number = header().intInvNumber;
    try {
        DocumentActions(m_context).startChangeOrderFor(number);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        // Back to the saved document, which nothing has changed.
        h().blnNewInvoice = false;
        h().intInvNumber = number;
        try {
            DocumentStore(m_context).pLoadInvoice();
        } catch (const DbError &reloadError) {
            m_context.prompts().showError(reloadError.message(), reloadError.detail());
        }
        open();
        return false;
    }
    open();
    return true;
}

bool EditingSession::mayClose()
{
    if (m_deleted || !m_modified)
        return true;
    if (!storesDocuments()) {
        if (document().lines.rowCount() == 0 && customerBlock().isEmpty())
            return true;
        const QString question =
            QStringLiteral("%1 has changes that were not printed. Close it and discard them?").arg(caption());
        return m_context.prompts().ShowYesNo(question, Prompts::No) == Prompts::Yes;
    }
    if (!canSave()) {
        // Not savable yet (no customer or no line), but typed into: Enter or Escape on
        // the question must not throw that away.
        const QString question = QStringLiteral("Discard the unsaved %1?").arg(caption());
        return m_context.prompts().ShowYesNo(question, Prompts::No) == Prompts::Yes;
    }
    switch (m_context.prompts().ShowYesNoCancel(QStringLiteral("Save changes to ") + caption() + QLatin1Char('?'))) {
    case Prompts::Yes:
        return save();
    case Prompts::No:
        return true;
    default:
        return false;
    }
}
