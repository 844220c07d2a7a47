#include "CentSplit.h"

#include "Money.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace CentSplit {

namespace {

using Wide = __int128;

/// A double read as the decimal number it was written as: units x 10^-places.
struct Decimal
{
    Wide units = 0;
    int places = 0;
};

// Whole numbers a double holds exactly.
constexpr double kExact = 9.0e15;

std::optional<Decimal> decimalOf(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double scale = 1;
    for (int places = 0; places <= 9; ++places, scale *= 10) {
        const double scaled = value * scale;
        if (std::fabs(scaled) >= kExact)
            return std::nullopt;
        const double whole = std::round(scaled);
        // Binary noise is a few units in the last place; a decimal digit is far more.
        if (std::fabs(scaled - whole) <= std::max(1e-9, std::fabs(scaled) * 1e-13))
            return Decimal{Wide(whole), places};
    }
    return std::nullopt;
}

Wide powerOfTen(int exponent)
{
    Wide power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

/// units x 10^-places in whole cents, half away from zero.
double roundedCents(Wide units, int places)
{
    if (places <= 2)
        return double(units * powerOfTen(2 - places));
    const Wide divisor = powerOfTen(places - 2);
    const Wide magnitude = units < 0 ? -units : units;
    const Wide cents = (magnitude + divisor / 2) / divisor;
    return double(units < 0 ? -cents : cents);
}

double plainCents(double amount)
{
    if (const std::optional<qint64> cents = Money::toCents(amount))
        return double(*cents);
    return std::round(amount * 100.0);
}

} // namespace

double centsOf(double amount)
{
    const std::optional<Decimal> decimal = decimalOf(amount);
    return decimal ? roundedCents(decimal->units, decimal->places) : plainCents(amount);
}

double productCents(double cents, double factor)
{
    const std::optional<Decimal> decimal = decimalOf(factor);
    if (!decimal || !std::isfinite(cents) || std::fabs(cents) >= kExact)
        return plainCents(cents / 100.0 * factor);
    return roundedCents(Wide(cents) * decimal->units, decimal->places + 2);
}

std::vector<double> split(double cents, const std::vector<double> &weights)
{
    const std::size_t n = weights.size();
    if (n == 0)
        return {};
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<double> parts(n), remainders(n);
    double taken = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double share = sum == 0 ? cents / double(n) : cents * (weights[i] / sum);
        parts[i] = std::floor(share);
        remainders[i] = share - parts[i];
        taken += parts[i];
    }
    // Beyond whole numbers a double holds exactly there is no cent left to hand out.
    if (!std::isfinite(cents) || std::fabs(cents) > kExact)
        return parts;
    // Whole cents, so this is an exact count; binary noise in a share only moves
    // which part takes a cent, never how many are handed out.
    auto left = qint64(std::llround(cents - taken));
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    for (std::size_t k = 0; left > 0; k = (k + 1) % n, --left)
        parts[order[k]] += 1;
    for (std::size_t k = n; left < 0; k = (k == 1 ? n : k - 1), ++left)
        parts[order[k - 1]] -= 1;
    return parts;
}

} // namespace CentSplit
