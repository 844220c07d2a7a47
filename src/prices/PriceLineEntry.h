#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

class InvoiceLines;

/// One price-item line as the quick price entry and the line edit dialog show it:
/// the texts of its fields, which become the line's cells.
struct PriceLineEntry
{
    QString description;
    QString quantity;
    QString laborPrice;
    QString materialPrice;
    /// Typed lines are taxable in both parts; the taxes chosen on the document decide.
    bool laborTaxable = true;
    bool materialTaxable = true;

    /// The line at \a row of \a lines.
    [[nodiscard]] static PriceLineEntry fromRow(const InvoiceLines &lines, int row);

    /// Why the entry cannot become a line, for the user; nothing when it can. An empty
    /// price counts as zero, but the quantity must be given, and every given field must
    /// read as a number, or the document's totals could not be computed.
    [[nodiscard]] std::optional<QString> problem(const QLocale &locale) const;

    /// The cells of a new row: the computed cells (Price Each, Total, TaxTotal) stay
    /// empty for the totals to fill; an empty price becomes zero.
    [[nodiscard]] QStringList newRowCells(const QLocale &locale) const;

    /// Writes the entry into \a row; the computed cells are left to the totals.
    void writeTo(InvoiceLines &lines, int row, const QLocale &locale) const;
};

/// What an empty price field is stored as: "0.0", in the locale's decimal form so
/// the amount filter and the totals still read it.
[[nodiscard]] QString zeroPriceText(const QLocale &locale);

/// The quick price entry's "OK" after any change of \a entry, given whether it is
/// available now: it comes with a description, a price and a quantity, and once
/// there only an emptied quantity takes it away.
[[nodiscard]] bool quickPriceOkEnabled(bool enabledNow, const PriceLineEntry &entry);
