#include "PaymentRules.h"

#include "CurrentDocument.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "core/Prompts.h"
#include "data/DateText.h"

#include <QCoreApplication>
#include <cmath>

namespace PaymentRules {

namespace {

// Stored amounts are cents held in doubles; anything under half a cent is noise.
constexpr double kHalfCent = 0.005;

Payment dated(QDate today, double amount, const char *note)
{
    Payment payment;
    payment.date = today;
    payment.amount = Money::roundToCents(amount);
    payment.note = QCoreApplication::translate("PaymentRules", note);
    return payment;
}

} // namespace

double grandTotal(const DocumentTotals &totals)
{
    const auto &lt = totals.LbrTotals;
    const auto &mt = totals.MatTotals;
    const double taxes = Money::roundToCents(lt[1] + lt[2] + lt[3] + mt[1] + mt[2] + mt[3]);
    return Money::roundToCents(lt[0] + mt[0] + taxes);
}

double received(const CurrentDocument &doc)
{
    return DocumentKinds::isDepositKind(doc.header.strInvName) ? Payments::sum(doc.payments)
                                                               : doc.header.dbPaidAmount;
}

double balance(const CurrentDocument &doc)
{
    if (doc.header.strPaidInFull && canBePaidInFull(doc.header))
        return 0;
    return Money::roundToCents(grandTotal(doc.totals) - received(doc));
}

bool canBePaidInFull(const TrecInvHeader &header)
{
    return DocumentKinds::is(header.strInvName, DocumentKinds::kInvoice);
}

bool record(CurrentDocument &doc, const Payment &payment)
{
    TrecInvHeader &h = doc.header;
    doc.payments.append(payment);
    h.dbPaidAmount = Payments::sum(doc.payments);
    // A recurring original is a pattern for the copies that are owed: never paid in full.
    if (!canBePaidInFull(h) || h.strPaidInFull || h.strRecurring || balance(doc) >= kHalfCent)
        return false;
    h.strPaidInFull = true;
    return true;
}

bool askAndRemove(CurrentDocument &doc, int index, Prompts &prompts, const QLocale &locale)
{
    if (index < 0 || index >= doc.payments.size())
        return false;
    TrecInvHeader &h = doc.header;
    const Payment &payment = doc.payments.at(index);
    const QString name = h.strInvName + QLatin1Char(' ') + QString::number(h.intInvNumber);
    const QString when = payment.date.isValid() ? DateText::shortDate(payment.date, locale)
                                                : QCoreApplication::translate("PaymentRules", "no date");
    const QString question = QCoreApplication::translate("PaymentRules", "Remove the payment of %1 (%2) from %3?")
                                 .arg(Money::currencyText(payment.amount, locale), when, name);
    if (prompts.ShowYesNo(question, Prompts::No) != Prompts::Yes)
        return false;
    doc.payments.removeAt(index);
    h.dbPaidAmount = Payments::sum(doc.payments);
    if (h.strPaidInFull && canBePaidInFull(h)) {
        const QString unmark = QCoreApplication::translate(
                                   "PaymentRules", "%1 is marked Paid In Full. Take the mark off, so it is owed again?")
                                   .arg(name);
        if (prompts.ShowYesNo(unmark, Prompts::No) == Prompts::Yes)
            h.strPaidInFull = false;
    }
    return true;
}

void settle(CurrentDocument &doc, const TrecSavedData &saved, bool isNew, QDate today)
{
    TrecInvHeader &h = doc.header;
    if (!DocumentKinds::isDepositKind(h.strInvName)) {
        const double typed = Money::roundToCents(h.dbPaidAmount - Payments::sum(doc.payments));
        if (std::abs(typed) >= kHalfCent) {
            doc.payments.append(
                dated(today, typed, QT_TRANSLATE_NOOP("PaymentRules", "Amount Paid entered on the document")));
        }
        // Paid in full as an invoice only now: new, newly marked, or just converted.
        const bool wasPaidInvoice = saved.strPaidInFull && DocumentKinds::is(saved.strInvName, DocumentKinds::kInvoice);
        const bool newlyPaid = h.strPaidInFull && canBePaidInFull(h) && (isNew || !wasPaidInvoice);
        const double owed = Money::roundToCents(grandTotal(doc.totals) - Payments::sum(doc.payments));
        if (newlyPaid && owed >= kHalfCent)
            doc.payments.append(dated(today, owed, QT_TRANSLATE_NOOP("PaymentRules", "Paid In Full")));
    }
    h.dbPaidAmount = Payments::sum(doc.payments);
}

void startWithoutPayments(CurrentDocument &doc)
{
    doc.payments.clear();
    doc.header.dbPaidAmount = 0;
    doc.header.strPaidInFull = false;
}

} // namespace PaymentRules
