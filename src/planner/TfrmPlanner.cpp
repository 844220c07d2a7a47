#include "TfrmPlanner.h"
#include "widgets/ReadOnlyList.h"

#include "ActivityListModel.h"
#include "ActivityStore.h"
#include "CalendarGrid.h"
#include "PlannerDates.h"
#include "context/AppContext.h"
#include "context/WindowOpening.h"
#include "core/Edition.h"
#include "widgets/Icons.h"
#include "core/Prompts.h"
#include "widgets/Ribbon.h"
#include "data/DateText.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "widgets/ListPlace.h"
#include "printing/ListReports.h"
#include "core/PrintModule.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {


QAction *makeCommand(QObject *owner, const QString &name, const QString &caption, Icons::Command icon)
{
    auto *action = new QAction(Icons::forCommand(icon), caption, owner);
    action->setObjectName(name);
    return action;
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

void setHint(QAction *action, const QString &hint)
{
    action->setToolTip(hint);
    action->setStatusTip(hint);
}

} // namespace

TfrmPlanner::TfrmPlanner(AppContext &context, QWidget *parent, QDate today)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_today(today)
    , m_selected(today)
{
    setObjectName(QStringLiteral("frmPlanner"));
    setWindowTitle(tr("Planner"));
    setWindowIcon(Icons::forCommand(Icons::Command::Planner));
    setMinimumSize(750, 600);
    resize(960, 680);
    createCommands();
    createControls();
    pShowFormInformation();

    loadFlags(m_selected.year());
    const int kind = m_context.company.planner.intDefaultPlanner;
    m_cmboPlannerType->setCurrentIndex(kind >= 0 && kind <= 2 ? kind : 0);
    drawCalendar();

    connect(m_cmboPlannerType, &QComboBox::currentIndexChanged, this, [this] {
        buildActivityList();
        updatePrintCommands();
    });
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmPlanner::pShowChangesFromElsewhere);
    WheelGuard::protect(this);
}

void TfrmPlanner::createCommands()
{
    using C = Icons::Command;
    m_actClose = makeCommand(this, QStringLiteral("actClose"), tr("Close"), C::Close);
    connect(m_actClose, &QAction::triggered, this, &QWidget::close);
    m_actNewActivity = makeCommand(this, QStringLiteral("actNewActivity"), tr("New Activity"), C::Add);
    connect(m_actNewActivity, &QAction::triggered, this, &TfrmPlanner::newActivity);
    m_actPrintPreview = makeCommand(this, QStringLiteral("actPrintPreview"), tr("Print Preview"), C::PrintPreview);
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { print(true); });
    m_actPrint = makeCommand(this, QStringLiteral("actPrint"), tr("Print"), C::Print);
    connect(m_actPrint, &QAction::triggered, this, [this] { print(false); });
    m_actHelp = makeCommand(this, QStringLiteral("actHelp"), tr("Help"), C::Help);
    m_actHelp->setShortcut(QKeySequence::HelpContents);
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
}

