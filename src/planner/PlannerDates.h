#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

/// Planner date-times are wall-clock values ("8:00 on 8 March"), not instants: they
/// are kept without a time zone, so a time that a daylight-saving change skips or
/// repeats is stored and read back exactly as the user chose it.
namespace PlannerDates {

[[nodiscard]] QDateTime wallClock(QDate date, QTime time = QTime(0, 0));

/// The stored form (yyyy-MM-ddTHH:mm:ss, whatever the locale).
[[nodiscard]] QString toText(const QDateTime &when);

/// Reads the stored form; invalid when the text is not one.
[[nodiscard]] QDateTime read(const QString &text);

/// As the activity list shows it: short date, a blank and the short time.
[[nodiscard]] QString listText(const QDateTime &when, const QLocale &locale);

/// The day a row stands for; invalid when the numbers name no day.
[[nodiscard]] QDate dayOf(int year, int dayOfYear);

/// The day of a number the queries compute as year x 1000 + day of year.
[[nodiscard]] inline QDate dayFromKey(qint64 key)
{
    return dayOf(int(key / 1000), int(key % 1000));
}

} // namespace PlannerDates
