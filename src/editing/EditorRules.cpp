#include "EditorRules.h"

#include "company/CompanyRecord.h"
#include "invoice/DocumentKinds.h"
#include "invoice/InvoiceRecords.h"

namespace EditorRules {

KindChoice pLoadInvNames(const QStringList &invoiceTypes, const QString &kind, bool newDocument)
{
    using namespace DocumentKinds;
    if (newDocument)
        return {invoiceTypes, true};

    // The road a document travels; the last three kinds are ends in themselves.
    static const QStringList road{kEstimate, kWorkOrder, kChangeOrder, kInvoice, kCredit, kPastDue};
    const auto positionOf = [](const QString &name) -> qsizetype {
        for (qsizetype i = 0; i < road.size(); ++i) {
            if (is(name, road.at(i)))
                return i;
        }
        return -1;
    };
    const qsizetype first = positionOf(kind);
    if (first < 0)
        return {invoiceTypes, true};
    const qsizetype invoice = positionOf(kInvoice);
    const qsizetype last = std::max(first, invoice);

    KindChoice choice;
    choice.enabled = first < invoice;
    for (const QString &offered : invoiceTypes) {
        const qsizetype position = positionOf(offered);
        if (position >= first && position <= last)
            choice.kinds << offered;
    }
    return choice;
}

QString customerBlock(const TrecInvHeader &h)
{
    QStringList lines;
    for (const QString *field : {&h.strCustCmpnyName, &h.strCustFullName, &h.strCustAddress, &h.strCustCtyStZp,
                                 &h.strCustMainPhone, &h.strCustExtraPhone1, &h.strCustExtraPhone2}) {
        if (!field->isEmpty())
            lines << *field;
    }
    if (!h.strCustNotes.isEmpty())
        lines << QString() << QStringLiteral("Notes ( Not Printed ):") << h.strCustNotes;
    return lines.join(QLatin1Char('\n'));
}

std::optional<PaidDepositWording> paidDepositWording(const QString &kind)
{
    using namespace DocumentKinds;
    if (isDepositKind(kind))
        return PaidDepositWording{QStringLiteral("Deposit Required"), QStringLiteral("Set a Deposit Amount"),
                                  QStringLiteral("Deposit Required")};
    if (is(kind, kInvoice) || is(kind, kCredit) || is(kind, kPastDue))
        return PaidDepositWording{QStringLiteral("Amount Paid"), QStringLiteral("Enter an Amount Paid"),
                                  QStringLiteral("Amount Paid")};
    return std::nullopt;
}

bool taxRatesDiffer(const TrecInvHeader &header, const TrecCmpnyInvData &company)
{
    return header.dbTaxRate1 != company.dbTaxRate1 || header.dbTaxRate2 != company.dbTaxRate2
        || header.dbTaxRate3 != company.dbTaxRate3;
}

QString taxRatesQuestion(const TrecInvHeader &header)
{
    return QStringLiteral("Saved Tax Rates for ") + header.strInvName + QLatin1Char(' ')
        + QString::number(header.intInvNumber) + QStringLiteral(" are different than current Tax Rates, ")
        + QStringLiteral("Do you want to update to current Tax Rates?");
}

void useCurrentTaxRates(TrecInvHeader &header, const TrecCmpnyInvData &company)
{
    header.dbTaxRate1 = company.dbTaxRate1;
    header.dbTaxRate2 = company.dbTaxRate2;
    header.dbTaxRate3 = company.dbTaxRate3;
}

} // namespace EditorRules
