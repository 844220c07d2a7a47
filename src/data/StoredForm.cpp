#include "StoredForm.h"

#include "DateText.h"
#include "core/AmountReader.h"

#include <charconv>
#include <cmath>

namespace StoredForm {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

std::optional<double> finite(double value, bool ok)
{
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QTime> readTime(const QString &text, const QLocale &locale)
{
    QTime time = locale.toTime(text, DateText::longTimeFormat(locale));
    if (!time.isValid())
        time = locale.toTime(text, QLocale::ShortFormat);
    if (!time.isValid())
        time = QTime::fromString(text, Qt::ISODate);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

} // namespace

QString dateText(QDate date)
{
    return date.isValid() ? date.toString(kDateFormat) : QString();
}

std::optional<QDate> readDate(const QString &text)
{
    // Read by hand: lists read thousands of dates, and the format parser is slow.
    if (text.size() != kDateFormat.size() || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return std::nullopt;
    const auto number = [&text](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

QDateTime wallClock(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

QString dateTimeText(const QDateTime &when)
{
    if (!when.isValid())
        return {};
    return dateText(when.date()) + QLatin1Char('T') + when.time().toString(kTimeFormat);
}

std::optional<QDateTime> readDateTime(const QString &text)
{
    const qsizetype t = text.indexOf(QLatin1Char('T'));
    if (t < 0)
        return std::nullopt;
    const std::optional<QDate> date = readDate(text.left(t));
    const QString timeText = text.mid(t + 1);
    const QTime time = QTime::fromString(timeText, kTimeFormat);
    if (!date || timeText.size() != kTimeFormat.size() || !time.isValid())
        return std::nullopt;
    return wallClock(*date, time);
}

QString amountText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> readAmount(const QString &text)
{
    // The usual stored text ("1234.5") is read straight from its bytes; anything else
    // goes the long way, which gives the same value.
    if (text.size() < 32) {
        char bytes[32] = {};
        qsizetype length = 0;
        for (const QChar c : text) {
            if (c.unicode() > 0x7f)
                break;
            bytes[length++] = char(c.unicode());
        }
        double value = 0;
        const auto [end, error] = std::from_chars(bytes, bytes + length, value);
        if (length == text.size() && length > 0 && error == std::errc() && end == bytes + length)
            return finite(value, true);
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return finite(value, ok);
}

namespace Legacy {

std::optional<QDate> readDate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    const QDate date = locale.toDate(trimmed, DateText::shortDateFormat(locale));
    if (!date.isValid()) {
        // Not QDate's own ISO reading, which takes "2013-01-13 10:05:00" as a date and
        // drops the time of a date-time written in a language with ISO dates.
        return StoredForm::readDate(trimmed);
    }
    return date;
}

std::optional<QDateTime> readDateTime(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (const std::optional<QDate> dateOnly = readDate(trimmed, locale))
        return wallClock(*dateOnly);
    // Date and time are read apart: read together as local time, a time inside a
    // daylight-saving gap would not read at all. Some short date forms hold blanks
    // ("d. M. yyyy"), so every blank is tried as the divider.
    for (qsizetype i = trimmed.indexOf(QLatin1Char(' ')); i > 0; i = trimmed.indexOf(QLatin1Char(' '), i + 1)) {
        const std::optional<QDate> date = readDate(trimmed.left(i), locale);
        if (!date)
            continue;
        if (const std::optional<QTime> time = readTime(trimmed.mid(i + 1).trimmed(), locale))
            return wallClock(*date, *time);
    }
    if (const std::optional<QDateTime> iso = StoredForm::readDateTime(trimmed))
        return iso;
    const QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate);
    if (!iso.isValid())
        return std::nullopt;
    return wallClock(iso.date(), iso.time());
}

std::optional<double> readDecimal(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    // The reader every amount goes through, so an old file's amounts meet the same
    // rules as typed and imported ones; then the language's own reading, for the
    // forms only it writes (groups of other sizes, other digits and marks).
    if (locale.decimalPoint() == QStringLiteral(".") || locale.decimalPoint() == QStringLiteral(",")) {
        if (const std::optional<double> read = AmountReader::readWritten(trimmed, AmountReader::markOf(locale)))
            return read;
    }
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (const std::optional<double> read = finite(value, ok))
        return read;
    return readAmount(trimmed);
}

std::optional<double> readCurrency(const QString &text, const QLocale &locale)
{
    QString plain = text;
    plain.remove(locale.currencySymbol(QLocale::CurrencySymbol));
    plain.remove(locale.currencySymbol(QLocale::CurrencyIsoCode));
    // Some locales put a no-break blank between the amount and the symbol.
    plain.remove(QChar(0x00A0)).remove(QChar(0x202F));
    plain = plain.trimmed();
    bool negative = false;
    if (plain.startsWith(QLatin1Char('(')) && plain.endsWith(QLatin1Char(')'))) {
        negative = true;
        plain = plain.mid(1, plain.size() - 2).trimmed();
    }
    // A negative sign may stand before a symbol that is gone now ("-$5.00" -> "-5.00").
    const std::optional<double> value = readDecimal(plain, locale);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

} // namespace Legacy

} // namespace StoredForm
