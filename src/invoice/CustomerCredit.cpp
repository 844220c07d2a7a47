#include "CustomerCredit.h"

#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "DocumentStore.h"
#include "Money.h"
#include "PaymentRules.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/StoredForm.h"

#include <QCoreApplication>
#include <sqlite3.h>

namespace CustomerCredit {

namespace {

constexpr double kHalfCent = 0.005;

QString tr(const char *text)
{
    return QCoreApplication::translate("CustomerCredit", text);
}

QString nameOf(const TrecInvHeader &h)
{
    return h.strInvName + QLatin1Char(' ') + QString::number(h.intInvNumber);
}

[[noreturn]] void refuse(const QString &why)
{
    throw DbError(SQLITE_CONSTRAINT, why);
}

/// \a doc loaded from \a db under \a number.
void loadOn(DocumentContext &context, Database &db, CurrentDocument &doc, int number)
{
    doc.header.blnNewInvoice = false;
    doc.header.intInvNumber = number;
    DocumentStore(context, doc).pLoadInvoice(db);
}

} // namespace

QList<Source> sources(DocumentContext &context, Database &db, const TrecInvHeader &header)
{
    // Only documents whose stored balance is below zero can hold a credit.
    const QString customer = header.intCustomerID != 0
        ? QStringLiteral("intCustomerID = ?")
        : QStringLiteral("intCustomerID = 0 AND strCustCmpnyName = ? AND strCustFullName = ?");
    Statement q = db.prepare(QStringLiteral("SELECT intInvNumber FROM tblInvHeader WHERE %1 AND intInvNumber <> ? "
                                            "AND strRecurring = '0' AND strInvTotal LIKE '-%' "
                                            "AND UPPER(strInvName) IN (UPPER(?), UPPER(?)) ORDER BY intInvNumber")
                                 .arg(customer));
    int index = 0;
    if (header.intCustomerID != 0) {
        q.bind(++index, header.intCustomerID);
    } else {
        q.bind(++index, header.strCustCmpnyName);
        q.bind(++index, header.strCustFullName);
    }
    q.bind(++index, header.intInvNumber);
    q.bind(++index, DocumentKinds::kInvoice);
    q.bind(++index, DocumentKinds::kPastDue);
    QList<int> numbers;
    while (q.step())
        numbers.append(q.intAt(0));

    QList<Source> found;
    CurrentDocument scratch(context.edition());
    for (int number : numbers) {
        loadOn(context, db, scratch, number);
        // A notice whose invoice is stored shows that invoice's credit, not one of its own.
        if (scratch.invoiceOwed)
            continue;
        const double credit = -PaymentRules::balance(scratch);
        if (credit >= kHalfCent)
            found.append({number, credit});
    }
    return found;
}

double available(DocumentContext &context, const TrecInvHeader &header)
{
    const auto db = context.openDatabase();
    double sum = 0;
    for (const Source &source : sources(context, *db, header))
        sum = Money::roundToCents(sum + source.credit);
    return sum;
}

Payment payingFromCredit(const CurrentDocument &doc, double amount, QDate date, const QLocale &locale)
{
    if (const std::optional<QString> refused = PaymentRules::refusal(doc))
        refuse(*refused);
    const double cents = Money::roundToCents(amount);
    if (cents < kHalfCent)
        refuse(tr("The amount to pay from the customer's credit must be more than zero."));
    const double owed = std::max(0.0, PaymentRules::balance(doc));
    if (cents - owed >= kHalfCent) {
        refuse(tr("%1 owes %2; %3 of credit cannot be used on it.")
                   .arg(nameOf(doc.header), Money::currencyText(owed, locale), Money::currencyText(cents, locale)));
    }
    Payment payment;
    payment.date = date;
    payment.amount = cents;
    payment.method = Payments::kFromCredit;
    payment.note = tr("From the customer's credit");
    return payment;
}

void take(DocumentContext &context, Database &db, const TrecInvHeader &target, double amount, QDate date)
{
    const QList<Source> found = sources(context, db, target);
    double held = 0;
    for (const Source &source : found)
        held = Money::roundToCents(held + source.credit);
    double left = Money::roundToCents(amount);
    if (left - held >= kHalfCent) {
        refuse(tr("The customer's credit is %1 now, less than the %2 to be used on %3.")
                   .arg(Money::currencyText(held, context.locale), Money::currencyText(left, context.locale),
                        nameOf(target)));
    }
    CurrentDocument from(context.edition());
    for (const Source &source : found) {
        if (left < kHalfCent)
            break;
        const double used = std::min(left, source.credit);
        left = Money::roundToCents(left - used);
        loadOn(context, db, from, source.number);
        Payment moved;
        moved.date = date;
        moved.amount = -Money::roundToCents(used);
        moved.method = Payments::kFromCredit;
        moved.reference = nameOf(target);
        moved.note = tr("Credit used on %1").arg(nameOf(target));
        from.payments.append(moved);
        from.header.dbPaidAmount = Payments::sum(from.payments);
        Payments::store(db, source.number, from.payments);
        // Only its payments change: its totals, mark and posting stay as they are.
        Statement update = db.prepare(QStringLiteral(
            "UPDATE tblInvHeader SET dbPaidAmount = ?, strInvTotal = ?, intRowVersion = intRowVersion + 1 "
            "WHERE intInvNumber = ? AND intRowVersion = ?"));
        update.bindAll(from.header.dbPaidAmount, StoredForm::amountText(PaymentRules::balance(from)), source.number,
                       from.saved.intRowVersion);
        update.run();
        if (db.changes() != 1)
            refuse(tr("%1 changed while its credit was used. Try again.").arg(nameOf(from.header)));
    }
}

void refund(CurrentDocument &doc, double amount, QDate date, const QLocale &locale)
{
    const double cents = Money::roundToCents(amount);
    if (cents < kHalfCent)
        refuse(tr("The amount given back must be more than zero."));
    const double credit = std::max(0.0, -PaymentRules::balance(doc));
    if (cents - credit >= kHalfCent) {
        refuse(tr("%1 holds a credit of %2; %3 cannot be given back from it.")
                   .arg(nameOf(doc.header), Money::currencyText(credit, locale), Money::currencyText(cents, locale)));
    }
    Payment given;
    given.date = date;
    given.amount = -cents;
    given.method = Payments::kRefund;
    given.note = tr("Given back to the customer");
    doc.payments.append(given);
    doc.header.dbPaidAmount = Payments::sum(doc.payments);
}

} // namespace CustomerCredit
