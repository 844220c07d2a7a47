#pragma once

#include <QLocale>
#include <QString>
#include <optional>

/// The two marks a decimal is written with; a file uses one of them throughout.
enum class DecimalMark { Point, Comma };

/// The one reader of amounts: what is typed into a field, what a CSV file holds and
/// what an older file stored. Every amount, whatever its way in, meets the same
/// decimal mark rules and the same largest amount.
namespace AmountReader {

/// The largest amount any price, payment or imported value may be: ten digits and
/// cents, as much as a price field (ten characters) and the payment field (thirteen)
/// take, and far inside what cents can count exactly.
inline constexpr double kLargest = 9'999'999'999.99;
/// The characters of an editor's price and quantity fields.
inline constexpr int kPriceFieldLength = 10;

[[nodiscard]] DecimalMark markOf(const QLocale &locale);
/// "point" or "comma".
[[nodiscard]] QString markName(DecimalMark mark);
[[nodiscard]] QChar markCharacter(DecimalMark mark);

/// Reads text typed into an amount field: digits, at most one decimal mark (the
/// locale's, or a point, so a text in the stored form reads as well) and an optional
/// leading minus. No thousands separators: in a typed amount every mark is decimal.
[[nodiscard]] std::optional<double> readTyped(const QString &text, const QLocale &locale);

/// Reads text written with \a mark as other programs write numbers: thousands may be
/// grouped by threes with the other mark, a blank or an apostrophe, a sign may lead
/// and an exponent may follow ("1.5E+3"). Empty when it is no number under \a mark.
[[nodiscard]] std::optional<double> readWritten(const QString &text, DecimalMark mark);

/// Whether \a value is inside the largest amount, either side of zero.
[[nodiscard]] bool withinLargest(double value);
/// The largest amount as \a locale writes numbers ("9,999,999,999.99").
[[nodiscard]] QString largestText(const QLocale &locale);
/// The one refusal of an amount above the largest; \a what names the field in lower
/// case ("amount", "labor price").
[[nodiscard]] QString tooLarge(const QString &what, const QString &text, const QLocale &locale);

/// What is wrong with \a text typed as \a what (not a number, or above the largest
/// amount), or nothing. Empty text is left to the caller.
[[nodiscard]] std::optional<QString> problem(const QString &what, const QString &text, const QLocale &locale);

} // namespace AmountReader
