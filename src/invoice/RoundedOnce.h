#pragma once

#include "InvoiceRecords.h"

#include <array>
#include <vector>

/// A document's figures worked out so that every figure the customer can check (a
/// line total, the discount, each tax) is rounded once, and every figure that is
/// split into parts (a line's labor and material, the discount over the lines, a tax
/// over labor and material) is split so that the parts add up to it exactly.
/// Amounts named "cents" are whole numbers of cents.
namespace RoundedOnce {

/// A line or work sheet before the discount.
struct Line
{
    /// The line total as printed.
    double totalCents = 0;
    /// How the total divides between labor and material, in any unit.
    double laborWeight = 0;
    double materialWeight = 0;
    bool laborTaxed = false;
    bool materialTaxed = false;
};

/// What one line comes to, in cents.
struct LineParts
{
    double labor = 0;
    double material = 0;
    double laborDiscount = 0;
    double materialDiscount = 0;

    [[nodiscard]] double discount() const { return laborDiscount + materialDiscount; }
    [[nodiscard]] double laborAfterDiscount() const { return labor - laborDiscount; }
    [[nodiscard]] double materialAfterDiscount() const { return material - materialDiscount; }
    [[nodiscard]] double afterDiscount() const { return laborAfterDiscount() + materialAfterDiscount(); }
};

struct Figures
{
    std::vector<LineParts> lines;
    double subTotalCents = 0;
    double discountCents = 0;
    /// Taxes 1 to 3, each its rate times the taxable amount after discount.
    std::array<double, 3> taxCents{};
    /// Labor and material totals after discount and each tax's labor and material
    /// parts, in currency units: what the monthly report is posted.
    DocumentTotals totals;

    [[nodiscard]] double taxTotalCents() const { return taxCents[0] + taxCents[1] + taxCents[2]; }
};

/// The figures of \a lines with \a discountPercent off and the effective \a rates.
[[nodiscard]] Figures work(const std::vector<Line> &lines, int discountPercent, const std::array<double, 3> &rates);

} // namespace RoundedOnce
