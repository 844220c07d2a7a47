#include "ActivityStore.h"

#include "PlannerCalendar.h"
#include "PlannerDates.h"
#include "data/BoolText.h"
#include "data/Database.h"

#include <sqlite3.h>

namespace {

// Fills start and end. A text that does not read (one an older version wrote that
// its upgrade could not read, kept as it was) or that does not fit the days the row
// carries as numbers gives way to the activity's own first and last day.
void resolveTimes(PlannerRow &row, QDate firstDay, QDate lastDay)
{
    row.start = PlannerDates::read(row.strActStartDateTime);
    row.end = PlannerDates::read(row.strActEndDateTime);
    const bool fits = row.start.isValid() && row.end.isValid() && row.start.date() == firstDay
                      && std::max(row.start.date(), row.end.date()) == lastDay;
    row.timesRead = fits;
    if (!fits) {
        row.start = PlannerDates::wallClock(firstDay);
        row.end = PlannerDates::wallClock(lastDay);
    }
}

} // namespace

ActivityStore::ActivityStore(Database &db)
    : m_db(db)
{
}

YearFlags ActivityStore::loadYearFlags(int year)
{
    YearFlags flags;
    flags.year = year;
    Statement q = m_db.prepare(
        QStringLiteral("SELECT intActDayOfYear, strActPriority FROM tblPlanner WHERE intActYear = ?"));
    q.bind(1, year);
    while (q.step()) {
        const int day = q.intAt(0);
        if (day < 1 || day > 366)
            continue;
        flags.hasActivity[std::size_t(day)] = true;
        if (BoolText::parse(q.textAt(1)).value_or(false))
            flags.hasPriority[std::size_t(day)] = true;
    }
    return flags;
}

QList<PlannerRow> ActivityStore::rowsOfDays(QDate first, QDate last)
{
    // The span of each listed activity comes along, for rows whose texts do not read.
    Statement q = m_db.prepare(QStringLiteral(
        "WITH listed AS (SELECT * FROM tblPlanner WHERE intActYear = ?1 AND intActDayOfYear BETWEEN ?2 AND ?3), "
        "spans AS (SELECT intActMasterID, MIN(intActYear * 1000 + intActDayOfYear) AS firstDay, "
        "MAX(intActYear * 1000 + intActDayOfYear) AS lastDay FROM tblPlanner "
        "WHERE intActMasterID IN (SELECT intActMasterID FROM listed) GROUP BY intActMasterID) "
        "SELECT l.strActStartDateTime, l.strActEndDateTime, l.strActivity, l.strActNote, l.intActMasterID, "
        "l.intActDayOfYear, l.intActYear, l.strActPriority, l.intActID, s.firstDay, s.lastDay "
        "FROM listed l LEFT JOIN spans s ON s.intActMasterID = l.intActMasterID "
        "ORDER BY l.intActDayOfYear, l.intActID"));
    QList<PlannerRow> rows;
    for (int year = first.year(); year <= last.year(); ++year) {
        const int from = year == first.year() ? first.dayOfYear() : 1;
        const int to = year == last.year() ? last.dayOfYear() : 366;
        q.bindAll(year, from, to);
        while (q.step()) {
            PlannerRow row;
            row.strActStartDateTime = q.textAt(0);
            row.strActEndDateTime = q.textAt(1);
            row.strActivity = q.textAt(2);
            row.strActNote = q.textAt(3);
            row.intActMasterID = q.int64At(4);
            row.intActDayOfYear = q.intAt(5);
            row.intActYear = q.intAt(6);
            row.strActPriority = q.textAt(7);
            row.intActID = q.int64At(8);
            row.day = PlannerDates::dayOf(row.intActYear, row.intActDayOfYear);
            if (!row.day.isValid())
                continue; // day 366 of a common year names no day
            const QDate firstDay = q.isNullAt(9) ? row.day : PlannerDates::dayFromKey(q.int64At(9));
            const QDate lastDay = q.isNullAt(10) ? row.day : PlannerDates::dayFromKey(q.int64At(10));
            resolveTimes(row, firstDay.isValid() ? firstDay : row.day, lastDay.isValid() ? lastDay : row.day);
            rows << row;
        }
        q.reset();
    }
    return rows;
}

QList<PlannerRow> ActivityStore::listActivities(QDate selected, PlannerListKind kind)
{
    const auto [first, last] = PlannerCalendar::listRange(selected, kind);
    QList<PlannerRow> rows = rowsOfDays(first, last);
    PlannerCalendar::sortForList(rows, kind);
    return rows;
}

qint64 ActivityStore::save(const TrecActivityEdit &activity)
{
    const QDate first = activity.strActStartDateTime.date();
    // An end before the start (possible through the times of one day) is one day.
    const QDate last = std::max(first, activity.strActEndDateTime.date());
    if (!first.isValid() || !activity.strActEndDateTime.isValid())
        throw DbError(SQLITE_MISUSE, QStringLiteral("The activity has no valid start or end."));
    if (first.daysTo(last) >= kMaxDays)
        throw DbError(SQLITE_TOOBIG, QStringLiteral("An activity cannot cover more than %1 days.").arg(kMaxDays));

    const QString startText = PlannerDates::toText(activity.strActStartDateTime);
    const QString endText = PlannerDates::toText(activity.strActEndDateTime);

    Transaction transaction(m_db);
    if (activity.intActMasterID) {
        m_db.prepare(QStringLiteral("DELETE FROM tblPlanner WHERE intActMasterID = ?"))
            .bind(1, *activity.intActMasterID)
            .run();
    }
    Statement insert = m_db.prepare(QStringLiteral(
        "INSERT INTO tblPlanner(intActMasterID,intActYear,intActDayOfYear,strActStartDateTime,strActEndDateTime,"
        "strActivity,strActPriority,strActNote)VALUES(?,?,?,?,?,?,?,?)"));
    qint64 masterId = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        insert.bindAll(masterId, day.year(), day.dayOfYear(), startText, endText, activity.strActivity,
                       activity.strActPriority, activity.strActNote);
        insert.run();
        insert.reset();
        if (masterId == 0) {
            masterId = m_db.lastInsertRowId();
            m_db.prepare(QStringLiteral("UPDATE tblPlanner SET intActMasterID = ? WHERE intActID = ?"))
                .bindAll(masterId, masterId)
                .run();
        }
    }
    transaction.commit();
    if (activity.intActMasterID)
        m_db.compact();
    return masterId;
}

void ActivityStore::remove(qint64 masterId)
{
    Transaction transaction(m_db);
    m_db.prepare(QStringLiteral("DELETE FROM tblPlanner WHERE intActMasterID = ?")).bind(1, masterId).run();
    transaction.commit();
    m_db.compact();
}
