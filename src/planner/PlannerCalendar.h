#pragma once

#include "PlannerRecords.h"

#include <QColor>
#include <QLocale>

#include <QList>
#include <QPoint>
#include <array>
#include <optional>
#include <utility>

/// The month calendar as a grid of seven columns, Sunday to Saturday. Row 0 is the
/// heading of day names; each further row is one week of the month.
class MonthGrid
{
public:
    static constexpr int kColumns = 7;
    static constexpr int kMaxRows = 7;

    struct Cell
    {
        int day = 0; // 0: no day of the month in this cell
        bool hasActivity = false;
        bool hasPriority = false;
    };

    MonthGrid() = default;
    /// The month of \a year and \a month, coloured by \a flags when they are that year's.
    MonthGrid(int year, int month, const YearFlags &flags);

    [[nodiscard]] int year() const { return m_year; }
    [[nodiscard]] int month() const { return m_month; }
    /// Rows including the heading row: 5, 6 or 7.
    [[nodiscard]] int rowCount() const { return m_rows; }
    [[nodiscard]] const Cell &cell(int column, int row) const;
    /// The cell (column, row) that holds \a day, if the month has that day.
    [[nodiscard]] std::optional<QPoint> cellOfDay(int day) const;
    [[nodiscard]] static int columnOf(QDate date) { return date.dayOfWeek() % 7; }

private:
    int m_year = 0;
    int m_month = 0;
    int m_rows = 2;
    std::array<std::array<Cell, kColumns>, kMaxRows> m_cells{};
};

struct PlannerSettings;

namespace PlannerCalendar {

/// The fill of a calendar cell: \a gridColor, then weekend columns, days with an
/// activity, days with a high-priority activity and the heading row, each rule
/// winning over the ones before it.
[[nodiscard]] QColor cellFill(const MonthGrid &grid, int column, int row, const PlannerSettings &settings,
                              const QColor &gridColor);

/// The days the list shows for \a selected: the day itself, its Sunday-to-Saturday
/// week cut to its month, or its whole month.
[[nodiscard]] std::pair<QDate, QDate> listRange(QDate selected, PlannerListKind kind);

/// The selected day in the locale's long form: "Tuesday, March 9, 2010", "Dienstag, 9. März 2010".
[[nodiscard]] QString headingText(QDate date, const QLocale &locale);

/// Orders listed rows as the list shows them: the day list by start date and time,
/// the week and month lists by start date alone; equal keys keep their order.
void sortForList(QList<PlannerRow> &rows, PlannerListKind kind);

} // namespace PlannerCalendar