void TfrmPlanner::createControls()
{
    auto *ribbon = new Ribbon(this);
    QWidget *page = ribbon->addPage(tr("Planner"));
    RibbonGroup *activities = ribbon->addGroup(page, tr("Activities"));
    activities->addAction(m_actClose);
    activities->addAction(m_actNewActivity);
    RibbonGroup *printing = ribbon->addGroup(page, tr("Print"));
    printing->addAction(m_actPrintPreview);
    printing->addAction(m_actPrint);
    ribbon->addGroup(page, tr("Help"))->addAction(m_actHelp);

    m_btnActivityBack = new QToolButton(this);
    m_btnActivityBack->setObjectName(QStringLiteral("btnActivityBack"));
    m_btnActivityBack->setText(QStringLiteral("<<"));
    connect(m_btnActivityBack, &QToolButton::clicked, this, [this] { moveMonth(-1); });
    m_btnActivityNext = new QToolButton(this);
    m_btnActivityNext->setObjectName(QStringLiteral("btnActivityNext"));
    m_btnActivityNext->setText(QStringLiteral(">>"));
    connect(m_btnActivityNext, &QToolButton::clicked, this, [this] { moveMonth(1); });

    m_lblDayMnthYear = new QLabel(this);
    m_lblDayMnthYear->setObjectName(QStringLiteral("lblDayMnthYear"));
    m_lblDayMnthYear->setAlignment(Qt::AlignCenter);
    QFont headingFont = m_lblDayMnthYear->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    m_lblDayMnthYear->setFont(headingFont);

    m_sgCalenderDay = new CalendarGrid(m_context.company.planner, m_context.locale, this);
    m_sgCalenderDay->setObjectName(QStringLiteral("sgCalenderDay"));
    m_sgCalenderDay->setToday(m_today);
    connect(m_sgCalenderDay, &CalendarGrid::daySelected, this, &TfrmPlanner::chooseDay);

    m_lblTodayDateDay = new QLabel(this);
    m_lblTodayDateDay->setObjectName(QStringLiteral("lblTodayDateDay"));
    QFont linkFont = m_lblTodayDateDay->font();
    linkFont.setUnderline(true);
    m_lblTodayDateDay->setFont(linkFont);
    m_lblTodayDateDay->setCursor(Qt::PointingHandCursor);
    m_lblTodayDateDay->installEventFilter(this);

    m_cmboPlannerType = new QComboBox(this);
    m_cmboPlannerType->setObjectName(QStringLiteral("cmboPlannerType"));
    m_cmboPlannerType->addItems({tr("Day Planner List"), tr("Week Planner List"), tr("Month Planner List")});

    m_model = new ActivityListModel(m_context.locale, this);
    m_lvActivityEdit = new QTableView(this);
    m_lvActivityEdit->setObjectName(QStringLiteral("lvActivityEdit"));
    m_lvActivityEdit->setModel(m_model);
    m_lvActivityEdit->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvActivityEdit->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvActivityEdit->setSelectionMode(QAbstractItemView::SingleSelection);
    giveListKeys(m_lvActivityEdit);
    m_lvActivityEdit->setWordWrap(false);
    m_lvActivityEdit->setTextElideMode(Qt::ElideRight); // a long activity shows that it goes on
    m_lvActivityEdit->setShowGrid(false);
    m_lvActivityEdit->verticalHeader()->hide();
    m_lvActivityEdit->horizontalHeader()->setHighlightSections(false);
    m_lvActivityEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows alternate between the window colour and the button face.
    QPalette listColors = m_lvActivityEdit->palette();
    listColors.setColor(QPalette::AlternateBase, listColors.color(QPalette::Button));
    m_lvActivityEdit->setPalette(listColors);
    m_lvActivityEdit->setAlternatingRowColors(true);
    m_lvActivityEdit->installEventFilter(this);
    m_lvActivityEdit->viewport()->installEventFilter(this);
    for (int column = 0; column < ActivityListModel::ColumnCount; ++column)
        m_lvActivityEdit->setColumnHidden(column, !ActivityListModel::isShown(column));
    connect(m_lvActivityEdit, &QTableView::clicked, this,
            [this](const QModelIndex &index) { editListedActivity(index.row()); });

    auto *monthRow = new QHBoxLayout;
    monthRow->addWidget(m_btnActivityBack);
    monthRow->addWidget(m_lblDayMnthYear, 1);
    monthRow->addWidget(m_btnActivityNext);

    auto *calendarSide = new QWidget(this);
    auto *calendarLayout = new QVBoxLayout(calendarSide);
    calendarLayout->setContentsMargins(0, 0, 0, 0);
    calendarLayout->addWidget(m_sgCalenderDay, 1);
    calendarLayout->addWidget(m_lblTodayDateDay, 0, Qt::AlignLeft);

    auto *listSide = new QWidget(this);
    auto *listLayout = new QVBoxLayout(listSide);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_cmboPlannerType, 0, Qt::AlignLeft);
    listLayout->addWidget(m_lvActivityEdit, 1);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitterPlanner"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(calendarSide);
    splitter->addWidget(listSide);
    // The list's start and end columns need the room more than the calendar does.
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({400, 600});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->addWidget(ribbon);
    layout->addLayout(monthRow);
    layout->addWidget(splitter, 1);
}

