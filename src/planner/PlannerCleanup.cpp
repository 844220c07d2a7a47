#include "PlannerCleanup.h"

#include "PlannerDates.h"
#include "data/Database.h"
#include "data/SavingIndicator.h"

#include <QHash>
#include <QList>
#include <QScopeGuard>

namespace PlannerCleanup {

namespace {

struct StoredEnd
{
    qint64 id = 0;
    qint64 masterId = 0;
    QDate day;
    QDateTime end;
};

/// Whether a stored day lies on or before \a day, or a day cannot be read. An
/// activity ends on or after each of its days, so without such a row nothing ends
/// by the cut-off.
bool anyDayOnOrBefore(Database &db, QDate day)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT EXISTS(SELECT 1 FROM tblPlanner WHERE intActYear < ? OR (intActYear = ? AND intActDayOfYear <= ?) "
        "OR intActYear IS NULL OR intActDayOfYear IS NULL OR intActDayOfYear NOT BETWEEN 1 AND 366)"));
    q.bindAll(day.year(), day.year(), day.dayOfYear());
    return q.step() && q.intAt(0) != 0;
}

} // namespace

std::optional<int> GetRemovalDays(int intRemoveActivity)
{
    switch (intRemoveActivity) {
    case 0:
        return std::nullopt;
    case 1:
        return 1;
    case 2:
        return 30;
    default:
        return 360;
    }
}

int pRemoveOldActivities(Database &db, QDate today, SavingIndicator &saving)
{
    const std::optional<int> days = GetRemovalDays(
        int(db.queryInt(QStringLiteral("SELECT intRemoveActivity FROM tblPlannerSettings WHERE intPlannerSettingsID = 1"))));
    if (!days)
        return 0;
    // Runs at every quit: with nothing old enough, ask one indexed question and leave.
    if (!anyDayOnOrBefore(db, today.addDays(-*days)))
        return 0;

    saving.pShowSaving(QStringLiteral("Cleaning Database..."));
    const auto closePopup = qScopeGuard([&saving] { saving.pCloseSaving(); });
    const QDateTime cutOff = PlannerDates::wallClock(today.addDays(-*days));

    Transaction transaction(db);
    QList<StoredEnd> rows;
    QHash<qint64, QDate> lastDayOf; // per activity
    Statement q = db.prepare(
        QStringLiteral("SELECT intActID, intActMasterID, intActYear, intActDayOfYear, strActEndDateTime FROM tblPlanner"));
    while (q.step()) {
        StoredEnd row{q.int64At(0), q.int64At(1), PlannerDates::dayOf(q.intAt(2), q.intAt(3)),
                      PlannerDates::read(q.textAt(4))};
        if (row.day.isValid() && row.day > lastDayOf.value(row.masterId))
            lastDayOf[row.masterId] = row.day;
        rows << row;
    }

    Statement remove = db.prepare(QStringLiteral("DELETE FROM tblPlanner WHERE intActID = ?"));
    int removed = 0;
    for (const StoredEnd &row : rows) {
        const QDate lastDay = lastDayOf.value(row.masterId);
        QDateTime end = row.end;
        // An end that does not read, or reads as a day before the activity's own last
        // day, gives way to that day; the
        // activity is taken to run to its end, so it never goes too early.
        if (lastDay.isValid() && (!end.isValid() || end.date() < lastDay))
            end = PlannerDates::wallClock(lastDay.addDays(1));
        if (!end.isValid() || end > cutOff)
            continue;
        remove.bind(1, row.id).run();
        remove.reset();
        ++removed;
    }
    transaction.commit();
    if (removed > 0)
        db.compact();
    return removed;
}

} // namespace PlannerCleanup
