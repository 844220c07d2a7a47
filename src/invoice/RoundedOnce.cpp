#include "RoundedOnce.h"

#include "CentSplit.h"

namespace RoundedOnce {

Figures work(const std::vector<Line> &lines, int discountPercent, const std::array<double, 3> &rates)
{
    Figures f;
    std::vector<double> lineTotals;
    for (const Line &line : lines) {
        const std::vector<double> parts = CentSplit::split(line.totalCents, {line.laborWeight, line.materialWeight});
        f.lines.push_back({.labor = parts[0], .material = parts[1]});
        lineTotals.push_back(line.totalCents);
        f.subTotalCents += line.totalCents;
    }

    // Taken once from the Sub Total, then shared over the lines and their parts.
    f.discountCents = CentSplit::productCents(f.subTotalCents, discountPercent / 100.0);
    const std::vector<double> shares = CentSplit::split(f.discountCents, lineTotals);
    double laborTaxable = 0, materialTaxable = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LineParts &parts = f.lines[i];
        const std::vector<double> discount = CentSplit::split(shares[i], {parts.labor, parts.material});
        parts.laborDiscount = discount[0];
        parts.materialDiscount = discount[1];
        f.totals.LbrTotals[0] += parts.laborAfterDiscount();
        f.totals.MatTotals[0] += parts.materialAfterDiscount();
        if (lines[i].laborTaxed)
            laborTaxable += parts.laborAfterDiscount();
        if (lines[i].materialTaxed)
            materialTaxable += parts.materialAfterDiscount();
    }

    for (std::size_t i = 0; i < 3; ++i) {
        f.taxCents[i] = CentSplit::productCents(laborTaxable + materialTaxable, rates[i]);
        const std::vector<double> parts = CentSplit::split(f.taxCents[i], {laborTaxable, materialTaxable});
        f.totals.LbrTotals[i + 1] = parts[0] / 100.0;
        f.totals.MatTotals[i + 1] = parts[1] / 100.0;
    }
    f.totals.LbrTotals[0] /= 100.0;
    f.totals.MatTotals[0] /= 100.0;
    return f;
}

} // namespace RoundedOnce
