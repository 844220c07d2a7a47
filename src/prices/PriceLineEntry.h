#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

struct PriceLine;

/// One price-item line as the quick price entry and the line edit dialog show it:
/// the texts of its fields.
struct PriceLineEntry
{
    QString description;
    QString quantity;
    QString laborPrice;
    QString materialPrice;
    /// Typed lines are taxable in both parts; the taxes chosen on the document decide.
    bool laborTaxable = true;
    bool materialTaxable = true;

    /// The fields of \a line, in \a locale.
    [[nodiscard]] static PriceLineEntry fromLine(const PriceLine &line, const QLocale &locale);

    /// Why the entry cannot become a line, for the user; nothing when it can. An empty
    /// price counts as zero, but the quantity must be given, and every given field must
    /// read as a number, or the document's totals could not be computed.
    [[nodiscard]] std::optional<QString> problem(const QLocale &locale) const;

    /// The line the fields make, an empty price being zero; nothing while problem()
    /// has something to say.
    [[nodiscard]] std::optional<PriceLine> toLine(const QLocale &locale) const;
};

/// The quick price entry's "OK" after any change of \a entry, given whether it is
/// available now: it comes with a description, a price and a quantity, and once
/// there only an emptied quantity takes it away.
[[nodiscard]] bool quickPriceOkEnabled(bool enabledNow, const PriceLineEntry &entry);
