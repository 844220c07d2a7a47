#include "PriceLineEntry.h"

#include "core/AllowNumDecimalOnly.h"
#include "data/BoolText.h"
#include "invoice/InvoiceLines.h"
#include "invoice/Money.h"

namespace {

QString priceOrZero(const QString &text, const QLocale &locale)
{
    return text.isEmpty() ? zeroPriceText(locale) : text;
}

} // namespace

QString zeroPriceText(const QLocale &locale)
{
    return QLatin1Char('0') + locale.decimalPoint() + QLatin1Char('0');
}

PriceLineEntry PriceLineEntry::fromRow(const InvoiceLines &lines, int row)
{
    PriceLineEntry entry;
    entry.description = lines.cell(row, InvoiceLines::Description);
    entry.quantity = lines.cell(row, InvoiceLines::Quantity);
    entry.laborPrice = lines.cell(row, InvoiceLines::LabPrice);
    entry.materialPrice = lines.cell(row, InvoiceLines::MatPrice);
    entry.laborTaxable = BoolText::parse(lines.cell(row, InvoiceLines::LabTax)).value_or(false);
    entry.materialTaxable = BoolText::parse(lines.cell(row, InvoiceLines::MatTax)).value_or(false);
    return entry;
}

std::optional<QString> PriceLineEntry::problem(const QLocale &locale) const
{
    if (quantity.isEmpty())
        return QStringLiteral("Enter a Quantity for this Price Item.");
    const std::pair<const QString *, QString> amounts[] = {{&quantity, QStringLiteral("quantity")},
                                                           {&laborPrice, QStringLiteral("labor price")},
                                                           {&materialPrice, QStringLiteral("material price")}};
    for (const auto &[text, what] : amounts) {
        if (!text->isEmpty() && !Money::parseDecimal(*text, locale))
            return AllowNumDecimalOnly::notANumber(what, *text, locale);
    }
    return std::nullopt;
}

QStringList PriceLineEntry::newRowCells(const QLocale &locale) const
{
    QStringList cells(InvoiceLines::PriceColumnCount);
    cells[InvoiceLines::Description] = description;
    cells[InvoiceLines::Quantity] = quantity;
    cells[InvoiceLines::LabPrice] = priceOrZero(laborPrice, locale);
    cells[InvoiceLines::LabTax] = BoolText::from(laborTaxable);
    cells[InvoiceLines::MatPrice] = priceOrZero(materialPrice, locale);
    cells[InvoiceLines::MatTax] = BoolText::from(materialTaxable);
    return cells;
}

void PriceLineEntry::writeTo(InvoiceLines &lines, int row, const QLocale &locale) const
{
    lines.setCell(row, InvoiceLines::Description, description);
    lines.setCell(row, InvoiceLines::Quantity, quantity);
    lines.setCell(row, InvoiceLines::LabPrice, priceOrZero(laborPrice, locale));
    lines.setCell(row, InvoiceLines::LabTax, BoolText::from(laborTaxable));
    lines.setCell(row, InvoiceLines::MatPrice, priceOrZero(materialPrice, locale));
    lines.setCell(row, InvoiceLines::MatTax, BoolText::from(materialTaxable));
}

bool quickPriceOkEnabled(bool enabledNow, const PriceLineEntry &entry)
{
    if (entry.description.isEmpty())
        return enabledNow;
    if (entry.laborPrice.isEmpty() && entry.materialPrice.isEmpty())
        return enabledNow;
    return !entry.quantity.isEmpty();
}
