#pragma once

#include "Receivables.h"

#include <QByteArray>
#include <QHash>
#include <string>
#include <string_view>

/// Receivables figures summed row by row as the rows are read.
namespace Receivables {

/// The figures of rows added one at a time, exact: amounts are summed in cents, so
/// sums of separate parts of the rows merge into exactly the sums of all of them.
class FigureSums
{
public:
    /// Ages the debts as of \a today.
    explicit FigureSums(QDate today);

    /// Adds one row, its texts as stored (UTF-8). A row whose amount does not read is
    /// named among the unreadable documents; one that owes nothing is left out.
    void add(QByteArrayView due, int number, qint64 customerId, QByteArrayView company, QByteArrayView name,
             QByteArrayView amount);
    /// Adds the rows \a other summed; both ages as of the same day.
    void merge(const FigureSums &other);
    /// Adds the retainage a customer's progress invoices hold (after the rows): the
    /// customer is shown even with nothing owed.
    void addRetainage(qint64 customerId, const QString &customer, qint64 cents);

    /// Customers in the user's collation of their names.
    [[nodiscard]] Figures figures() const;

private:
    struct Customer
    {
        // Shown by the name on its oldest due row (by due date, then number); a reading
        // from the end meets older rows all the time, so these are kept as bytes.
        bool named = false;
        std::string firstDue;
        int firstNumber = 0;
        std::string shown;
        std::array<qint64, BucketCount> bucketCents{};
        qint64 creditCents = 0;
        qint64 retainageCents = 0;

        [[nodiscard]] bool namedBefore(std::string_view due, int number) const;
    };
    [[nodiscard]] Bucket bucketDue(QByteArrayView due) const;
    static void addInto(Customer &into, const Customer &from);

    // A debt due on or after the first of these dates is in that bucket or a younger one.
    std::array<QByteArray, BucketCount - 1> m_dueFrom;
    // Customers of the customer list by id, the others by the name on the document.
    QHash<qint64, Customer> m_listed;
    QHash<QByteArray, Customer> m_named;
    std::array<qint64, BucketCount> m_bucketCents{};
    qint64 m_creditCents = 0;
    qint64 m_retainageCents = 0;
    int m_rows = 0;
    QList<int> m_unreadable;
    // The shown name of the row being added, kept to spare an allocation per row.
    QByteArray m_shown;
};

} // namespace Receivables
