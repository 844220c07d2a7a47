#include "CustomerStatement.h"

#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "Receivables.h"
#include "StoredDocuments.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <tuple>

namespace CustomerStatement {

namespace {

constexpr double kHalfCent = 0.005;

QString tr(const char *text)
{
    return QCoreApplication::translate("CustomerStatement", text);
}

/// The past-due notices that carry a debt themselves: their invoice is gone. Of
/// several for one invoice, the latest.
QSet<int> noticesStandingAlone(DataContext &context, const QList<StoredDocuments::Summary> &docs)
{
    QHash<QString, int> latest;
    for (const StoredDocuments::Summary &doc : docs) {
        const TrecInvHeader &h = doc.header;
        if (DocumentKinds::is(h.strInvName, DocumentKinds::kPastDue)
            && Receivables::debtCarrier(context, h.intInvNumber) == h.intInvNumber)
            latest[h.strFromInvNameNumber] = std::max(latest.value(h.strFromInvNameNumber), h.intInvNumber);
    }
    return {latest.cbegin(), latest.cend()};
}

/// A statement row with where it stands among the rows of its date: documents
/// first (by number, each followed by what settles it), then payments as recorded.
struct Placed
{
    Entry entry;
    bool isPayment = false;
    qint64 sequence = 0;
    int within = 0;

    [[nodiscard]] bool operator<(const Placed &other) const
    {
        return std::tuple(entry.date, isPayment, sequence, within)
            < std::tuple(other.entry.date, other.isPayment, other.sequence, other.within);
    }
};

/// Every dated movement of \a doc on the customer's account; \a standsAlone for a
/// notice whose invoice is gone, which then charges in its place.
QList<Placed> entriesOf(const StoredDocuments::Summary &doc, bool standsAlone)
{
    using namespace DocumentKinds;
    using Column = Entry::Column;
    const TrecInvHeader &h = doc.header;
    const QDate date = h.strInvDate;
    QList<Placed> entries;
    const auto ofDocument = [&](const QString &text, double amount, Column column) {
        entries.append({{date, text, amount, 0, column}, false, h.intInvNumber, int(entries.size())});
    };
    if (is(h.strInvName, kInvoice)) {
        ofDocument(doc.name(), doc.total, Column::Charges);
        const double shortfall = Money::roundToCents(doc.total - doc.received());
        if (h.strPaidInFull && shortfall >= kHalfCent)
            ofDocument(tr("%1 marked Paid In Full").arg(doc.name()), -shortfall, Column::Payments);
    } else if (is(h.strInvName, kCredit)) {
        // An invoice turned into a credit in place: its sale is shown, then undone.
        if (StoredDocuments::isInvoiceTurnedCredit(h))
            ofDocument(h.strFromInvNameNumber, doc.total, Column::Charges);
        ofDocument(doc.name(), -doc.total, Column::Payments);
    } else if (is(h.strInvName, kPastDue)) {
        if (!standsAlone)
            return entries;
        ofDocument(doc.name(), doc.total, Column::Charges);
    }
    for (const Payment &payment : doc.payments) {
        QString text = (isDepositKind(h.strInvName) ? tr("Deposit for %1") : tr("Payment for %1")).arg(doc.name());
        if (payment.method == Payments::kRefund)
            text = tr("Refund of credit on %1").arg(doc.name());
        else if (payment.method == Payments::kFromCredit)
            text = (payment.amount < 0 ? tr("Credit on %1 used") : tr("Credit used on %1")).arg(doc.name());
        if (!payment.reference.isEmpty())
            text += QStringLiteral(" (%1)").arg(payment.reference);
        entries.append({{payment.date.isValid() ? payment.date : date, text, -payment.amount, 0, Column::Payments},
                        true, payment.id, 0});
    }
    return entries;
}

} // namespace

QString Customer::text() const
{
    return Receivables::customerText(company, name);
}

Account build(DocumentContext &context, const Customer &customer, QDate from, QDate to)
{
    if (from > to)
        std::swap(from, to);
    const QList<int> numbers = customer.id != 0
        ? StoredDocuments::numbers(context,
                                   QStringLiteral("SELECT intInvNumber FROM tblInvHeader WHERE intCustomerID = ? "
                                                  "AND strRecurring = '0' ORDER BY intInvNumber"),
                                   {customer.id})
        : StoredDocuments::numbers(context,
                                   QStringLiteral("SELECT intInvNumber FROM tblInvHeader WHERE intCustomerID = 0 "
                                                  "AND strCustCmpnyName = ? AND strCustFullName = ? "
                                                  "AND strRecurring = '0' ORDER BY intInvNumber"),
                                   {customer.company, customer.name});
    const QList<StoredDocuments::Summary> docs = StoredDocuments::load(context, numbers);
    const QSet<int> alone = noticesStandingAlone(context, docs);
    QList<Placed> all;
    for (const StoredDocuments::Summary &doc : docs)
        all += entriesOf(doc, alone.contains(doc.header.intInvNumber));
    std::stable_sort(all.begin(), all.end());

    Account statement{from, to, 0, {}, 0};
    double balance = 0;
    for (const Placed &placed : all) {
        Entry entry = placed.entry;
        if (entry.date > to)
            break;
        balance = Money::roundToCents(balance + entry.amount);
        if (entry.date < from) {
            statement.openingBalance = balance;
            continue;
        }
        entry.balance = balance;
        statement.entries.append(entry);
    }
    statement.amountDue = balance;
    return statement;
}

Customer customerOf(DataContext &context, int number)
{
    const auto db = context.openDatabase();
    Statement q = db->prepare(QStringLiteral(
        "SELECT intCustomerID, strCustCmpnyName, strCustFullName FROM tblInvHeader WHERE intInvNumber = ?"));
    q.bindAll(number);
    q.step();
    return {q.int64At(0), q.textAt(1), q.textAt(2)};
}

QList<Customer> customersWithDocuments(DataContext &context)
{
    const auto db = context.openDatabase();
    Statement q = db->prepare(QStringLiteral(
        "SELECT intCustomerID, MAX(strCustCmpnyName), MAX(strCustFullName) FROM tblInvHeader "
        "WHERE intCustomerID <> 0 GROUP BY intCustomerID "
        "UNION ALL SELECT 0, strCustCmpnyName, strCustFullName FROM tblInvHeader WHERE intCustomerID = 0 "
        "GROUP BY strCustCmpnyName, strCustFullName"));
    QList<Customer> customers;
    while (q.step())
        customers.append({q.int64At(0), q.textAt(1), q.textAt(2)});
    // In the order the user reads them: a name alone sorts among the companies.
    std::stable_sort(customers.begin(), customers.end(), [](const Customer &a, const Customer &b) {
        return QString::localeAwareCompare(a.text(), b.text()) < 0;
    });
    return customers;
}

} // namespace CustomerStatement
