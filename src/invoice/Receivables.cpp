#include "Receivables.h"

#include "DocumentKinds.h"
#include "Money.h"
#include "PastDueLink.h"
#include "data/DataContext.h"
#include "data/Database.h"
#include "data/StoredForm.h"

#include <QCollator>
#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace Receivables {

namespace {

constexpr double kHalfCent = 0.005;

struct StoredNotice
{
    QString from;
    Row row;
};

QDate dateOf(const QString &text)
{
    return StoredForm::readDate(text).value_or(QDate());
}

} // namespace

int debtCarrier(DataContext &context, int number)
{
    const auto db = context.openDatabase();
    Statement q = db->prepare(QStringLiteral(
        "SELECT s.intInvNumber FROM tblInvHeader n JOIN tblInvHeader s "
        "ON n.strFromInvNameNumber = s.strInvName || ' ' || s.intInvNumber "
        "WHERE n.intInvNumber = ? AND UPPER(n.strInvName) = UPPER(?) AND UPPER(s.strInvName) = UPPER(?)"));
    q.bindAll(number, DocumentKinds::kPastDue, DocumentKinds::kInvoice);
    return q.step() ? q.intAt(0) : number;
}

Bucket bucketOf(int daysOverdue)
{
    if (daysOverdue <= 0)
        return NotYetDue;
    if (daysOverdue <= 30)
        return Days1To30;
    if (daysOverdue <= 60)
        return Days31To60;
    if (daysOverdue <= 90)
        return Days61To90;
    return Over90;
}

QString bucketCaption(Bucket bucket)
{
    static const char *const captions[] = {
        QT_TRANSLATE_NOOP("Receivables", "Not Yet Due"), QT_TRANSLATE_NOOP("Receivables", "1-30 Days"),
        QT_TRANSLATE_NOOP("Receivables", "31-60 Days"), QT_TRANSLATE_NOOP("Receivables", "61-90 Days"),
        QT_TRANSLATE_NOOP("Receivables", "Over 90 Days")};
    return QCoreApplication::translate("Receivables", captions[std::min<int>(bucket, Over90)]);
}

QString Row::customerKey() const
{
    return customerId != 0 ? QStringLiteral("#%1").arg(customerId) : customer;
}

void Row::settle(QDate today)
{
    total = Money::roundToCents(balance + paid);
    // A credit is not late: it is the customer's, not owed by them.
    daysOverdue = dueDate.isValid() && balance > 0 ? int(dueDate.daysTo(today)) : 0;
    bucket = bucketOf(daysOverdue);
}

QString customerText(const QString &company, const QString &name)
{
    if (company.isEmpty())
        return name;
    if (name.isEmpty())
        return company;
    return company + QStringLiteral(", ") + name;
}

Listing unpaidInvoices(DataContext &context, QDate today)
{
    // Recurring originals are patterns; their copies are the debts. The stored
    // strInvTotal is the balance, written with every save.
    const auto db = context.openDatabase();
    // Two parts, so each reads through its own partial index: what is owed, and the
    // credits of overpaid documents marked paid.
    const QString columns = QStringLiteral(
        "SELECT intInvNumber,strInvName,strFromInvNameNumber,strInvDate,strDueDateStored,"
        "strCustCmpnyName,strCustFullName,intCustomerID,dbPaidAmount,strInvTotal FROM tblInvHeader ");
    const QString kinds = QStringLiteral("AND strRecurring = '0' AND UPPER(strInvName) IN (UPPER(?), UPPER(?))");
    Statement q = db->prepare(columns + QStringLiteral("WHERE strPaidInFull = '0' ") + kinds + QStringLiteral(" UNION ALL ")
                              + columns + QStringLiteral("WHERE strPaidInFull <> '0' AND strInvTotal LIKE '-%' ") + kinds);
    q.bindAll(DocumentKinds::kInvoice, DocumentKinds::kPastDue, DocumentKinds::kInvoice, DocumentKinds::kPastDue);

    Listing listing;
    QHash<int, qsizetype> rowOfInvoice;
    QList<StoredNotice> notices;
    while (q.step()) {
        const std::optional<double> balance = StoredForm::readAmount(q.textAt(9));
        if (!balance) {
            listing.unreadable.append(q.intAt(0));
            continue;
        }
        Row row;
        row.invoiceNumber = q.intAt(0);
        row.customer = customerText(q.textAt(5), q.textAt(6));
        row.customerId = q.int64At(7);
        row.date = dateOf(q.textAt(3));
        // Written with every save from the due date set or the terms.
        row.dueDate = dateOf(q.textAt(4));
        row.paid = q.doubleAt(8);
        row.balance = *balance;
        row.settle(today);
        if (DocumentKinds::is(q.textAt(1), DocumentKinds::kPastDue)) {
            notices.append({q.textAt(2), std::move(row)});
        } else if (std::abs(row.balance) >= kHalfCent) {
            rowOfInvoice.insert(row.invoiceNumber, listing.rows.size());
            listing.rows.append(std::move(row));
        }
    }

    // A notice whose invoice is still stored adds no debt; only when the invoice is
    // gone is the notice all that is left of it.
    // Asked by number, for the few invoices notices name: no pass over every invoice.
    QHash<int, bool> stored;
    const auto isStoredInvoice = [&db, &stored](int number) {
        const auto known = stored.constFind(number);
        if (known != stored.constEnd())
            return *known;
        Statement invoice = db->prepare(QStringLiteral(
            "SELECT EXISTS(SELECT 1 FROM tblInvHeader WHERE intInvNumber = ? AND UPPER(strInvName) = UPPER(?))"));
        invoice.bindAll(number, DocumentKinds::kInvoice);
        const bool found = invoice.step() && invoice.intAt(0) != 0;
        stored.insert(number, found);
        return found;
    };
    // Notices of one deleted invoice still stand for one debt: the latest one shows it.
    QHash<int, qsizetype> rowOfLoneInvoice;
    for (StoredNotice &notice : notices) {
        const int source = PastDueLink::invoiceNamed(notice.from).value_or(0);
        if (source != 0 && isStoredInvoice(source)) {
            if (rowOfInvoice.contains(source)) {
                Row &row = listing.rows[rowOfInvoice.value(source)];
                row.noticeNumber = std::max(row.noticeNumber, notice.row.invoiceNumber);
            }
            continue;
        }
        if (std::abs(notice.row.balance) < kHalfCent)
            continue;
        notice.row.noticeNumber = notice.row.invoiceNumber;
        if (source != 0 && rowOfLoneInvoice.contains(source)) {
            Row &shown = listing.rows[rowOfLoneInvoice.value(source)];
            if (notice.row.invoiceNumber > shown.invoiceNumber)
                shown = notice.row;
            continue;
        }
        if (source != 0)
            rowOfLoneInvoice.insert(source, listing.rows.size());
        listing.rows.append(notice.row);
    }
    std::stable_sort(listing.rows.begin(), listing.rows.end(), [](const Row &a, const Row &b) {
        return a.dueDate != b.dueDate ? a.dueDate < b.dueDate : a.invoiceNumber < b.invoiceNumber;
    });
    return listing;
}

