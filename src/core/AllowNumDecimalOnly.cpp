#include "AllowNumDecimalOnly.h"

AllowNumDecimalOnly::AllowNumDecimalOnly(const QLocale &locale, QObject *parent)
    : QValidator(parent)
    , m_locale(locale)
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

QValidator::State AllowNumDecimalOnly::validate(QString &input, int &) const
{
    if (!accepts(input, m_locale))
        return Invalid;
    QString digits = input;
    digits.remove(m_locale.decimalPoint());
    return digits.isEmpty() ? Intermediate : Acceptable;
}
