#pragma once

#include <QDate>
#include <QString>

class DocumentContext;
struct Payment;

/// What the maintenance window does to a saved document. Each action works through
/// the current document and lands as one transaction (with its postings and, for a
/// past-due notice, its new number) or not at all. Each is applied to the document
/// as stored at that moment, never to an older copy of it.
class DocumentActions
{
public:
    explicit DocumentActions(DocumentContext &context);

    /// Changes the kind of the saved document in place (estimate to work order,
    /// estimate, work order or change order to invoice).
    void convert(int number, const QString &toKind);
    /// Turns an invoice into a credit with the same number and lines; the credit
    /// records the invoice it came from.
    void toCredit(int number);
    /// Saves a new past-due notice with the invoice's customer, lines and amounts;
    /// returns its number. The invoice stays as it was and keeps its payments: the
    /// notice starts with none.
    int createPastDue(int number);
    /// Marks the invoice paid in full: what it still owed is recorded as a payment
    /// dated today, and it is posted to the monthly report.
    void markPaidInFull(int number);
    enum class PaymentOutcome { NotRecorded, Recorded, PaidInFull };
    /// Records \a payment for the saved document as stored now; an invoice whose
    /// balance reaches zero becomes paid in full and is posted, in the same
    /// transaction. A recurring original is refused (the user is told), and more
    /// than is owed is recorded only when the user takes it as the customer's credit.
    PaymentOutcome recordPayment(int number, const Payment &payment);
    /// Pays \a amount of the saved document from its customer's credit (what other
    /// documents were paid beyond their totals, oldest first), in one transaction
    /// with the documents it is taken from. Throws DbError when the credit or the
    /// balance, as stored now, is smaller.
    void applyCredit(int number, double amount, QDate date);
    /// Records \a amount of the saved document's credit as given back to the
    /// customer. Throws DbError when the document's credit is smaller.
    void recordRefund(int number, double amount, QDate date);
    /// Removes payment \a index of the saved document after asking (PaymentRules::
    /// askAndRemove). Returns whether anything changed.
    bool removePayment(int number, int index);
    /// Makes the current document a new change order, dated today, for the job of
    /// the saved document \a number: its customer, no lines, nothing paid, numbered
    /// with the stored next number. Unlike the actions above it stores nothing: it is
    /// saved, like any new document, when the user saves it.
    void startChangeOrderFor(int number);
    void setRecurring(int number, bool recurring);
    void remove(int number);

private:
    void load(int number);
    template<typename Change>
    auto onStored(int number, Change change);

    DocumentContext &m_context;
};
