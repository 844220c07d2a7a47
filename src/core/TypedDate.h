#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

/// Reads a date as a person types it: the locale's short or long form, with or
/// without leading zeros, a month by name or number, a two- or four-digit year, or
/// ISO (2026-10-01). One reader for every date field, so they all take the same.
namespace TypedDate {

/// The date \a text names, or nothing when it is not a whole date. A two-digit year
/// falls in the century that puts it nearest \a today.
[[nodiscard]] std::optional<QDate> read(const QString &text, const QLocale &locale,
                                        QDate today = QDate::currentDate());

/// What a date field expects, to say so when a text is refused.
[[nodiscard]] QString expected(const QLocale &locale);

} // namespace TypedDate
