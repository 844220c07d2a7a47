#include "PlannerDates.h"

#include "data/DateText.h"


namespace PlannerDates {

namespace {

QTime readTime(const QString &text, const QLocale &locale)
{
    QTime time = locale.toTime(text, DateText::longTimeFormat(locale));
    if (!time.isValid())
        time = QTime::fromString(text, Qt::ISODate);
    return time;
}

} // namespace

QDateTime wallClock(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

QString toText(const QDateTime &when, const QLocale &locale)
{
    return DateText::plannerDateTime(when, locale);
}

QDateTime read(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QDate dateOnly = DateText::parseShortDate(trimmed, locale);
    if (dateOnly.isValid())
        return wallClock(dateOnly);

    // Date and time are read apart: read together as local time, a time inside a
    // daylight-saving gap would not read at all. Some short date forms hold blanks
    // ("d. M. yyyy"), so every blank is tried as the divider.
    for (qsizetype i = trimmed.indexOf(QLatin1Char(' ')); i > 0; i = trimmed.indexOf(QLatin1Char(' '), i + 1)) {
        const QDate date = DateText::parseShortDate(trimmed.left(i), locale);
        if (!date.isValid())
            continue;
        const QTime time = readTime(trimmed.mid(i + 1).trimmed(), locale);
        if (time.isValid())
            return wallClock(date, time);
    }
    const qsizetype t = trimmed.indexOf(QLatin1Char('T'));
    if (t > 0) {
        const QDate date = QDate::fromString(trimmed.left(t), Qt::ISODate);
        const QTime time = QTime::fromString(trimmed.mid(t + 1), Qt::ISODate);
        if (date.isValid() && time.isValid())
            return wallClock(date, time);
    }
    return {};
}

QString listText(const QDateTime &when, const QLocale &locale)
{
    return DateText::shortDate(when.date(), locale) + QLatin1Char(' ')
           + locale.toString(when.time(), QLocale::ShortFormat);
}

QDate dayOf(int year, int dayOfYear)
{
    if (year < 1 || year > 9999 || dayOfYear < 1)
        return {};
    const QDate first(year, 1, 1);
    if (dayOfYear > first.daysInYear())
        return {};
    return first.addDays(dayOfYear - 1);
}

} // namespace PlannerDates
