#include "ProgressBilling.h"

#include "CentSplit.h"
#include "Money.h"

#include <algorithm>
#include <cmath>

namespace ProgressBilling {

namespace {

WorkParts minus(const WorkParts &a, const WorkParts &b)
{
    return {a.labor - b.labor, a.material - b.material};
}

/// Each tax to date, and its labor and material parts, on the taxable work to date.
struct TaxToDate
{
    std::array<double, 3> cents{};
    std::array<WorkParts, 3> parts{};
};

TaxToDate taxToDate(const std::vector<ScheduleItem> &schedule, const std::vector<double> &completedCents,
                    const std::array<double, 3> &rates)
{
    double laborTaxable = 0, materialTaxable = 0;
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        const WorkParts parts = partsOf(schedule[i], completedCents[i]);
        if (schedule[i].laborTaxed)
            laborTaxable += parts.labor;
        if (schedule[i].materialTaxed)
            materialTaxable += parts.material;
    }
    TaxToDate tax;
    for (std::size_t t = 0; t < 3; ++t) {
        tax.cents[t] = CentSplit::productCents(laborTaxable + materialTaxable, rates[t]);
        const std::vector<double> split =
            CentSplit::split(tax.cents[t], {std::fabs(laborTaxable), std::fabs(materialTaxable)});
        tax.parts[t] = {split[0], split[1]};
    }
    return tax;
}

/// The deposits left to apply, up to what \a bill asks before them.
double depositsFor(const Bill &bill, const Billed &before, const Terms &terms)
{
    const double left = terms.depositsReceivedCents - before.depositsAppliedCents;
    const double owed = bill.totalCents() - bill.retainageCents + bill.retainageReleasedCents;
    return std::max(0.0, std::min(left, owed));
}

QString itemText(const std::vector<ScheduleItem> &schedule, std::size_t i)
{
    const QString description = schedule[i].description.trimmed();
    return description.isEmpty() ? QStringLiteral("Item %1").arg(i + 1)
                                 : QStringLiteral("Item %1 (%2)").arg(i + 1).arg(description);
}

} // namespace

double Bill::laborCents() const
{
    double sum = 0;
    for (const ItemRow &row : rows)
        sum += row.thisPeriodParts.labor;
    return sum;
}

double Bill::materialCents() const
{
    double sum = 0;
    for (const ItemRow &row : rows)
        sum += row.thisPeriodParts.material;
    return sum;
}

double completedForPercent(const ScheduleItem &item, double percent)
{
    return CentSplit::productCents(item.valueCents(), percent / 100.0);
}

std::optional<QString> refusal(const std::vector<ScheduleItem> &schedule, const std::vector<double> &completedToDateCents,
                               const QLocale &locale)
{
    if (completedToDateCents.size() != schedule.size())
        return QStringLiteral("The schedule has %1 items but %2 figures were given.")
            .arg(schedule.size())
            .arg(completedToDateCents.size());
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        const double completed = completedToDateCents[i];
        const double value = schedule[i].valueCents();
        if (!std::isfinite(completed) || completed != std::floor(completed))
            return QStringLiteral("%1: the amount completed to date is not an amount of money.").arg(itemText(schedule, i));
        const double low = std::min(0.0, value), high = std::max(0.0, value);
        if (completed > high || completed < low)
            return QStringLiteral("%1: completed to date (%2) cannot pass the scheduled value (%3); "
                                  "bill more through a change order.")
                .arg(itemText(schedule, i), Money::currencyText(completed / 100.0, locale),
                     Money::currencyText(value / 100.0, locale));
    }
    return std::nullopt;
}

std::optional<QString> retainageRefusal(double percent)
{
    if (!std::isfinite(percent) || percent < 0 || percent > 100)
        return QStringLiteral("The retainage must be a percent from 0 to 100.");
    return std::nullopt;
}

WorkParts partsOf(const ScheduleItem &item, double completedCents)
{
    const std::vector<double> parts =
        CentSplit::split(completedCents, {std::fabs(item.laborCents), std::fabs(item.materialCents)});
    return {parts[0], parts[1]};
}

Bill bill(const std::vector<ScheduleItem> &schedule, const Billed &before, const std::vector<double> &completedToDateCents,
          const Terms &terms)
{
    Bill b;
    double completedSum = 0;
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        ItemRow row;
        row.valueCents = schedule[i].valueCents();
        row.beforeCents = before.completedOf(i);
        row.thisPeriodCents = completedToDateCents[i] - row.beforeCents;
        row.thisPeriodParts = minus(partsOf(schedule[i], completedToDateCents[i]), partsOf(schedule[i], row.beforeCents));
        b.workCents += row.thisPeriodCents;
        completedSum += completedToDateCents[i];
        b.rows.push_back(row);
    }

    const TaxToDate tax = taxToDate(schedule, completedToDateCents, terms.rates);
    for (std::size_t t = 0; t < 3; ++t) {
        b.taxCents[t] = tax.cents[t] - before.taxCents[t];
        b.taxParts[t] = minus(tax.parts[t], before.taxParts[t]);
    }
    b.retainageCents = CentSplit::productCents(completedSum, terms.retainagePercent / 100.0) - before.retainageWithheldCents;
    b.depositsAppliedCents = depositsFor(b, before, terms);
    return b;
}

Bill releaseRetainage(const Billed &before, const Terms &terms)
{
    Bill b;
    b.retainageReleasedCents = before.retainageHeldCents();
    // The last bill settles the deposits: change orders may have brought the job below
    // what was received, and what is left over is the customer's, not lost.
    b.depositsAppliedCents = std::max(0.0, terms.depositsReceivedCents - before.depositsAppliedCents);
    return b;
}

Billed after(const Billed &before, const Bill &bill)
{
    Billed billed = before;
    if (billed.completedCents.size() < bill.rows.size())
        billed.completedCents.resize(bill.rows.size(), 0.0);
    for (std::size_t i = 0; i < bill.rows.size(); ++i)
        billed.completedCents[i] = bill.rows[i].toDateCents();
    for (std::size_t t = 0; t < 3; ++t) {
        billed.taxCents[t] += bill.taxCents[t];
        billed.taxParts[t].labor += bill.taxParts[t].labor;
        billed.taxParts[t].material += bill.taxParts[t].material;
    }
    billed.retainageWithheldCents += bill.retainageCents;
    billed.retainageReleasedCents += bill.retainageReleasedCents;
    billed.depositsAppliedCents += bill.depositsAppliedCents;
    return billed;
}

} // namespace ProgressBilling
