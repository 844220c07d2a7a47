#include "PlannerDates.h"

#include "data/DateText.h"
#include "data/StoredForm.h"

namespace PlannerDates {

QDateTime wallClock(QDate date, QTime time)
{
    return StoredForm::wallClock(date, time);
}

QString toText(const QDateTime &when)
{
    return StoredForm::dateTimeText(when);
}

QDateTime read(const QString &text)
{
    return StoredForm::readDateTime(text).value_or(QDateTime());
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
