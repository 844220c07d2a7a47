#include "DateText.h"

#include <QRegularExpression>

namespace DateText {

QString shortDateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression years(QStringLiteral("y+"));
    format.replace(years, QStringLiteral("yyyy"));
    return format;
}

QString longTimeFormat(const QLocale &locale)
{
    // The time-zone name some locales add would not read back reliably.
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QString());
    return format.trimmed();
}

QString shortDate(QDate date, const QLocale &locale)
{
    return date.isValid() ? locale.toString(date, shortDateFormat(locale)) : QString();
}

QString shortDateLongTime(const QDateTime &when, const QLocale &locale)
{
    const QString date = shortDate(when.date(), locale);
    if (when.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(when.time(), longTimeFormat(locale));
}

} // namespace DateText
