#pragma once

#include <vector>

/// Rounding a figure to the cent once, and splitting a figure already in cents into
/// parts that add up to it.
namespace CentSplit {

/// Whole cents of \a amount, rounded once, half away from zero, from the decimal
/// number the double stands for (up to nine decimals, so 2.675 is 2.68 and
/// 41448.20498 is 41448.20). Beyond that, rounded as every shown figure is
/// (Money::toCents), or plainly when too large even for that.
[[nodiscard]] double centsOf(double amount);

/// Whole cents of \a cents (a whole number of cents) times \a factor (a quantity, a
/// rate, a percent as a fraction), rounded once as centsOf() rounds.
[[nodiscard]] double productCents(double cents, double factor);

/// Splits \a cents (a whole number of cents) into one part per weight, in proportion
/// to the weights, each part a whole number of cents, the parts adding up to
/// \a cents exactly: each part first takes its proportional share rounded down, then
/// the cents left over go one each to the parts with the largest remainders (the
/// earlier part first on equal remainders). Weights that add up to 0 share equally.
[[nodiscard]] std::vector<double> split(double cents, const std::vector<double> &weights);

} // namespace CentSplit
