#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

/// Dates as stored in documents and the planner: the locale's short date pattern,
/// always with a four-digit year (a two-digit year would lose the century).
namespace DateText {

/// The locale's short date pattern with its year widened to four digits.
[[nodiscard]] QString shortDateFormat(const QLocale &locale);
/// The locale's long time pattern without a time-zone name.
[[nodiscard]] QString longTimeFormat(const QLocale &locale);
[[nodiscard]] QString shortDate(QDate date, const QLocale &locale);
/// Reads a short date; falls back to ISO (yyyy-MM-dd) so a date written under
/// another locale is not lost. Invalid QDate when neither reads.
[[nodiscard]] QDate parseShortDate(const QString &text, const QLocale &locale);

/// Planner form: short date, a blank and the long time; the time is left out at midnight.
[[nodiscard]] QString plannerDateTime(const QDateTime &when, const QLocale &locale);
[[nodiscard]] QDateTime parsePlannerDateTime(const QString &text, const QLocale &locale);

} // namespace DateText
