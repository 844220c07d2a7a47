#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

/// What the activity list shows: the selected day, its week or its month.
enum class PlannerListKind { Day = 0, Week = 1, Month = 2 };

/// One tblPlanner row as the planner lists it: one day of one activity.
struct PlannerRow
{
    qint64 intActID = 0;
    qint64 intActMasterID = 0;
    int intActYear = 0;
    int intActDayOfYear = 0;
    QString strActStartDateTime;
    QString strActEndDateTime;
    QString strActivity;
    QString strActNote;
    QString strActPriority;

    /// The day this row stands for.
    QDate day;
    /// The whole activity's start and end: read from the stored texts, or, when those
    /// do not read (an older text its upgrade kept as it was), the first and last day
    /// of the activity.
    QDateTime start;
    QDateTime end;
    /// False when start and end were taken from the days because the texts did not read.
    bool timesRead = true;

    [[nodiscard]] bool isHighPriority() const;
};

/// The activity the editor works on. An empty master id means a new activity.
struct TrecActivityEdit
{
    QDateTime strActStartDateTime;
    QDateTime strActEndDateTime;
    QString strActivity;
    QString strActNote;
    bool strActPriority = false;
    std::optional<qint64> intActMasterID;

    /// A new activity on \a day: start and end at midnight, no texts, no priority.
    static TrecActivityEdit newOn(QDate day);
    /// The activity a listed row belongs to.
    static TrecActivityEdit fromRow(const PlannerRow &row);
};

/// Which days of one year have activities, indexed by day of year (1 to 366).
struct YearFlags
{
    int year = 0;
    std::array<bool, 367> hasActivity{};
    std::array<bool, 367> hasPriority{};
};
