#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

/// Dates as the user sees them: the locale's short date pattern, always with a
/// four-digit year (a two-digit year would lose the century). What is stored is
/// StoredForm's business.
namespace DateText {

/// The locale's short date pattern with its year widened to four digits.
[[nodiscard]] QString shortDateFormat(const QLocale &locale);
/// The locale's long time pattern without a time-zone name.
[[nodiscard]] QString longTimeFormat(const QLocale &locale);
/// Empty text for an invalid date.
[[nodiscard]] QString shortDate(QDate date, const QLocale &locale);
/// Short date, a blank and the long time; the time is left out at midnight.
[[nodiscard]] QString shortDateLongTime(const QDateTime &when, const QLocale &locale);

} // namespace DateText
