#include "Money.h"

#include "core/AmountReader.h"
#include "data/StoredForm.h"

#include <cmath>

namespace Money {

std::optional<qint64> toCents(double amount)
{
    constexpr double kLimit = 9.0e14; // keeps amount x 10000 well inside 64 bits
    if (!std::isfinite(amount) || std::fabs(amount) > kLimit)
        return std::nullopt;
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    const auto tenThousandths = qint64(std::nearbyint(amount * 10000.0));
    const qint64 magnitude = (tenThousandths < 0 ? -tenThousandths : tenThousandths);
    const qint64 cents = (magnitude + 50) / 100;
    return tenThousandths < 0 ? -cents : cents;
}

double roundToCents(double amount)
{
    const std::optional<qint64> cents = toCents(amount);
    return cents ? double(*cents) / 100.0 : amount;
}

QString currencyText(double amount, const QLocale &locale)
{
    return locale.toCurrencyString(roundToCents(amount), locale.currencySymbol(), 2);
}

QString decimalText(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString fieldText(double amount, const QLocale &locale)
{
    // Binary noise (0.1 + 0.2) is not a fraction of a cent to keep; four decimals are.
    const std::optional<qint64> cents = toCents(amount);
    const double fourPlaces = std::nearbyint(amount * 10000.0) / 10000.0;
    if (!cents || double(*cents) / 100.0 != fourPlaces)
        return decimalText(cents ? fourPlaces : amount, locale);
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(double(*cents) / 100.0, 'f', 2);
}

QString storedAmountText(const QString &stored, const QLocale &locale)
{
    const std::optional<double> amount = StoredForm::readAmount(stored);
    return amount ? currencyText(*amount, locale) : stored;
}

std::optional<double> parseDecimal(const QString &text, const QLocale &locale)
{
    return AmountReader::readTyped(text, locale);
}

} // namespace Money
