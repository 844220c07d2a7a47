#pragma once

#include <QLocale>
#include <QString>
#include <optional>

/// Amount texts and the rounding to cents every printed figure is built from.
namespace Money {

/// Whole cents of \a amount: first to four decimals (nearest, ties to even), which
/// removes binary noise such as 2.675 -> 2.67499999..., then to cents half away from
/// zero. Empty when the amount is too large to hold in cents exactly.
[[nodiscard]] std::optional<qint64> toCents(double amount);

/// \a amount rounded to whole cents as toCents() does; unchanged when it is too
/// large for cents.
[[nodiscard]] double roundToCents(double amount);

/// The amount in the locale's currency format with two decimals.
[[nodiscard]] QString currencyText(double amount, const QLocale &locale);

/// A plain decimal number in the locale's form, without group separators, as the
/// line cells hold them ("13.5", "13,5").
[[nodiscard]] QString decimalText(double value, const QLocale &locale);

/// An amount as an amount field shows it to be edited: the locale's decimal mark and
/// two decimals (more only when the amount has more cents' fractions to keep), without
/// the group separators and currency sign the field does not take ("170.00", "12,50").
[[nodiscard]] QString fieldText(double amount, const QLocale &locale);

/// A stored amount (C form) in the locale's currency format; a stored text that is
/// no amount is shown as it stands.
[[nodiscard]] QString storedAmountText(const QString &stored, const QLocale &locale);

/// Reads a decimal typed or stored in the locale's form; the C form ("13.5") is
/// accepted too, so texts written under another locale still read. Thousands
/// separators are not: in such a text every mark is decimal (AmountReader).
[[nodiscard]] std::optional<double> parseDecimal(const QString &text, const QLocale &locale);

} // namespace Money
