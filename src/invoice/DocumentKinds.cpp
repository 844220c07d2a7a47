#include "DocumentKinds.h"

#include "core/Edition.h"
#include "company/CompanyRecord.h"
#include "data/DateText.h"

namespace DocumentKinds {

bool isDepositKind(const QString &name)
{
    return is(name, kEstimate) || is(name, kWorkOrder) || is(name, kChangeOrder);
}

QColor colorOf(const QString &name, const CompanyRecord &company)
{
    if (is(name, kEstimate))
        return company.EstColor;
    if (is(name, kWorkOrder))
        return company.WrkOrderColor;
    if (is(name, kChangeOrder))
        return company.ChngOrderColor;
    if (is(name, kInvoice))
        return company.InvColor;
    if (is(name, kCredit))
        return company.CrdtColor;
    if (is(name, kPastDue))
        return company.PstDueColor;
    return {};
}

QString GetInvoiceTitle(const TitleSource &document, int numEstDays, const Edition &edition, const QLocale &locale)
{
    if (!edition.showsSubtitles())
        return {};

    const auto validUntil = [&](const QString &prefix) -> QString {
        if (numEstDays <= 0)
            return {};
        if (!document.strInvDate.isValid())
            return {};
        return prefix + DateText::shortDate(document.strInvDate.addDays(numEstDays), locale);
    };

    const QString &kind = document.strInvName;
    if (is(kind, kEstimate))
        return validUntil(QStringLiteral("Estimate Valid Until "));
    if (is(kind, kChangeOrder))
        return validUntil(QStringLiteral("Change Order Valid Until "));
    if (is(kind, kCredit) && !document.strFromInvNameNumber.isEmpty())
        return QStringLiteral("Credit for ") + document.strFromInvNameNumber;
    if (is(kind, kPastDue) && !document.strFromInvNameNumber.isEmpty())
        return QStringLiteral("Past Due Notice for ") + document.strFromInvNameNumber;
    return {};
}

} // namespace DocumentKinds
