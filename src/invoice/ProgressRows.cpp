#include "ProgressRows.h"

#include "CentSplit.h"


namespace ProgressRows {

namespace {

double percentOf(double part, double whole)
{
    return whole == 0 ? 0.0 : part / whole * 100.0;
}

} // namespace

std::vector<Row> of(const std::vector<ProgressBilling::ScheduleItem> &schedule, const ProgressBilling::Billed &before,
                    const std::vector<double> &completedToDateCents, double retainageHeldCents)
{
    // Signed: work a change order took out holds back negative retainage, as the
    // bills worked it out on the sum of the work.
    const std::vector<double> retainage = CentSplit::split(
        retainageHeldCents, {completedToDateCents.begin(), completedToDateCents.begin() + std::ptrdiff_t(schedule.size())});

    std::vector<Row> rows;
    rows.reserve(schedule.size());
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        Row r;
        r.valueCents = schedule[i].valueCents();
        r.beforeCents = before.completedOf(i);
        r.toDateCents = completedToDateCents[i];
        r.thisPeriodCents = r.toDateCents - r.beforeCents;
        r.percent = percentOf(r.toDateCents, r.valueCents);
        r.balanceCents = r.valueCents - r.toDateCents;
        r.retainageCents = retainage[i];
        rows.push_back(r);
    }
    return rows;
}

Row total(const std::vector<Row> &rows)
{
    Row sum;
    for (const Row &r : rows) {
        sum.valueCents += r.valueCents;
        sum.beforeCents += r.beforeCents;
        sum.thisPeriodCents += r.thisPeriodCents;
        sum.toDateCents += r.toDateCents;
        sum.balanceCents += r.balanceCents;
        sum.retainageCents += r.retainageCents;
    }
    sum.percent = percentOf(sum.toDateCents, sum.valueCents);
    return sum;
}

} // namespace ProgressRows
