#include "TypedDate.h"

#include <QList>
#include <QRegularExpression>

namespace {

enum class Part { Day, Month, Year };

/// Day, month and year in the order the locale's short form writes them.
QList<Part> partOrder(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QList<std::pair<qsizetype, Part>> found;
    const qsizetype day = format.indexOf(QRegularExpression(QStringLiteral("d(?!dd)")));
    const qsizetype month = format.indexOf(QLatin1Char('M'));
    const qsizetype year = format.indexOf(QLatin1Char('y'));
    if (day < 0 || month < 0 || year < 0)
        return {Part::Day, Part::Month, Part::Year};
    found = {{day, Part::Day}, {month, Part::Month}, {year, Part::Year}};
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return {found[0].second, found[1].second, found[2].second};
}

/// The month a word names (long or short name, either form, any case), or 0.
int monthNamed(const QString &word, const QLocale &locale)
{
    const QString folded = word.toCaseFolded();
    const QList<QLocale> locales{locale, QLocale::c()};
    for (const QLocale &l : locales) {
        for (int month = 1; month <= 12; ++month) {
            for (QLocale::FormatType form : {QLocale::LongFormat, QLocale::ShortFormat}) {
                for (const QString &name : {l.monthName(month, form), l.standaloneMonthName(month, form)}) {
                    QString plain = name.toCaseFolded();
                    if (plain.endsWith(QLatin1Char('.')))
                        plain.chop(1);
                    if (!plain.isEmpty() && plain == folded)
                        return month;
                }
            }
        }
    }
    return 0;
}

/// Words the locale writes between the parts of a long date ("de" in "1 de octubre de 2026").
bool isLiteralWord(const QString &word, const QLocale &locale)
{
    static const QRegularExpression quoted(QStringLiteral("'([^']+)'"));
    const QString folded = word.toCaseFolded();
    for (QLocale::FormatType form : {QLocale::LongFormat, QLocale::ShortFormat}) {
        for (auto it = quoted.globalMatch(locale.dateFormat(form)); it.hasNext();) {
            if (it.next().captured(1).trimmed().toCaseFolded() == folded)
                return true;
        }
    }
    return false;
}

bool isDayName(const QString &word, const QLocale &locale)
{
    const QString folded = word.toCaseFolded();
    for (const QLocale &l : {locale, QLocale::c()}) {
        for (int day = 1; day <= 7; ++day) {
            for (QLocale::FormatType form : {QLocale::LongFormat, QLocale::ShortFormat}) {
                QString name = l.dayName(day, form).toCaseFolded();
                if (name.endsWith(QLatin1Char('.')))
                    name.chop(1);
                if (name == folded)
                    return true;
            }
        }
    }
    return false;
}

/// Two digits name the year of the century that puts it nearest \a today; four
/// digits name themselves. Any other length is not a year.
std::optional<int> yearOf(const QString &digits, QDate today)
{
    if (digits.size() == 4)
        return digits.toInt();
    if (digits.size() != 2)
        return std::nullopt;
    const int century = today.year() - today.year() % 100;
    int year = century + digits.toInt();
    if (year - today.year() > 50)
        year -= 100;
    else if (today.year() - year > 50)
        year += 100;
    return year;
}

std::optional<QDate> make(std::optional<int> year, int month, int day)
{
    if (!year || *year < 1000)
        return std::nullopt;
    const QDate date(*year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

namespace TypedDate {

std::optional<QDate> read(const QString &text, const QLocale &locale, QDate today)
{
    const QString trimmed = text.trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (const QRegularExpressionMatch m = iso.match(trimmed); m.hasMatch())
        return make(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());

    // Words and numbers, whatever stands between them.
    static const QRegularExpression piece(QStringLiteral("\\d+|[^\\d\\s\\p{P}\\p{S}]+"));
    QList<QString> numbers;
    int namedMonth = 0;
    for (auto it = piece.globalMatch(trimmed); it.hasNext();) {
        const QString token = it.next().captured();
        if (token.at(0).isDigit()) {
            numbers << token;
            continue;
        }
        if (const int month = monthNamed(token, locale); month != 0 && namedMonth == 0) {
            namedMonth = month;
            continue;
        }
        if (isDayName(token, locale) || isLiteralWord(token, locale))
            continue;
        return std::nullopt; // a word that is neither a month nor a weekday
    }

    const QList<Part> order = partOrder(locale);
    int day = 0;
    int month = namedMonth;
    QString year;
    if (namedMonth != 0) {
        if (numbers.size() != 2)
            return std::nullopt;
        // Day and year keep the locale's order between themselves.
        const bool dayFirst = order.indexOf(Part::Day) < order.indexOf(Part::Year);
        const QString dayDigits = dayFirst ? numbers[0] : numbers[1];
        if (dayDigits.size() > 2)
            return std::nullopt;
        day = dayDigits.toInt();
        year = dayFirst ? numbers[1] : numbers[0];
    } else {
        if (numbers.size() != 3)
            return std::nullopt;
        for (int i = 0; i < 3; ++i) {
            const QString &digits = numbers[i];
            switch (order[i]) {
            case Part::Day:
                if (digits.size() > 2)
                    return std::nullopt;
                day = digits.toInt();
                break;
            case Part::Month:
                if (digits.size() > 2)
                    return std::nullopt;
                month = digits.toInt();
                break;
            case Part::Year:
                year = digits;
                break;
            }
        }
    }
    return make(yearOf(year, today), month, day);
}

QString expected(const QLocale &locale)
{
    const QDate example(QDate::currentDate().year(), 12, 31);
    QString shortForm = locale.dateFormat(QLocale::ShortFormat);
    if (!shortForm.contains(QLatin1String("yyyy")))
        shortForm.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return QStringLiteral("Enter a date such as %1 or %2.")
        .arg(locale.toString(example, shortForm), example.toString(Qt::ISODate));
}

} // namespace TypedDate
