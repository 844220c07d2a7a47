#include "PaidAndDeposit.h"

#include "core/AmountReader.h"
#include "core/Prompts.h"
#include "invoice/CurrentDocument.h"
#include "invoice/DocumentKinds.h"
#include "invoice/InvoiceRecords.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"

namespace PaidAndDeposit {

Group groupOf(const QString &kind)
{
    using namespace DocumentKinds;
    if (isDepositKind(kind))
        return Group::Deposit;
    if (is(kind, kInvoice) || is(kind, kCredit) || is(kind, kPastDue))
        return Group::Paid;
    return Group::Other;
}

std::optional<Wording> wordingFor(Group group)
{
    switch (group) {
    case Group::Deposit:
        return Wording{QStringLiteral("Deposit Amount"), QStringLiteral("Deposit Amount required"),
                       QStringLiteral("Enter Deposit Amount required")};
    case Group::Paid:
        return Wording{QStringLiteral("Amount Paid"), QStringLiteral("Amount Paid"), QStringLiteral("Enter Amount Paid")};
    case Group::Other:
        break;
    }
    return std::nullopt;
}

QString amountText(const TrecInvHeader &header, const QLocale &locale)
{
    switch (groupOf(header.strInvName)) {
    case Group::Deposit:
        return Money::fieldText(header.dbDepositAmount, locale);
    case Group::Paid:
        return Money::fieldText(header.dbPaidAmount, locale);
    case Group::Other:
        break;
    }
    return {};
}

QString recommendedDeposit(int depositPercent, double total, const QLocale &locale)
{
    return Money::currencyText(depositPercent / 100.0 * total, locale);
}

std::optional<QString> apply(TrecInvHeader &header, const QString &amount, bool paidInFull, const QLocale &locale)
{
    double value = 0;
    if (!amount.isEmpty()) {
        if (const std::optional<QString> problem = AmountReader::problem(QStringLiteral("amount"), amount, locale))
            return problem;
        value = *Money::parseDecimal(amount, locale);
    }
    switch (groupOf(header.strInvName)) {
    case Group::Deposit:
        header.dbDepositAmount = value;
        break;
    case Group::Paid:
        header.dbPaidAmount = value;
        break;
    case Group::Other:
        break;
    }
    header.strPaidInFull = paidInFull;
    return std::nullopt;
}

bool confirmPaidAmount(CurrentDocument &doc, TrecInvHeader &changed, Prompts &prompts, const QLocale &locale)
{
    if (groupOf(changed.strInvName) != Group::Paid)
        return true;
    const double added = Money::roundToCents(changed.dbPaidAmount - PaymentRules::received(doc));
    if (added > 0 && !PaymentRules::confirmPayment(doc, added, prompts, locale))
        return false;
    if (doc.header.strPaidInFull && !changed.strPaidInFull && PaymentRules::canBePaidInFull(doc.header)) {
        const double removed = PaymentRules::askToRemoveMarkedPayment(doc, prompts, locale);
        changed.dbPaidAmount = Money::roundToCents(changed.dbPaidAmount - removed);
    }
    return true;
}

} // namespace PaidAndDeposit
