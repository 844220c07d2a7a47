#include "PriceSheetRows.h"

#include "PriceStore.h"
#include "invoice/Money.h"

namespace ListReports {

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

RowFeed RvCustomConnectionPrice(const QList<PriceItem> &items, const QLocale &locale)
{
    RowFeed feed{QStringLiteral("RvCustomConnectionPrice"),
                 {QStringLiteral("rvstrDescription"), QStringLiteral("rvstrLabPrice"), QStringLiteral("rvstrMatPrice"),
                  QStringLiteral("rvstrLabTaxable"), QStringLiteral("rvstrMatTaxable")},
                 {}};
    for (const PriceItem &item : items)
        feed.rows.append({item.strPrcItemName, Money::currencyText(item.dbLbrPrc, locale),
                          Money::currencyText(item.dbMatPrc, locale), boolText(item.strLabTax),
                          boolText(item.strMatTax)});
    return feed;
}

} // namespace ListReports
