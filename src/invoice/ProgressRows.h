#pragma once

#include "ProgressBilling.h"

#include <vector>

/// The schedule of a progress invoice as shown and printed: per item what was
/// scheduled, billed before, this period and to date, and the share of the
/// retainage held. The window and the continuation page show the same figures.
namespace ProgressRows {

/// One item's figures in cents (percent as a percent).
struct Row
{
    double valueCents = 0;
    double beforeCents = 0;
    double thisPeriodCents = 0;
    double toDateCents = 0;
    double percent = 0;
    double balanceCents = 0;
    /// The item's share of the retainage held to date, this bill included.
    double retainageCents = 0;
};

/// The rows of \a schedule brought from \a before to \a completedToDateCents (one
/// figure per item), \a retainageHeldCents shared over the items by their work to
/// date so the column adds up to it.
[[nodiscard]] std::vector<Row> of(const std::vector<ProgressBilling::ScheduleItem> &schedule,
                                  const ProgressBilling::Billed &before,
                                  const std::vector<double> &completedToDateCents, double retainageHeldCents);

/// Every column summed; the percent is of the whole schedule.
[[nodiscard]] Row total(const std::vector<Row> &rows);

} // namespace ProgressRows
