#include "CalendarGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Room left free right of and below the cells.
constexpr int kMargin = 10;
constexpr int kTextInset = 2;

} // namespace

CalendarGrid::CalendarGrid(const PlannerSettings &settings, const QLocale &locale, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_locale(locale)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CalendarGrid::setMonth(const MonthGrid &grid)
{
    m_grid = grid;
    update();
}

void CalendarGrid::setSelectedDay(int day)
{
    m_selectedDay = day;
    update();
}

void CalendarGrid::setToday(QDate today)
{
    m_today = today;
    update();
}

int CalendarGrid::columnWidth() const
{
    return std::max(1, (width() - kMargin) / MonthGrid::kColumns);
}

int CalendarGrid::headingHeight() const
{
    return fontMetrics().height() + 2 * kTextInset + 4;
}

int CalendarGrid::rowHeight() const
{
    return std::max(1, (height() - kMargin - headingHeight()) / (m_grid.rowCount() - 1));
}

int CalendarGrid::rowAt(int y) const
{
    if (y < headingHeight())
        return 0;
    return 1 + (y - headingHeight()) / rowHeight();
}

QRect CalendarGrid::cellRect(int column, int row) const
{
    // The last pixel of each cell is the grid line.
    const int top = row == 0 ? 0 : headingHeight() + (row - 1) * rowHeight();
    const int height = row == 0 ? headingHeight() : rowHeight();
    return QRect(column * columnWidth(), top, columnWidth() - 1, height - 1);
}

QSize CalendarGrid::sizeHint() const
{
    return {420, 360};
}

QSize CalendarGrid::minimumSizeHint() const
{
    return {7 * 36 + kMargin, 7 * 28 + kMargin};
}

void CalendarGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor gridColor = palette().color(QPalette::Base);
    const QColor lineColor = palette().color(QPalette::Mid);
    const int rows = m_grid.rowCount();
    painter.fillRect(QRect(0, 0, columnWidth() * MonthGrid::kColumns, headingHeight() + rowHeight() * (rows - 1)),
                     lineColor);

    QFont dayFont = font();
    dayFont.setPointSizeF(dayFont.pointSizeF() * 1.15);
    QFont todayFont = dayFont;
    todayFont.setBold(true);
    const bool showsToday = m_today.year() == m_grid.year() && m_today.month() == m_grid.month();

    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < MonthGrid::kColumns; ++column) {
            const QRect rect = cellRect(column, row);
            painter.fillRect(rect, PlannerCalendar::cellFill(m_grid, column, row, m_settings, gridColor));
            const QRect textRect = rect.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset);
            painter.setPen(palette().color(QPalette::Text));
            if (row == 0) {
                painter.setFont(font());
                // Qt counts Monday as 1 and Sunday as 7; the grid starts on Sunday.
                const int weekday = column == 0 ? 7 : column;
                painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, m_locale.dayName(weekday, QLocale::ShortFormat));
                continue;
            }
            const int day = m_grid.cell(column, row).day;
            if (day == 0)
                continue;
            painter.setFont(showsToday && day == m_today.day() ? todayFont : dayFont);
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, QString::number(day));
            if (day == m_selectedDay) {
                QPen frame(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Dark));
                frame.setWidth(2);
                painter.setPen(frame);
                painter.drawRect(rect.adjusted(1, 1, -1, -1));
            }
        }
    }
}

void CalendarGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int column = at.x() / columnWidth();
    const int row = rowAt(at.y());
    // The heading row and cells without a day choose nothing.
    if (row > 0 && column < MonthGrid::kColumns) {
        const int day = m_grid.cell(column, row).day;
        if (day > 0)
            choose(day);
    }
    QWidget::mousePressEvent(event);
}

void CalendarGrid::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -MonthGrid::kColumns;
        break;
    case Qt::Key_Down:
        step = MonthGrid::kColumns;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const int day = m_selectedDay + step;
    if (day >= 1 && day <= QDate(m_grid.year(), m_grid.month(), 1).daysInMonth())
        choose(day);
}

void CalendarGrid::choose(int day)
{
    setSelectedDay(day);
    emit daySelected(day);
}
