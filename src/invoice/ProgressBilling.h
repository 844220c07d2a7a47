#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <vector>

/// Billing a job as its work gets done: each progress invoice bills the share of
/// every scheduled item completed since the last one, holds back retainage, and
/// draws down the deposits received. Every figure of a bill is the same figure to
/// date less what the bills before came to, so rounding never drifts over the bills.
/// Amounts named "cents" are whole numbers of cents.
namespace ProgressBilling {

/// One item of the job's schedule of values: a line of its estimate, work order or
/// change orders (a work sheet in Heddrin), after the document's discount.
struct ScheduleItem
{
    /// Labor and material of the line after discount; the scheduled value is their sum.
    double laborCents = 0;
    double materialCents = 0;
    bool laborTaxed = false;
    bool materialTaxed = false;
    QString description = {};

    [[nodiscard]] double valueCents() const { return laborCents + materialCents; }
};

/// Completed to date of an item split like its scheduled value.
struct WorkParts
{
    double labor = 0;
    double material = 0;
};

/// What the job's bills so far come to, to date.
struct Billed
{
    /// Completed to date per schedule item; items added since the last bill are missing.
    std::vector<double> completedCents;
    std::array<double, 3> taxCents{};
    /// Each tax's labor and material parts, for the monthly report.
    std::array<WorkParts, 3> taxParts{};
    double retainageWithheldCents = 0;
    double retainageReleasedCents = 0;
    double depositsAppliedCents = 0;

    [[nodiscard]] double completedOf(std::size_t item) const
    {
        return item < completedCents.size() ? completedCents[item] : 0.0;
    }
    [[nodiscard]] double retainageHeldCents() const { return retainageWithheldCents - retainageReleasedCents; }
};

/// One row of a progress invoice's schedule.
struct ItemRow
{
    double valueCents = 0;
    double beforeCents = 0;
    double thisPeriodCents = 0;
    /// This period's share split like the item's scheduled value.
    WorkParts thisPeriodParts;

    [[nodiscard]] double toDateCents() const { return beforeCents + thisPeriodCents; }
    [[nodiscard]] double balanceToFinishCents() const { return valueCents - toDateCents(); }
    /// Percent complete to date; 0 for an item of no value.
    [[nodiscard]] double percent() const { return valueCents == 0 ? 0.0 : toDateCents() / valueCents * 100.0; }
};

/// One progress invoice, or the release of the retainage.
struct Bill
{
    std::vector<ItemRow> rows;
    /// "Work Completed This Period": the Sub Total; negative when work was lowered.
    double workCents = 0;
    /// "Less Retainage"; negative gives retainage back on lowered work.
    double retainageCents = 0;
    std::array<double, 3> taxCents{};
    std::array<WorkParts, 3> taxParts{};
    /// "Less Deposits Applied".
    double depositsAppliedCents = 0;
    /// The retainage this bill releases; only the final bill has it.
    double retainageReleasedCents = 0;

    [[nodiscard]] double laborCents() const;
    [[nodiscard]] double materialCents() const;
    [[nodiscard]] double taxTotalCents() const { return taxCents[0] + taxCents[1] + taxCents[2]; }
    /// The document's Total: Sub Total with no discount, plus the taxes.
    [[nodiscard]] double totalCents() const { return workCents + taxTotalCents(); }
    /// "Amount Due".
    [[nodiscard]] double amountDueCents() const
    {
        return totalCents() - retainageCents + retainageReleasedCents - depositsAppliedCents;
    }
    /// A bill that lowers what was billed is saved as a Credit of the job.
    [[nodiscard]] bool isCredit() const { return amountDueCents() < 0; }
};

/// The job's terms a bill is worked out with.
struct Terms
{
    /// Percent of the work held back, 0 to 100.
    double retainagePercent = 0;
    /// The effective rates of taxes 1 to 3 (0 for a tax that does not apply).
    std::array<double, 3> rates{};
    /// Deposits received on the job's estimate or work order.
    double depositsReceivedCents = 0;
};

/// Completed to date of an item typed as a percent of its scheduled value, rounded once.
[[nodiscard]] double completedForPercent(const ScheduleItem &item, double percent);

/// Why \a completedToDateCents cannot be billed for \a schedule, or nothing when it can:
/// one figure per item, each between nothing and the item's scheduled value (a
/// change order is the way to bill more).
[[nodiscard]] std::optional<QString> refusal(const std::vector<ScheduleItem> &schedule,
                                             const std::vector<double> &completedToDateCents,
                                             const QLocale &locale);

/// Why \a percent cannot be a job's retainage, or nothing when it can (0 to 100).
[[nodiscard]] std::optional<QString> retainageRefusal(double percent);

/// Completed to date of \a item split like its scheduled value.
[[nodiscard]] WorkParts partsOf(const ScheduleItem &item, double completedCents);

/// The progress invoice that brings the job from \a before to \a completedToDateCents.
/// Needs refusal() to have found nothing.
[[nodiscard]] Bill bill(const std::vector<ScheduleItem> &schedule, const Billed &before,
                        const std::vector<double> &completedToDateCents, const Terms &terms);

/// The final bill of the job: the retainage held, with no tax on it (the work it was
/// held from was taxed when billed), less any deposits still unapplied.
[[nodiscard]] Bill releaseRetainage(const Billed &before, const Terms &terms);

/// What the job's bills come to once \a bill is added to \a before.
[[nodiscard]] Billed after(const Billed &before, const Bill &bill);

} // namespace ProgressBilling
