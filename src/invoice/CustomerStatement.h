#pragma once

#include <QDate>
#include <QList>
#include <QString>

class DataContext;
class DocumentContext;

/// A statement of account: for one customer, every charge, credit and payment in a
/// date range with a running balance, and what is owed at its end.
namespace CustomerStatement {

/// Whose statement: a customer-list id or, for documents written without picking
/// from the list, the company and name as on the document.
struct Customer
{
    qint64 id = 0;
    QString company;
    QString name;

    [[nodiscard]] QString text() const;
};

struct Entry
{
    /// Charges (invoices, and the sale an invoice turned credit undoes) or payments
    /// and credits, whatever the sign.
    enum class Column { Charges, Payments };

    QDate date;
    QString description;
    /// What the customer owes more (invoices, a payment taken back) or less (credits
    /// and payments: negative).
    double amount = 0;
    double balance = 0;
    Column column = Column::Charges;

    /// The amount as its column shows it: a charge as it adds, a payment or credit as
    /// it was received (a correction of a payment is a negative payment).
    [[nodiscard]] double shownAmount() const { return column == Column::Charges ? amount : -amount; }
};

struct Account
{
    QDate from;
    QDate to;
    /// Owed before \a from.
    double openingBalance = 0;
    QList<Entry> entries;
    /// Owed at the end of the range.
    double amountDue = 0;
};

/// Invoices are charges; credits and payments (deposits received included) take
/// away; an invoice marked paid in full whose payments fall short is settled by an
/// entry of its own. Past-due notices restate a debt and are left out (unless their
/// invoice is gone: then the latest one charges in its place), as are
/// estimates, work orders and change orders (only their deposits count). Rows are
/// listed by date, then in the order they were entered: a day's documents by number,
/// each with what settles it, then the day's payments in the order recorded. Dates
/// given the wrong way round are taken as the same range.
[[nodiscard]] Account build(DocumentContext &context, const Customer &customer, QDate from, QDate to);

/// The customer of the saved document \a number.
[[nodiscard]] Customer customerOf(DataContext &context, int number);

/// The customers that have documents, by name, for choosing whose statement.
[[nodiscard]] QList<Customer> customersWithDocuments(DataContext &context);

} // namespace CustomerStatement
