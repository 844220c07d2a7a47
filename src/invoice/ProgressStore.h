#pragma once

#include "ProgressBilling.h"
#include "ProgressFigures.h"

class Database;

/// A job's schedule of values and its progress invoices as stored. Every routine
/// works inside the caller's transaction.
namespace ProgressStore {

/// One item of the schedule with where it came from.
struct StoredItem
{
    qint64 id = 0;
    /// The estimate, work order or change order and the line (work sheet) of it.
    int sourceNumber = 0;
    int sourceLine = 0;
    ProgressBilling::ScheduleItem item;
};

/// The schedule of job \a jobId in the order its items were added.
[[nodiscard]] std::vector<StoredItem> schedule(Database &db, int jobId);

/// True once the job's schedule has been made.
[[nodiscard]] bool hasSchedule(Database &db, int jobId);

/// Adds the lines of document \a sourceNumber (line i of \a lines is its line i) that
/// the schedule does not hold yet, so a change order saved later adds its lines once.
/// Returns how many were added.
int addToSchedule(Database &db, int jobId, int sourceNumber, const std::vector<ProgressBilling::ScheduleItem> &lines);

/// True once the job has a progress invoice: its estimate, work order and change
/// orders can no longer be converted to invoices.
[[nodiscard]] bool hasProgressInvoices(Database &db, int jobId);

/// The job's retainage percent; 0 for a job that never had one set.
[[nodiscard]] double retainagePercent(Database &db, int jobId);
/// Needs ProgressBilling::retainageRefusal() to have found nothing.
void setRetainagePercent(Database &db, int jobId, double percent);

/// What the job's progress invoices numbered below \a number come to, per item of
/// \a items (the job's schedule); every one of them when \a number is 0.
[[nodiscard]] ProgressBilling::Billed billedBefore(Database &db, int jobId, const std::vector<StoredItem> &items,
                                                   int number = 0);

/// Stores \a bill as progress invoice \a number of the job, made from \a items (the
/// schedule it was worked out on). Storing it again replaces what it billed.
void storeBill(Database &db, int jobId, int number, const std::vector<StoredItem> &items,
               const ProgressBilling::Bill &bill);

/// What saved progress invoice \a number bills beyond its lines, with a Credit's
/// signs when \a asCredit; nothing for any other document.
[[nodiscard]] std::optional<ProgressFigures> figuresOf(Database &db, int number, bool asCredit);

/// The number of the job's latest progress invoice; 0 when it has none.
[[nodiscard]] int latestBill(Database &db, int jobId);

/// The job progress invoice \a number bills; nothing for any other document.
[[nodiscard]] std::optional<int> jobOfBill(Database &db, int number);

/// Takes progress invoice \a number out of its job's bills.
void removeBill(Database &db, int number);

} // namespace ProgressStore
