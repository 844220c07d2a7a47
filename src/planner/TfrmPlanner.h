#pragma once

#include "PlannerCalendar.h"
#include "PlannerRecords.h"

#include <QDate>
#include <QDialog>

class ActivityListModel;
class AppContext;
class CalendarGrid;
class QAction;
class QComboBox;
class QLabel;
class QTableView;
class QToolButton;

/// The planner: a month calendar of the dated activities and a list of the
/// activities of the selected day, its week or its month. A click on a listed
/// activity or "New Activity" opens the activity editor.
class TfrmPlanner final : public QDialog
{
    Q_OBJECT
public:
    /// Opens on \a today, maximised when the planner was maximised when last closed.
    explicit TfrmPlanner(AppContext &context, QWidget *parent = nullptr, QDate today = QDate::currentDate());

    [[nodiscard]] QDate selectedDate() const { return m_selected; }
    /// What the printed list reads: the heading, the list kind and its caption, and
    /// the rows in the order shown.
    [[nodiscard]] QString headingText() const;
    [[nodiscard]] PlannerListKind listKind() const;
    [[nodiscard]] QString listKindText() const;
    [[nodiscard]] const QList<PlannerRow> &listedRows() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createCommands();
    void createControls();
    void pShowFormInformation();
    void loadFlags(int year);
    void drawCalendar();
    void showSelectedDay();
    void buildActivityList();
    /// Another PC (or this one) committed: the calendar's marks and the list show it.
    void pShowChangesFromElsewhere();
    void setListColumnWidths();
    void updatePrintCommands();
    void chooseDay(int day);
    void moveMonth(int months);
    void returnToToday();
    void editListedActivity(int row);
    void newActivity();
    void openEditor(const TrecActivityEdit &activity);
    void print(bool preview);

    AppContext &m_context;
    const QDate m_today;
    QDate m_selected;
    YearFlags m_flags;

    QAction *m_actClose = nullptr;
    QAction *m_actNewActivity = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actHelp = nullptr;
    CalendarGrid *m_sgCalenderDay = nullptr;
    QLabel *m_lblDayMnthYear = nullptr;
    QLabel *m_lblTodayDateDay = nullptr;
    QToolButton *m_btnActivityBack = nullptr;
    QToolButton *m_btnActivityNext = nullptr;
    QComboBox *m_cmboPlannerType = nullptr;
    QTableView *m_lvActivityEdit = nullptr;
    ActivityListModel *m_model = nullptr;
};
