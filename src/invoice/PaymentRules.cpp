#include "PaymentRules.h"

#include "CurrentDocument.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "core/Prompts.h"
#include "data/DateText.h"

#include <QCoreApplication>
#include <algorithm>
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

QString nameOf(const TrecInvHeader &h)
{
    return h.strInvName + QLatin1Char(' ') + QString::number(h.intInvNumber);
}

/// Files written before marking had a method of its own hold it as "other" with
/// the note marking wrote.
bool recordedByMarking(const Payment &payment)
{
    return payment.method == Payments::kMarkedPaid
        || (payment.method == QLatin1String("other") && payment.note == QLatin1String("Paid In Full"));
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
    if (doc.invoiceOwed)
        return doc.invoiceOwed->received;
    return DocumentKinds::isDepositKind(doc.header.strInvName) ? Payments::sum(doc.payments)
                                                               : doc.header.dbPaidAmount;
}

double balance(const CurrentDocument &doc)
{
    if (doc.invoiceOwed)
        return doc.invoiceOwed->balance;
    const double open = Money::roundToCents(grandTotal(doc.totals) - received(doc));
    if (doc.header.strPaidInFull && canBePaidInFull(doc.header))
        return std::min(0.0, open);
    return open;
}

std::optional<QString> refusal(const CurrentDocument &doc)
{
    const TrecInvHeader &h = doc.header;
    if (!h.strRecurring || !DocumentKinds::is(h.strInvName, DocumentKinds::kInvoice))
        return std::nullopt;
    return QCoreApplication::translate("PaymentRules",
                                       "%1 is a recurring invoice: only its printed copies are owed. Record the "
                                       "payment on the copy it pays.")
        .arg(nameOf(h));
}

std::optional<QString> overpaymentQuestion(const CurrentDocument &doc, double amount, const QLocale &locale)
{
    const double owed = std::max(0.0, balance(doc));
    const double more = Money::roundToCents(amount - owed);
    if (more < kHalfCent)
        return std::nullopt;
    return QCoreApplication::translate("PaymentRules",
                                       "This is %1 more than the %2 still owed. Record it as a credit for the "
                                       "customer?")
        .arg(Money::currencyText(more, locale), Money::currencyText(owed, locale));
}

bool confirmPayment(const CurrentDocument &doc, double amount, Prompts &prompts, const QLocale &locale)
{
    if (const std::optional<QString> refused = refusal(doc)) {
        prompts.showError(*refused);
        return false;
    }
    const std::optional<QString> question = overpaymentQuestion(doc, amount, locale);
    return !question || prompts.ShowYesNo(*question, Prompts::No) == Prompts::Yes;
}

double askToRemoveMarkedPayment(CurrentDocument &doc, Prompts &prompts, const QLocale &locale)
{
    const auto marked = std::find_if(doc.payments.crbegin(), doc.payments.crend(), recordedByMarking);
    if (marked == doc.payments.crend())
        return 0;
    const double amount = marked->amount;
    const QString question = QCoreApplication::translate("PaymentRules",
                                                         "Marking %1 Paid In Full recorded a payment of %2. Remove "
                                                         "that payment, so it owes what it owed before?")
                                 .arg(nameOf(doc.header), Money::currencyText(amount, locale));
    if (prompts.ShowYesNo(question, Prompts::Yes) != Prompts::Yes)
        return 0;
    doc.payments.removeAt(std::distance(marked, doc.payments.crend()) - 1);
    return amount;
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
        {
            Payment marking = dated(today, owed, QT_TRANSLATE_NOOP("PaymentRules", "Paid In Full"));
            marking.method = Payments::kMarkedPaid;
            doc.payments.append(marking);
        }
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
