#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

/// The one form dates, date-times and amounts take in the file, whatever the user's
/// locale: dates yyyy-MM-dd, date-times yyyy-MM-ddTHH:mm:ss, decimals in C form. So a
/// change of desktop language can never change a stored value, and SQL can sort and
/// select ranges on them. Only what is shown follows the locale (DateText, Money).
namespace StoredForm {

/// "2027-01-05"; empty text for an invalid date (no date).
[[nodiscard]] QString dateText(QDate date);
/// Reads the stored date form only; empty when \a text is not one.
[[nodiscard]] std::optional<QDate> readDate(const QString &text);

/// Date-times are wall-clock values (8:00 on a given day), not instants; they are
/// given back as UTC times so no daylight-saving rule can move them.
[[nodiscard]] QDateTime wallClock(QDate date, QTime time = QTime(0, 0));
/// "2026-12-14T08:00:00"; empty text for an invalid date-time.
[[nodiscard]] QString dateTimeText(const QDateTime &when);
[[nodiscard]] std::optional<QDateTime> readDateTime(const QString &text);

/// Shortest C-form decimal that reads back as the same double ("125.5", "-3").
[[nodiscard]] QString amountText(double value);
/// Reads a C-form decimal only (no group separators, no currency); finite values.
[[nodiscard]] std::optional<double> readAmount(const QString &text);

/// Readers of the texts older files hold: what the program wrote under \a locale
/// (the user's, the one they were most likely written in), then the stored form.
namespace Legacy {

/// The locale's short date with a four-digit year, then yyyy-MM-dd.
[[nodiscard]] std::optional<QDate> readDate(const QString &text, const QLocale &locale);
/// The locale's short date, a blank and its long time (the time left out at
/// midnight), then the ISO form.
[[nodiscard]] std::optional<QDateTime> readDateTime(const QString &text, const QLocale &locale);
/// A decimal as written in the locale (thousands grouped by threes), then the C form.
[[nodiscard]] std::optional<double> readDecimal(const QString &text, const QLocale &locale);
/// A currency text as the locale formats it ("365,36 €", "($5.00)"), then a plain
/// decimal in the locale or in C form.
[[nodiscard]] std::optional<double> readCurrency(const QString &text, const QLocale &locale);

} // namespace Legacy

} // namespace StoredForm
