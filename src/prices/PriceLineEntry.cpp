#include "PriceLineEntry.h"

#include "core/AmountReader.h"
#include "data/BoolText.h"
#include "invoice/InvoiceLines.h"
#include "invoice/Money.h"

namespace {

/// A zero price shows with one decimal, so typing after it gives cents ("0.05").
QString priceText(double price, const QLocale &locale)
{
    return price == 0 ? QLatin1Char('0') + locale.decimalPoint() + QLatin1Char('0') : Money::decimalText(price, locale);
}

} // namespace

PriceLineEntry PriceLineEntry::fromLine(const PriceLine &line, const QLocale &locale)
{
    return {.description = line.description,
            .quantity = Money::decimalText(line.quantity, locale),
            .laborPrice = priceText(line.laborPrice, locale),
            .materialPrice = priceText(line.materialPrice, locale),
            .laborTaxable = line.laborTaxable,
            .materialTaxable = line.materialTaxable};
}

std::optional<QString> PriceLineEntry::problem(const QLocale &locale) const
{
    if (quantity.isEmpty())
        return QStringLiteral("Enter a Quantity for this Price Item.");
    const std::pair<const QString *, QString> amounts[] = {{&quantity, QStringLiteral("quantity")},
                                                           {&laborPrice, QStringLiteral("labor price")},
                                                           {&materialPrice, QStringLiteral("material price")}};
    for (const auto &[text, what] : amounts) {
        if (text->isEmpty())
            continue;
        if (const std::optional<QString> problem = AmountReader::problem(what, *text, locale))
            return problem;
    }
    return std::nullopt;
}

std::optional<PriceLine> PriceLineEntry::toLine(const QLocale &locale) const
{
    if (problem(locale))
        return std::nullopt;
    const auto amount = [&locale](const QString &text) {
        return text.isEmpty() ? 0.0 : *Money::parseDecimal(text, locale);
    };
    return PriceLine{.description = description,
                     .quantity = amount(quantity),
                     .laborPrice = amount(laborPrice),
                     .materialPrice = amount(materialPrice),
                     .laborTaxable = laborTaxable,
                     .materialTaxable = materialTaxable};
}

bool quickPriceOkEnabled(bool enabledNow, const PriceLineEntry &entry)
{
    if (entry.description.isEmpty())
        return enabledNow;
    if (entry.laborPrice.isEmpty() && entry.materialPrice.isEmpty())
        return enabledNow;
    return !entry.quantity.isEmpty();
}