std::array<double, BucketCount> bucketTotals(const QList<Row> &rows)
{
    std::array<double, BucketCount> totals{};
    for (const Row &row : rows) {
        if (!row.isCredit())
            totals[std::size_t(row.bucket)] = Money::roundToCents(totals[std::size_t(row.bucket)] + row.balance);
    }
    return totals;
}

double creditTotal(const QList<Row> &rows)
{
    double credit = 0;
    for (const Row &row : rows) {
        if (row.isCredit())
            credit = Money::roundToCents(credit + row.balance);
    }
    return credit;
}

double Figures::owed() const
{
    double all = 0;
    for (const double bucket : buckets)
        all = Money::roundToCents(all + bucket);
    return all;
}

Figures figuresOf(const QList<Row> &rows)
{
    Figures figures;
    figures.buckets = bucketTotals(rows);
    figures.credit = creditTotal(rows);
    figures.customers = customerTotals(rows);
    figures.rows = int(rows.size());
    return figures;
}

namespace {

/// \a number's decimal digits start with \a digits.
bool numberStartsWith(int number, const QString &digits)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", number);
    if (digits.size() > length)
        return false;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digits.at(i) != QLatin1Char(text[i]))
            return false;
    }
    return true;
}

} // namespace

bool matchesSearch(const Row &row, const QString &search)
{
    const QString folded = search.trimmed().toCaseFolded();
    if (folded.isEmpty())
        return true;
    return row.customer.toCaseFolded().contains(folded) || numberStartsWith(row.invoiceNumber, folded)
        || (row.noticeNumber != 0 && numberStartsWith(row.noticeNumber, folded));
}

QList<CustomerTotal> customerTotals(const QList<Row> &rows)
{
    QList<CustomerTotal> totals;
    QHash<QString, qsizetype> index;
    for (const Row &row : rows) {
        const QString key = row.customerKey();
        if (!index.contains(key)) {
            index.insert(key, totals.size());
            totals.append({row.customer, {}, 0, 0});
        }
        CustomerTotal &total = totals[index.value(key)];
        double &part = row.isCredit() ? total.credit : total.buckets[std::size_t(row.bucket)];
        part = Money::roundToCents(part + row.balance);
        total.balance = Money::roundToCents(total.balance + row.balance);
    }
    // One collation key per customer rather than a collation per comparison.
    const QCollator collator;
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(std::size_t(totals.size()));
    for (qsizetype i = 0; i < totals.size(); ++i)
        keys.emplace_back(collator.sortKey(totals.at(i).customer), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    QList<CustomerTotal> sorted;
    sorted.reserve(totals.size());
    for (const auto &key : keys)
        sorted.append(std::move(totals[key.second]));
    return sorted;
}

} // namespace Receivables
