#pragma once

#include <QDate>
#include <QLocale>
#include <optional>

class Database;
class SavingIndicator;

/// The housekeeping that removes old activities when the program exits.
namespace PlannerCleanup {

/// How many days an activity must have been over before it is removed, for the
/// stored setting: 0 keeps everything, 1 one day, 2 thirty days, anything else 360.
[[nodiscard]] std::optional<int> GetRemovalDays(int intRemoveActivity);

/// Removes, in one transaction, every activity whose end is on or before midnight of
/// \a today minus the setting's days, then compacts the file. An activity whose end
/// does not read (an older text kept as it was) is judged by its last day, so it is
/// removed only when it is certainly that old. Returns the number of rows removed; throws DbError and
/// leaves the table as it was when the removal fails.
int pRemoveOldActivities(Database &db, QDate today, SavingIndicator &saving);

} // namespace PlannerCleanup
