#include "DocumentActions.h"

#include "CustomerCredit.h"
#include "DocumentKinds.h"
#include "DocumentMerge.h"
#include "DocumentStore.h"
#include "PaymentRules.h"
#include "invoice/DocumentContext.h"
#include "data/BusyPolicy.h"
#include "data/Database.h"

DocumentActions::DocumentActions(DocumentContext &context)
    : m_context(context)
{
}

void DocumentActions::load(int number)
{
    TrecInvHeader &h = m_context.document.header;
    h.blnNewInvoice = false;
    h.intInvNumber = number;
    DocumentStore(m_context).pLoadInvoice();
}

template<typename Change>
auto DocumentActions::onStored(int number, Change change)
{
    // Applied to the document as stored now. Should another copy store it between
    // this load and the save, it is loaded and the change applied again, so nothing
    // that copy wrote is written over.
    const BusyPolicy::OperationWait oneWait;
    constexpr int kTries = 3;
    for (int attempt = 1;; ++attempt) {
        load(number);
        try {
            return change();
        } catch (const RowConflict &conflict) {
            if (attempt == kTries || conflict.kind() == RowConflict::Kind::DeletedMeanwhile)
                throw;
        }
    }
}

void DocumentActions::convert(int number, const QString &toKind)
{
    // Through a full save rather than a bare UPDATE of the kind, so a document that
    // starts or stops counting as a sale moves in or out of the monthly report.
    onStored(number, [&] {
        m_context.document.header.strInvName = toKind;
        DocumentStore(m_context).pSaveInvoice();
    });
}

void DocumentActions::toCredit(int number)
{
    onStored(number, [&] {
        TrecInvHeader &h = m_context.document.header;
        h.strFromInvNameNumber = h.strInvName + QLatin1Char(' ') + QString::number(number);
        h.strInvName = DocumentKinds::kCredit;
        DocumentStore(m_context).pSaveInvoice();
    });
}

int DocumentActions::createPastDue(int number)
{
    load(number);
    DocumentStore store(m_context);
    TrecInvHeader &h = m_context.document.header;
    h.strFromInvNameNumber = h.strInvName + QLatin1Char(' ') + QString::number(number);
    h.strInvName = DocumentKinds::kPastDue;
    h.blnNewInvoice = true;
    h.intInvNumber = store.GetInvoiceNumber();
    PaymentRules::startWithoutPayments(m_context.document);
    return store.pSaveInvoice();
}

DocumentActions::PaymentOutcome DocumentActions::recordPayment(int number, const Payment &payment)
{
    return onStored(number, [&] {
        // Asked on the document as stored now: another copy may have paid it meanwhile.
        if (!PaymentRules::confirmPayment(m_context.document, payment.amount, m_context.prompts(), m_context.locale))
            return PaymentOutcome::NotRecorded;
        const bool paidInFull = PaymentRules::record(m_context.document, payment);
        DocumentStore(m_context).pSaveInvoice();
        return paidInFull ? PaymentOutcome::PaidInFull : PaymentOutcome::Recorded;
    });
}

void DocumentActions::applyCredit(int number, double amount, QDate date)
{
    onStored(number, [&] {
        CurrentDocument &doc = m_context.document;
        const TrecInvHeader target = doc.header;
        PaymentRules::record(doc, CustomerCredit::payingFromCredit(doc, amount, date, m_context.locale));
        DocumentStore(m_context).pSaveInvoice(
            [&](Database &db, int) { CustomerCredit::take(m_context, db, target, amount, date); });
    });
}

void DocumentActions::recordRefund(int number, double amount, QDate date)
{
    onStored(number, [&] {
        CustomerCredit::refund(m_context.document, amount, date, m_context.locale);
        DocumentStore(m_context).pSaveInvoice();
    });
}

bool DocumentActions::removePayment(int number, int index)
{
    return onStored(number, [&] {
        if (!PaymentRules::askAndRemove(m_context.document, index, m_context.prompts(), m_context.locale))
            return false;
        DocumentStore(m_context).pSaveInvoice();
        return true;
    });
}

void DocumentActions::startChangeOrderFor(int number)
{
    load(number);
    CurrentDocument &doc = m_context.document;
    TrecInvHeader &h = doc.header;
    h.strFromInvNameNumber = h.strInvName + QLatin1Char(' ') + QString::number(number);
    h.strInvName = DocumentKinds::kChangeOrder;
    h.strInvDate = QDate::currentDate();
    h.strDueDate = {};
    h.strRecurring = false;
    h.strCustPONumber.clear();
    h.dbDepositAmount = 0;
    h.blnNewInvoice = true;
    h.intInvNumber = DocumentStore(m_context).GetInvoiceNumber();
    doc.lines.clear();
    doc.notes.clear();
    doc.saved = {};
    doc.unreadDateText.clear();
    PaymentRules::startWithoutPayments(doc);
}

void DocumentActions::markPaidInFull(int number)
{
    onStored(number, [&] {
        m_context.document.header.strPaidInFull = true;
        DocumentStore(m_context).pSaveInvoice();
    });
}

void DocumentActions::setRecurring(int number, bool recurring)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    db->prepare(QStringLiteral("UPDATE tblInvHeader SET strRecurring = ? WHERE intInvNumber = ?"))
        .bindAll(recurring, number)
        .run();
    tx.commit();
}

void DocumentActions::remove(int number)
{
    m_context.document.header.intInvNumber = number;
    DocumentStore(m_context).pDeleteInvoice();
}
