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
    return locale.toString(date, shortDateFormat(locale));
}

QDate parseShortDate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    QDate date = locale.toDate(trimmed, shortDateFormat(locale));
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    return date;
}

QString plannerDateTime(const QDateTime &when, const QLocale &locale)
{
    const QString date = shortDate(when.date(), locale);
    if (when.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(when.time(), longTimeFormat(locale));
}

QDateTime parsePlannerDateTime(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    const QDate dateOnly = parseShortDate(trimmed, locale);
    if (dateOnly.isValid())
        return QDateTime(dateOnly, QTime(0, 0));
    const QString format = shortDateFormat(locale) + QLatin1Char(' ') + longTimeFormat(locale);
    QDateTime when = locale.toDateTime(trimmed, format);
    if (!when.isValid())
        when = QDateTime::fromString(trimmed, Qt::ISODate);
    return when;
}

} // namespace DateText
