#include "AllowNumDecimalOnly.h"

AllowNumDecimalOnly::AllowNumDecimalOnly(const QLocale &locale, QObject *parent, int maxLength)
    : QValidator(parent)
    , m_locale(locale)
    , m_maxLength(maxLength)
{
}

bool AllowNumDecimalOnly::accepts(const QString &text, const QLocale &locale)
{
    const QString separator = locale.decimalPoint();
    const qsizetype separators = text.count(separator);
    if (separators > 1)
        return false;
    QString digits = text;
    digits.remove(separator);
    // Only the ASCII digits: QChar::isDigit() would also let in other scripts' digits.
    return std::all_of(digits.cbegin(), digits.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool AllowNumDecimalOnly::hasDigits(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QValidator::State AllowNumDecimalOnly::validate(QString &input, int &) const
{
    if (!accepts(input, m_locale) || (m_maxLength > 0 && input.size() > m_maxLength))
        return Invalid;
    return hasDigits(input) ? Acceptable : Intermediate;
}

void AllowNumDecimalOnly::fixup(QString &input) const
{
    if (!hasDigits(input))
        input.clear();
}

void AllowNumDecimalOnly::allowLength(int length)
{
    if (m_maxLength > 0 && length > m_maxLength)
        m_maxLength = length;
}

QString AllowNumDecimalOnly::notANumber(const QString &what, const QString &text, const QLocale &locale)
{
    const QString example = QStringLiteral("12") + locale.decimalPoint() + QStringLiteral("50");
    return tr("The %1 \"%2\" is not a number. Enter digits with at most one decimal separator, such as %3.")
        .arg(what, text, example);
}

QString AllowNumDecimalOnly::refusalHint() const
{
    const QString rule = tr("Enter digits with at most one decimal separator");
    return m_maxLength > 0 ? tr("%1, up to %2 characters.").arg(rule).arg(m_maxLength) : rule + QLatin1Char('.');
}
