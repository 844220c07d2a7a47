#include "PlannerCalendar.h"

#include "PlannerDates.h"
#include "company/CompanyRecord.h"
#include "data/BoolText.h"

#include <algorithm>

bool PlannerRow::isHighPriority() const
{
    return BoolText::parse(strActPriority).value_or(false);
}

TrecActivityEdit TrecActivityEdit::newOn(QDate day)
{
    TrecActivityEdit activity;
    activity.strActStartDateTime = PlannerDates::wallClock(day);
    activity.strActEndDateTime = activity.strActStartDateTime;
    return activity;
}

TrecActivityEdit TrecActivityEdit::fromRow(const PlannerRow &row)
{
    TrecActivityEdit activity;
    activity.strActStartDateTime = row.start;
    activity.strActEndDateTime = row.end;
    activity.strActivity = row.strActivity;
    activity.strActNote = row.strActNote;
    activity.strActPriority = row.isHighPriority();
    activity.intActMasterID = row.intActMasterID;
    return activity;
}

MonthGrid::MonthGrid(int year, int month, const YearFlags &flags)
    : m_year(year)
    , m_month(month)
{
    const QDate first(year, month, 1);
    const bool flagsApply = flags.year == year;
    int column = columnOf(first);
    int row = 1;
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        if (column == kColumns) {
            column = 0;
            ++row;
        }
        Cell &cell = m_cells[std::size_t(row)][std::size_t(column)];
        cell.day = day;
        if (flagsApply) {
            const auto dayOfYear = std::size_t(QDate(year, month, day).dayOfYear());
            cell.hasActivity = flags.hasActivity[dayOfYear];
            cell.hasPriority = flags.hasPriority[dayOfYear];
        }
        ++column;
    }
    m_rows = row + 1;
}

const MonthGrid::Cell &MonthGrid::cell(int column, int row) const
{
    static const Cell none;
    if (column < 0 || column >= kColumns || row < 0 || row >= m_rows)
        return none;
    return m_cells[std::size_t(row)][std::size_t(column)];
}

std::optional<QPoint> MonthGrid::cellOfDay(int day) const
{
    for (int row = 1; row < m_rows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (m_cells[std::size_t(row)][std::size_t(column)].day == day)
                return QPoint(column, row);
        }
    }
    return std::nullopt;
}

namespace PlannerCalendar {

QColor cellFill(const MonthGrid &grid, int column, int row, const PlannerSettings &settings, const QColor &gridColor)
{
    QColor fill = gridColor;
    const MonthGrid::Cell &cell = grid.cell(column, row);
    if (column == 0 || column == MonthGrid::kColumns - 1)
        fill = settings.WkndColor;
    if (cell.hasActivity)
        fill = settings.ActColor;
    if (cell.hasPriority)
        fill = settings.PriorityColor;
    if (row == 0)
        fill = settings.HeadingColor;
    return fill;
}

std::pair<QDate, QDate> listRange(QDate selected, PlannerListKind kind)
{
    const QDate monthStart(selected.year(), selected.month(), 1);
    const QDate monthEnd(selected.year(), selected.month(), selected.daysInMonth());
    switch (kind) {
    case PlannerListKind::Day:
        break;
    case PlannerListKind::Week: {
        const QDate sunday = selected.addDays(-MonthGrid::columnOf(selected));
        return {std::max(sunday, monthStart), std::min(sunday.addDays(6), monthEnd)};
    }
    case PlannerListKind::Month:
        return {monthStart, monthEnd};
    }
    return {selected, selected};
}

QString headingText(QDate date, const QLocale &locale)
{
    // The locale's own long form puts day, month and year in its own order.
    return locale.toString(date, QLocale::LongFormat);
}

void sortForList(QList<PlannerRow> &rows, PlannerListKind kind)
{
    if (kind == PlannerListKind::Day) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const PlannerRow &a, const PlannerRow &b) { return a.start < b.start; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const PlannerRow &a, const PlannerRow &b) { return a.start.date() < b.start.date(); });
    }
}

} // namespace PlannerCalendar
