#pragma once

#include <QString>

class DocumentContext;

/// What the maintenance window does to a saved document. Each action works through
/// the current document and lands as one transaction (with its postings and, for a
/// past-due notice, its new number) or not at all.
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
    /// returns its number. The invoice stays as it was.
    int createPastDue(int number);
    void markPaidInFull(int number);
    void setRecurring(int number, bool recurring);
    void remove(int number);

private:
    void load(int number);

    DocumentContext &m_context;
};
