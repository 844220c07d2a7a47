#include "PaymentEntry.h"

#include "core/AllowNumDecimalOnly.h"
#include "core/AmountReader.h"
#include "invoice/CurrentDocument.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"

#include <QCoreApplication>

namespace PaymentEntry {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PaymentEntry", text);
}

} // namespace

std::variant<Payment, QString> read(const Typed &typed, const QLocale &locale)
{
    if (!typed.date.isValid())
        return tr("Type the date the payment was received.");
    if (typed.amount.trimmed().isEmpty())
        return tr("Type the amount received.");
    const std::optional<double> amount = Money::parseDecimal(typed.amount.trimmed(), locale);
    if (!amount)
        return AllowNumDecimalOnly::notANumber(tr("amount"), typed.amount, locale);
    const double cents = Money::roundToCents(*amount);
    if (cents <= 0)
        return tr("The amount received must be more than zero.");
    if (!AmountReader::withinLargest(cents))
        return AmountReader::tooLarge(tr("amount"), typed.amount.trimmed(), locale);
    Payment payment;
    payment.date = typed.date;
    payment.amount = cents;
    payment.method = Payments::methods().contains(typed.method) ? typed.method : QStringLiteral("other");
    payment.reference = typed.reference.trimmed();
    payment.note = typed.note.trimmed();
    return payment;
}

QString suggestedAmount(const CurrentDocument &document, const QLocale &locale)
{
    // A deposit kind is not billed yet: what is asked for now is the deposit.
    const double owed = DocumentKinds::isDepositKind(document.header.strInvName)
        ? Money::roundToCents(document.header.dbDepositAmount - PaymentRules::received(document))
        : PaymentRules::balance(document);
    return owed >= 0.005 ? Money::fieldText(owed, locale) : QString();
}

} // namespace PaymentEntry
