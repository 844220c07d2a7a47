#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <array>

class DataContext;

/// Who owes what: every unpaid invoice with its due date and age.
namespace Receivables {

/// The usual aging buckets, by days past the due date.
enum Bucket { NotYetDue, Days1To30, Days31To60, Days61To90, Over90, BucketCount };

/// The bucket of a debt \a daysOverdue days past due (0 or less: not yet due).
[[nodiscard]] Bucket bucketOf(int daysOverdue);
[[nodiscard]] QString bucketCaption(Bucket bucket);

/// One unpaid invoice. A past-due notice stands for the invoice it was made from:
/// the debt is the invoice's, shown with its latest notice.
struct Row
{
    int invoiceNumber = 0;
    /// The latest past-due notice for the invoice; 0 when none.
    int noticeNumber = 0;
    /// The customer as on the document (company, name), and the customer-list id.
    QString customer;
    qint64 customerId = 0;
    QDate date;
    QDate dueDate;
    double total = 0;
    double paid = 0;
    double balance = 0;
    int daysOverdue = 0;
    Bucket bucket = NotYetDue;

    /// What the row's customer is grouped by.
    [[nodiscard]] QString customerKey() const;
    /// More was paid than the document's total: the balance, below zero, is the
    /// customer's credit.
    [[nodiscard]] bool isCredit() const { return balance < 0; }
    /// Sets what follows from the stored figures as of \a today: total, days overdue, bucket.
    void settle(QDate today);
};

struct Listing
{
    /// Oldest due date first.
    QList<Row> rows;
    /// Documents whose stored amount does not read; they are not counted.
    QList<int> unreadable;
};

/// Every unpaid invoice (not paid in full, not a recurring original, something still
/// owed) as of \a today, and every invoice paid beyond its total (a credit row). Reads the stored headers only, so it stays quick on a
/// large file.
[[nodiscard]] Listing unpaidInvoices(DataContext &context, QDate today);

struct CustomerTotal
{
    QString customer;
    std::array<double, BucketCount> buckets{};
    /// The customer's credit, below zero; the balance is the buckets plus the credit.
    double credit = 0;
    double balance = 0;
    /// Held back by the customer's progress invoices until the job ends: not yet due,
    /// so not in the balance.
    double retainageHeld = 0;
};

/// The figures shown beside a list of rows; one more is one more member here.
struct Figures
{
    /// What is owed, by age; credit rows are left out.
    std::array<double, BucketCount> buckets{};
    /// The credit rows' sum, below zero.
    double credit = 0;
    /// By customer, in the collation's order of their names.
    QList<CustomerTotal> customers;
    int rows = 0;
    /// Retainage the listed customers' progress invoices hold; not in what is owed.
    double retainageHeld = 0;
    /// Documents whose stored amount does not read, by number; not counted.
    QList<int> unreadable;

    /// Everything owed: the buckets' sum.
    [[nodiscard]] double owed() const;
};

/// The figures of \a rows, listed oldest due first.
[[nodiscard]] Figures figuresOf(const QList<Row> &rows);

/// A row a search keeps: its customer contains \a search, or its invoice or notice
/// number starts with it, in any letter case. An empty search keeps every row.
[[nodiscard]] bool matchesSearch(const Row &row, const QString &search);

/// What is owed, by age; credit rows are left out.
[[nodiscard]] std::array<double, BucketCount> bucketTotals(const QList<Row> &rows);
/// The credit rows' sum, below zero.
[[nodiscard]] double creditTotal(const QList<Row> &rows);
/// One total per customer, by customer text.
[[nodiscard]] QList<CustomerTotal> customerTotals(const QList<Row> &rows);

/// The document that carries the debt of the saved document \a number: for a
/// past-due notice whose invoice is still stored, that invoice; otherwise itself.
/// Payments are recorded there, so a debt is never paid in two places.
[[nodiscard]] int debtCarrier(DataContext &context, int number);

/// The customer as shown for a document: company and name, whichever are set.
[[nodiscard]] QString customerText(const QString &company, const QString &name);

} // namespace Receivables
