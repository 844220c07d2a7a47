#include "AmountReader.h"

#include "AllowNumDecimalOnly.h"

#include <QCoreApplication>
#include <cmath>

namespace AmountReader {

namespace {

/// What a text may hold besides digits.
struct Grammar
{
    QString marks;  // decimal marks, any one of them once
    QString groups; // thousands separators; empty for none
    bool exponent = false;
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

/// The text in C form when it follows \a grammar; groups are checked (one separator
/// throughout, then groups of exactly three digits, no leading zero before one).
std::optional<QString> cForm(QStringView text, const Grammar &grammar)
{
    QString plain;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            plain += QLatin1Char('-');
        ++i;
    }
    const qsizetype wholeStart = i;
    qsizetype wholeDigits = 0;
    qsizetype sinceGroup = 0;
    QChar groupChar;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            plain += c;
            ++wholeDigits;
            ++sinceGroup;
            continue;
        }
        if (!grammar.groups.contains(c))
            break;
        if (groupChar.isNull()) {
            if (sinceGroup < 1 || sinceGroup > 3 || text[wholeStart] == QLatin1Char('0'))
                return std::nullopt;
            groupChar = c;
        } else if (c != groupChar || sinceGroup != 3) {
            return std::nullopt;
        }
        sinceGroup = 0;
    }
    if (!groupChar.isNull() && sinceGroup != 3)
        return std::nullopt;
    qsizetype fractionDigits = 0;
    if (i < text.size() && grammar.marks.contains(text[i])) {
        plain += QLatin1Char('.');
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++fractionDigits)
            plain += text[i];
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    if (grammar.exponent && i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += QLatin1Char('e');
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
            plain += text[i++];
        const qsizetype exponentStart = i;
        for (; i < text.size() && isDigit(text[i]); ++i)
            plain += text[i];
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return plain;
}

std::optional<double> read(const QString &text, const Grammar &grammar)
{
    const std::optional<QString> plain = cForm(QStringView(text).trimmed(), grammar);
    if (!plain)
        return std::nullopt;
    bool ok = false;
    const double value = plain->toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("AmountReader", text);
}

} // namespace

DecimalMark markOf(const QLocale &locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? DecimalMark::Comma : DecimalMark::Point;
}

QString markName(DecimalMark mark)
{
    return mark == DecimalMark::Comma ? QStringLiteral("comma") : QStringLiteral("point");
}

QChar markCharacter(DecimalMark mark)
{
    return mark == DecimalMark::Comma ? QLatin1Char(',') : QLatin1Char('.');
}

std::optional<double> readTyped(const QString &text, const QLocale &locale)
{
    return read(text, Grammar{locale.decimalPoint() + QLatin1Char('.'), QString(), false});
}

std::optional<double> readWritten(const QString &text, DecimalMark mark)
{
    const DecimalMark other = mark == DecimalMark::Comma ? DecimalMark::Point : DecimalMark::Comma;
    // Blanks, no-break blanks and apostrophes group thousands in several languages and
    // can never be a decimal mark, so they make no number ambiguous.
    const QString groups = QString(markCharacter(other)) + QStringLiteral(" '\u00A0\u202F\u2019");
    return read(text, Grammar{QString(markCharacter(mark)), groups, true});
}

bool withinLargest(double value)
{
    return std::fabs(value) <= kLargest;
}

QString largestText(const QLocale &locale)
{
    return locale.toString(kLargest, 'f', 2);
}

QString tooLarge(const QString &what, const QString &text, const QLocale &locale)
{
    return tr("The %1 %2 is too large: no amount may be above %3.").arg(what, text, largestText(locale));
}

std::optional<QString> problem(const QString &what, const QString &text, const QLocale &locale)
{
    const std::optional<double> value = readTyped(text, locale);
    if (!value)
        return AllowNumDecimalOnly::notANumber(what, text, locale);
    if (!withinLargest(*value))
        return tooLarge(what, text, locale);
    return std::nullopt;
}

} // namespace AmountReader
