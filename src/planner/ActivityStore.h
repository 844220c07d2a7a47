#pragma once

#include "PlannerRecords.h"

#include <QList>
#include <QLocale>

class Database;

/// Reads and writes planner activities. An activity is stored as one tblPlanner row
/// per calendar day it covers; the rows share the master id, which is the row id of
/// the first day's row. Each write is one transaction: it lands whole or not at all.
class ActivityStore
{
public:
    /// The most days one activity may cover (about ten years); more is a typing slip.
    static constexpr int kMaxDays = 3660;

    explicit ActivityStore(Database &db);

    /// Which days of \a year have an activity and which a high-priority one.
    [[nodiscard]] YearFlags loadYearFlags(int year);

    /// The rows of the days \a first to \a last, in date order and, within a day, in
    /// the order they were written.
    [[nodiscard]] QList<PlannerRow> rowsOfDays(QDate first, QDate last);

    /// The rows the list shows for \a selected, in the list's order.
    [[nodiscard]] QList<PlannerRow> listActivities(QDate selected, PlannerListKind kind);

    /// Writes \a activity, replacing all rows of its old version when it has a master
    /// id; returns the new master id. Throws DbError, and changes nothing, when the
    /// activity cannot be stored.
    qint64 save(const TrecActivityEdit &activity);

    /// Deletes all rows of the activity \a masterId.
    void remove(qint64 masterId);

private:
    Database &m_db;
};
