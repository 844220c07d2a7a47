#pragma once

#include "PlannerCalendar.h"
#include "company/CompanyRecord.h"

#include <QDate>
#include <QLocale>
#include <QWidget>

/// The planner's month calendar: a painted grid of day cells, coloured for weekends,
/// days with activities and days with high-priority activities. A click or the arrow
/// keys choose a day.
class CalendarGrid final : public QWidget
{
    Q_OBJECT
public:
    CalendarGrid(const PlannerSettings &settings, const QLocale &locale, QWidget *parent = nullptr);

    void setMonth(const MonthGrid &grid);
    [[nodiscard]] const MonthGrid &month() const { return m_grid; }
    /// Marks \a day of the shown month as the chosen one.
    void setSelectedDay(int day);
    [[nodiscard]] int selectedDay() const { return m_selectedDay; }
    void setToday(QDate today);

    [[nodiscard]] int columnWidth() const;
    /// Height of a week row; the heading row is one line of text high.
    [[nodiscard]] int rowHeight() const;
    [[nodiscard]] int headingHeight() const;
    [[nodiscard]] QRect cellRect(int column, int row) const;

signals:
    /// The user chose \a day of the shown month.
    void daySelected(int day);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

private:
    void choose(int day);
    [[nodiscard]] int rowAt(int y) const;

    const PlannerSettings &m_settings;
    QLocale m_locale;
    MonthGrid m_grid;
    int m_selectedDay = 0;
    QDate m_today;
};