void TfrmPlanner::pShowFormInformation()
{
    if (m_context.preferences[AppPreferences::PlannerShow])
        setWindowState(windowState() | Qt::WindowMaximized);
    setHint(m_actPrintPreview, tr("Print Preview current activity list"));
    setHint(m_actPrint, tr("Print current activity list"));
    setHint(m_cmboPlannerType, tr("Select Activity list type or change planner settings"));
    setHint(m_sgCalenderDay, tr("Select a date to view or edit"));
    setHint(m_lblTodayDateDay, tr("Click to return to todays date"));
    setHint(m_lvActivityEdit, tr("Select an Activity to Edit"));
    setHint(m_btnActivityBack, tr("Previous Month"));
    setHint(m_btnActivityNext, tr("Next Month"));
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmPlanner::loadFlags(int year)
{
    try {
        const auto db = m_context.openDatabase();
        m_flags = ActivityStore(*db).loadYearFlags(year);
    } catch (const DbError &error) {
        m_flags = YearFlags{};
        m_flags.year = year;
        m_context.prompts().showError(error.message(), error.detail());
    }
}

void TfrmPlanner::drawCalendar()
{
    m_sgCalenderDay->setMonth(MonthGrid(m_selected.year(), m_selected.month(), m_flags));
    showSelectedDay();
}

void TfrmPlanner::showSelectedDay()
{
    m_sgCalenderDay->setSelectedDay(m_selected.day());
    m_lblDayMnthYear->setText(headingText());
    m_lblTodayDateDay->setText(tr("Today: ") + DateText::shortDate(m_today, m_context.locale));
    buildActivityList();
    updatePrintCommands();
}

void TfrmPlanner::buildActivityList()
{
    QList<PlannerRow> rows;
    try {
        const auto db = m_context.openDatabase();
        rows = ActivityStore(*db).listActivities(m_selected, listKind());
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
    m_model->setRows(std::move(rows));
    setListColumnWidths();
}

void TfrmPlanner::pShowChangesFromElsewhere()
{
    YearFlags flags;
    QList<PlannerRow> rows;
    try {
        const auto db = m_context.openDatabase();
        flags = ActivityStore(*db).loadYearFlags(m_selected.year());
        rows = ActivityStore(*db).listActivities(m_selected, listKind());
    } catch (const DbError &) {
        // Nobody asked for this look: the planner keeps what it shows until the next one.
        return;
    }
    const ListPlace place(m_lvActivityEdit, ActivityListModel::ActID);
    m_flags = flags;
    m_sgCalenderDay->setMonth(MonthGrid(m_selected.year(), m_selected.month(), m_flags));
    m_sgCalenderDay->setSelectedDay(m_selected.day());
    m_model->setRows(std::move(rows));
    place.restore();
    updatePrintCommands();
}

void TfrmPlanner::setListColumnWidths()
{
    const double width = m_lvActivityEdit->viewport()->width();
    const bool dayList = listKind() == PlannerListKind::Day;
    const bool wide = width >= 500;
    const double date = 0.15;
    const double startEnd = dayList ? 0.24 : wide ? 0.21 : 0.19;
    m_lvActivityEdit->setColumnHidden(ActivityListModel::Date, dayList);
    m_lvActivityEdit->setColumnWidth(ActivityListModel::Date, qRound(date * width));
    // Never narrower than the longest start or end text, which would be cut short.
    const QString longest = PlannerDates::listText(QDateTime(QDate(2026, 12, 28), QTime(22, 58, 58)), m_context.locale);
    const int startEndWidth =
        std::max(qRound(startEnd * width), m_lvActivityEdit->fontMetrics().horizontalAdvance(longest) + 16);
    m_lvActivityEdit->setColumnWidth(ActivityListModel::ActivityStart, startEndWidth);
    m_lvActivityEdit->setColumnWidth(ActivityListModel::ActivityEnd, startEndWidth);
    // The activity takes what is left, so it ends at the list's edge, not past it.
    const int dateWidth = dayList ? 0 : qRound(date * width);
    m_lvActivityEdit->setColumnWidth(ActivityListModel::Activity,
                                     std::max(80, int(width) - dateWidth - 2 * startEndWidth));
}

void TfrmPlanner::updatePrintCommands()
{
    const bool listed = m_model->rowCount() > 0;
    m_actPrint->setEnabled(listed);
    m_actPrintPreview->setEnabled(listed);
}

QString TfrmPlanner::headingText() const
{
    return PlannerCalendar::headingText(m_selected, m_context.locale);
}

PlannerListKind TfrmPlanner::listKind() const
{
    return PlannerListKind(std::clamp(m_cmboPlannerType->currentIndex(), 0, 2));
}

QString TfrmPlanner::listKindText() const
{
    return m_cmboPlannerType->currentText();
}

const QList<PlannerRow> &TfrmPlanner::listedRows() const
{
    return m_model->rows();
}

void TfrmPlanner::chooseDay(int day)
{
    m_selected = QDate(m_selected.year(), m_selected.month(), day);
    showSelectedDay();
}

void TfrmPlanner::moveMonth(int months)
{
    const QDate moved = m_selected.addMonths(months);
    if (!moved.isValid())
        return;
    if (moved.year() != m_selected.year())
        loadFlags(moved.year());
    m_selected = moved;
    drawCalendar();
}

void TfrmPlanner::returnToToday()
{
    m_selected = m_today;
    loadFlags(m_today.year());
    drawCalendar();
}

void TfrmPlanner::editListedActivity(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    openEditor(TrecActivityEdit::fromRow(m_model->rows().at(row)));
}

void TfrmPlanner::newActivity()
{
    openEditor(TrecActivityEdit::newOn(m_selected));
}

void TfrmPlanner::openEditor(const TrecActivityEdit &activity)
{
    if (m_context.windows && m_context.windows->openActivityEditor(activity, this)) {
        loadFlags(m_selected.year());
        drawCalendar();
    }
    updatePrintCommands();
}

void TfrmPlanner::print(bool preview)
{
    if (!m_context.printModule)
        return;
    QList<ListReports::PlannerListRow> rows;
    for (int row = 0; row < m_model->rowCount(); ++row)
        rows.append({m_model->rows().at(row).intActID,
                     m_model->index(row, ActivityListModel::Date).data().toString()});
    const bool dayList = listKind() == PlannerListKind::Day;
    PrintRequest request = PrintRequest::of(PrintKind::Planner);
    try {
        request.printout = {ListReports::pSetPlannerData(m_cmboPlannerType->currentText(), m_lblDayMnthYear->text(),
                                                         dayList),
                            ListReports::RvCustomConnectionPlanner(*m_context.openDatabase(), rows, dayList,
                                                                   m_context.locale)};
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    if (preview)
        m_context.printModule->pPrintPreview(request);
    else
        (void)m_context.printModule->pPrint(request);
}

void TfrmPlanner::done(int result)
{
    m_context.preferences[AppPreferences::PlannerShow] = isMaximized();
    QDialog::done(result);
}

bool TfrmPlanner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lblTodayDateDay && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        returnToToday();
        return true;
    }
    if (!m_lvActivityEdit)
        return QDialog::eventFilter(watched, event);
    if (watched == m_lvActivityEdit->viewport() && event->type() == QEvent::Resize)
        setListColumnWidths();
    if (watched == m_lvActivityEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_lvActivityEdit->currentIndex().isValid()) {
            editListedActivity(m_lvActivityEdit->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
