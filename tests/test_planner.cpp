#include "TestEnvironment.h"
#include "RecordingPrintModule.h"
#include "widgets/Icons.h"
#include "app/TfrmMain.h"
#include "data/Database.h"
#include "planner/ActivityListModel.h"
#include "planner/ActivityStore.h"
#include "planner/CalendarGrid.h"
#include "planner/PlannerCalendar.h"
#include "planner/PlannerCleanup.h"
#include "planner/PlannerDates.h"
#include "planner/TfrmActivityEdit.h"
#include "planner/TfrmPlanner.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <ctime>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0)
{
    return PlannerDates::wallClock(QDate(year, month, day), QTime(hour, minute));
}

TrecActivityEdit activity(const QDateTime &start, const QDateTime &end, const QString &text, bool priority = false)
{
    TrecActivityEdit a;
    a.strActStartDateTime = start;
    a.strActEndDateTime = end;
    a.strActivity = text;
    a.strActPriority = priority;
    return a;
}

// A started Corvalo program without the sample activities.
struct EmptyPlanner
{
    explicit EmptyPlanner(QDate today = QDate(2026, 3, 12))
    {
        session.start(today);
        session.db()->exec(QStringLiteral("DELETE FROM tblPlanner"));
    }
    qint64 save(const TrecActivityEdit &a)
    {
        const auto db = session.db();
        return ActivityStore(*db).save(a);
    }
    QList<PlannerRow> list(QDate day, PlannerListKind kind)
    {
        const auto db = session.db();
        return ActivityStore(*db).listActivities(day, kind);
    }
    qint64 count(const QString &where = QStringLiteral("1 = 1"))
    {
        return session.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblPlanner WHERE ") + where);
    }
    TestSession session{1};
};

QStringList column(const QList<PlannerRow> &rows, QString PlannerRow::*field)
{
    QStringList values;
    for (const PlannerRow &row : rows)
        values << row.*field;
    return values;
}

QStringList days(const QList<PlannerRow> &rows)
{
    QStringList values;
    for (const PlannerRow &row : rows)
        values << row.day.toString(Qt::ISODate);
    return values;
}

template<typename T>
T *child(const QWidget &parent, const char *name)
{
    auto *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// Runs \a act on the modal dialog the next command opens.
void whenModalOpens(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
        if (modal->isVisible())
            modal->close();
    });
}

} // namespace

class TestPlanner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Every case runs where clocks change, so nothing may lean on 24-hour days.
        qputenv("TZ", "America/New_York");
        tzset();
        Icons::useTheme();
    }

    void monthGridPlacesEveryDay_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QPoint>("firstCell");
        QTest::addColumn<QPoint>("lastCell");
        QTest::newRow("starts Saturday, 31 days") << 2026 << 8 << 7 << QPoint(6, 1) << QPoint(1, 6);
        QTest::newRow("four full weeks") << 2026 << 2 << 5 << QPoint(0, 1) << QPoint(6, 4);
        QTest::newRow("leap February") << 2024 << 2 << 6 << QPoint(4, 1) << QPoint(4, 5);
        QTest::newRow("DST month") << 2026 << 3 << 6 << QPoint(0, 1) << QPoint(2, 5);
        QTest::newRow("December") << 2026 << 12 << 6 << QPoint(2, 1) << QPoint(4, 5);
        QTest::newRow("January after") << 2027 << 1 << 7 << QPoint(5, 1) << QPoint(0, 6);
    }

    void monthGridPlacesEveryDay()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, rows);
        QFETCH(QPoint, firstCell);
        QFETCH(QPoint, lastCell);
        const MonthGrid grid(year, month, YearFlags{});
        QCOMPARE(grid.rowCount(), rows);
        QCOMPARE(grid.cellOfDay(1).value_or(QPoint(-1, -1)), firstCell);
        const int last = QDate(year, month, 1).daysInMonth();
        QCOMPARE(grid.cellOfDay(last).value_or(QPoint(-1, -1)), lastCell);
        QVERIFY(!grid.cellOfDay(last + 1));
        // Days run on without gaps, and the heading row holds none.
        int expected = 1;
        for (int row = 0; row < grid.rowCount(); ++row) {
            for (int col = 0; col < MonthGrid::kColumns; ++col) {
                if (grid.cell(col, row).day == 0)
                    continue;
                QVERIFY(row > 0);
                QCOMPARE(grid.cell(col, row).day, expected++);
            }
        }
        QCOMPARE(expected, last + 1);
    }

    void activitiesColourTheirDaysAcrossTheYearEnd()
    {
        EmptyPlanner p;
        p.save(activity(at(2026, 12, 31, 20), at(2027, 1, 1, 2), QStringLiteral("New year shift")));
        p.save(activity(at(2027, 1, 20, 8), at(2027, 1, 20, 9), QStringLiteral("Urgent"), true));
        p.save(activity(at(2027, 1, 20, 10), at(2027, 1, 20, 11), QStringLiteral("Normal")));
        p.save(activity(at(2024, 12, 31), at(2024, 12, 31), QStringLiteral("Leap year end")));
        p.save(activity(at(2027, 1, 23, 9), at(2027, 1, 23, 10), QStringLiteral("Saturday job")));
        QCOMPARE(p.count(QStringLiteral("strActivity = 'New year shift'")), 2);

        const auto db = p.session.db();
        ActivityStore store(*db);
        const YearFlags flags2026 = store.loadYearFlags(2026);
        const YearFlags flags2027 = store.loadYearFlags(2027);
        QVERIFY(flags2026.hasActivity[365]);
        QVERIFY(!flags2026.hasActivity[1]);
        QVERIFY(flags2027.hasActivity[1]);
        QVERIFY(store.loadYearFlags(2024).hasActivity[366]);

        // Flags of another year colour nothing.
        QVERIFY(!MonthGrid(2027, 1, flags2026).cell(5, 1).hasActivity);
        const MonthGrid january(2027, 1, flags2027);
        QVERIFY(january.cell(5, 1).hasActivity);

        PlannerSettings colours;
        colours.ActColor = Qt::yellow;
        colours.WkndColor = Qt::cyan;
        colours.PriorityColor = Qt::red;
        colours.HeadingColor = Qt::gray;
        const QColor grid = Qt::white;
        const auto fill = [&](int day) {
            const QPoint cell = *january.cellOfDay(day);
            return PlannerCalendar::cellFill(january, cell.x(), cell.y(), colours, grid);
        };
        QCOMPARE(fill(20), QColor(Qt::red));   // a normal and a high-priority activity
        QCOMPARE(fill(23), QColor(Qt::yellow)); // Saturday with an activity
        QCOMPARE(fill(24), QColor(Qt::cyan));   // Sunday without
        QCOMPARE(fill(21), QColor(Qt::white));
        QCOMPARE(PlannerCalendar::cellFill(january, 6, 0, colours, grid), QColor(Qt::gray));
    }

    void listRangeIsCutToTheMonth_data()
    {
        QTest::addColumn<QDate>("selected");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::newRow("day") << QDate(2026, 3, 12) << 0 << QDate(2026, 3, 12) << QDate(2026, 3, 12);
        QTest::newRow("week inside month") << QDate(2026, 3, 12) << 1 << QDate(2026, 3, 8) << QDate(2026, 3, 14);
        QTest::newRow("week from the 1st") << QDate(2026, 4, 1) << 1 << QDate(2026, 4, 1) << QDate(2026, 4, 4);
        QTest::newRow("week to month end") << QDate(2026, 3, 31) << 1 << QDate(2026, 3, 29) << QDate(2026, 3, 31);
        QTest::newRow("Sunday") << QDate(2026, 3, 8) << 1 << QDate(2026, 3, 8) << QDate(2026, 3, 14);
        QTest::newRow("leap month") << QDate(2024, 2, 10) << 2 << QDate(2024, 2, 1) << QDate(2024, 2, 29);
    }

    void listRangeIsCutToTheMonth()
    {
        QFETCH(QDate, selected);
        QFETCH(int, kind);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        const auto range = PlannerCalendar::listRange(selected, PlannerListKind(kind));
        QCOMPARE(range.first, first);
        QCOMPARE(range.second, last);
    }

    void savingWritesOneRowPerDayUnderOneMaster()
    {
        EmptyPlanner p;
        const qint64 master = p.save(activity(at(2026, 3, 30, 10), at(2026, 4, 2, 9), QStringLiteral("Roof")));
        Statement q = p.session.db()->prepare(QStringLiteral(
            "SELECT intActID, intActMasterID, intActYear, intActDayOfYear, strActStartDateTime, strActEndDateTime "
            "FROM tblPlanner ORDER BY intActID"));
        QList<int> dayNumbers;
        qint64 firstId = 0;
        while (q.step()) {
            if (!firstId)
                firstId = q.int64At(0);
            QCOMPARE(q.int64At(1), master);
            QCOMPARE(q.intAt(2), 2026);
            QCOMPARE(q.textAt(4), QStringLiteral("2026-03-30T10:00:00"));
            QCOMPARE(q.textAt(5), QStringLiteral("2026-04-02T09:00:00"));
            dayNumbers << q.intAt(3);
        }
        QCOMPARE(master, firstId);
        QCOMPARE(dayNumbers, QList<int>({89, 90, 91, 92}));

        // Leap day at midnight.
        p.save(activity(at(2024, 2, 28), at(2024, 3, 1), QStringLiteral("Leap")));
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Leap' AND intActDayOfYear IN (59, 60, 61)")), 3);
        QCOMPARE(p.count(QStringLiteral("strActStartDateTime = '2024-02-28T00:00:00'")), 3);

        // An end before the start on the same day stays one day.
        p.save(activity(at(2026, 6, 1, 10), at(2026, 6, 1, 9), QStringLiteral("Backwards")));
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Backwards'")), 1);
    }

    void daylightSavingChangesShiftNoDayAndNoTime()
    {
        EmptyPlanner p;
        p.save(activity(at(2026, 3, 7, 22), at(2026, 3, 9, 1), QStringLiteral("Spring forward")));
        p.save(activity(at(2026, 10, 31, 23), at(2026, 11, 1, 1, 30), QStringLiteral("Fall back")));
        // 2:30 does not exist on the clock that morning; it is still what the user chose.
        p.save(activity(at(2026, 3, 8, 2, 30), at(2026, 3, 8, 3, 15), QStringLiteral("In the gap")));

        QCOMPARE(p.count(QStringLiteral("strActivity = 'Spring forward' AND intActDayOfYear IN (66, 67, 68)")), 3);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Fall back'")), 2);
        const QList<PlannerRow> rows = p.list(QDate(2026, 3, 8), PlannerListKind::Day);
        QCOMPARE(column(rows, &PlannerRow::strActivity), QStringList({"Spring forward", "In the gap"}));
        QCOMPARE(rows[1].strActStartDateTime, QStringLiteral("2026-03-08T02:30:00"));
        QVERIFY(rows[1].timesRead);
        QCOMPARE(rows[1].start, at(2026, 3, 8, 2, 30));
        QCOMPARE(rows[0].end, at(2026, 3, 9, 1));
    }

    void editingReplacesEveryRowOfTheActivity()
    {
        EmptyPlanner p;
        TrecActivityEdit a = activity(at(2026, 5, 4, 8), at(2026, 5, 5, 17), QStringLiteral("Deck"));
        const qint64 other = p.save(activity(at(2026, 5, 4, 9), at(2026, 5, 4, 10), QStringLiteral("Other")));
        a.intActMasterID = p.save(a);
        a.strActivity = QStringLiteral("Deck and stairs");
        const qint64 renewed = p.save(a);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Deck'")), 0);
        QCOMPARE(p.count(QStringLiteral("intActMasterID = %1 AND strActivity = 'Deck and stairs'").arg(renewed)), 2);
        QCOMPARE(p.session.db()->queryInt(QStringLiteral("SELECT MIN(intActID) FROM tblPlanner WHERE intActMasterID = %1")
                                              .arg(renewed)),
                 renewed);

        const auto db = p.session.db();
        ActivityStore(*db).remove(renewed);
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.count(QStringLiteral("intActMasterID = %1").arg(other)), 1);
    }

    void textsAreStoredExactlyAsTyped()
    {
        EmptyPlanner p;
        const QString text = QStringLiteral("O'Brien \"deck\"; DROP TABLE tblPlanner;--");
        TrecActivityEdit a = activity(at(2026, 7, 1, 8), at(2026, 7, 1, 9), text);
        a.strActNote = QStringLiteral("Größe 3×4 m – \"mind the 🐕\"\nsecond line");
        p.save(a);
        const QList<PlannerRow> rows = p.list(QDate(2026, 7, 1), PlannerListKind::Day);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].strActivity, text);
        QCOMPARE(rows[0].strActNote, a.strActNote);
    }

    void anActivityOfTooManyDaysIsRefusedWhole()
    {
        EmptyPlanner p;
        const QDateTime start = at(2026, 1, 1);
        QVERIFY_THROWS_EXCEPTION(
            DbError, p.save(activity(start, start.addDays(ActivityStore::kMaxDays), QStringLiteral("Typo"))));
        QCOMPARE(p.count(), 0);
        p.save(activity(start, start.addDays(ActivityStore::kMaxDays - 1), QStringLiteral("Long contract")));
        QCOMPARE(p.count(), ActivityStore::kMaxDays);
    }

    void listsShowTheDayWeekOrMonth()
    {
        EmptyPlanner p;
        p.save(activity(at(2026, 1, 5, 9), at(2026, 1, 5, 10), QStringLiteral("Day 5")));
        p.save(activity(at(2026, 2, 19, 9), at(2026, 2, 19, 10), QStringLiteral("Day 50")));
        p.save(activity(at(2026, 3, 30, 10), at(2026, 4, 2, 9), QStringLiteral("Roof")));
        QCOMPARE(column(p.list(QDate(2026, 1, 5), PlannerListKind::Day), &PlannerRow::strActivity),
                 QStringList({"Day 5"}));
        QCOMPARE(days(p.list(QDate(2026, 3, 1), PlannerListKind::Month)), QStringList({"2026-03-30", "2026-03-31"}));
        QCOMPARE(days(p.list(QDate(2026, 4, 20), PlannerListKind::Month)), QStringList({"2026-04-01", "2026-04-02"}));
        QCOMPARE(days(p.list(QDate(2026, 4, 1), PlannerListKind::Week)), QStringList({"2026-04-01", "2026-04-02"}));
        QCOMPARE(days(p.list(QDate(2026, 3, 31), PlannerListKind::Week)), QStringList({"2026-03-30", "2026-03-31"}));
        for (const PlannerRow &row : p.list(QDate(2026, 4, 1), PlannerListKind::Week)) {
            QCOMPARE(row.start, at(2026, 3, 30, 10));
            QCOMPARE(row.end, at(2026, 4, 2, 9));
        }

        // The day list runs by start time; week and month lists by start date alone,
        // so an activity's days stay together.
        p.save(activity(at(2026, 5, 2, 14), at(2026, 5, 2, 15), QStringLiteral("Afternoon")));
        p.save(activity(at(2026, 5, 1, 8), at(2026, 5, 3, 9), QStringLiteral("Three days")));
        p.save(activity(at(2026, 5, 2, 8), at(2026, 5, 2, 9), QStringLiteral("Morning")));
        QCOMPARE(column(p.list(QDate(2026, 5, 2), PlannerListKind::Day), &PlannerRow::strActivity),
                 QStringList({"Three days", "Morning", "Afternoon"}));
        const QList<PlannerRow> month = p.list(QDate(2026, 5, 2), PlannerListKind::Month);
        QCOMPARE(column(month, &PlannerRow::strActivity),
                 QStringList({"Three days", "Three days", "Three days", "Afternoon", "Morning"}));
        QCOMPARE(days(month).first(3), QStringList({"2026-05-01", "2026-05-02", "2026-05-03"}));

        ActivityListModel model(kUs);
        model.setRows(month);
        QCOMPARE(model.index(1, ActivityListModel::Date).data().toString(), QStringLiteral("5/2/2026"));
        QCOMPARE(model.index(1, ActivityListModel::ActivityStart).data().toString(), QStringLiteral("5/1/2026 8:00 AM"));
        QCOMPARE(model.index(1, ActivityListModel::StartDateTime).data().toString(),
                 QStringLiteral("2026-05-01T08:00:00"));
        QCOMPARE(model.headerData(ActivityListModel::ActID, Qt::Horizontal).toString(), QStringLiteral("ActID"));
    }

    void cleanupRemovesOnlyWhatIsOldEnough_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("days");
        QTest::newRow("keep everything") << 0 << 0;
        QTest::newRow("one day") << 1 << 1;
        QTest::newRow("thirty days") << 2 << 30;
        QTest::newRow("a year") << 3 << 360;
        QTest::newRow("any other value") << 9 << 360;
    }

    void cleanupRemovesOnlyWhatIsOldEnough()
    {
        QFETCH(int, setting);
        QFETCH(int, days);
        const QDate today(2026, 6, 15);
        EmptyPlanner p(today);
        p.session.db()->prepare(QStringLiteral("UPDATE tblPlannerSettings SET intRemoveActivity = ?")).bind(1, setting).run();
        const QDate cutOff = today.addDays(-(days ? days : 30));
        p.save(activity(PlannerDates::wallClock(cutOff.addDays(-3)), PlannerDates::wallClock(cutOff.addDays(-1), QTime(23, 59)),
                        QStringLiteral("day before")));
        p.save(activity(PlannerDates::wallClock(cutOff.addDays(-2), QTime(8, 0)), PlannerDates::wallClock(cutOff),
                        QStringLiteral("on the cut-off")));
        p.save(activity(PlannerDates::wallClock(cutOff, QTime(8, 0)), PlannerDates::wallClock(cutOff, QTime(9, 0)),
                        QStringLiteral("that morning")));
        p.save(activity(PlannerDates::wallClock(cutOff.addDays(1)), PlannerDates::wallClock(cutOff.addDays(1)),
                        QStringLiteral("day after")));

        const auto db = p.session.db();
        const int removed = PlannerCleanup::pRemoveOldActivities(*db, today, p.session.saving);
        const QStringList left = [&] {
            QStringList names;
            Statement q = db->prepare(QStringLiteral("SELECT strActivity FROM tblPlanner GROUP BY strActivity "
                                                     "ORDER BY MIN(intActID)"));
            while (q.step())
                names << q.textAt(0);
            return names;
        }();
        if (days == 0) {
            QCOMPARE(removed, 0);
            QCOMPARE(left.size(), 4);
        } else {
            // Multi-day activities go whole: 3 + 3 rows.
            QCOMPARE(removed, 6);
            QCOMPARE(left, QStringList({"that morning", "day after"}));
        }
    }

    void cleanupAtAYearIsThreeHundredSixtyDays()
    {
        const QDate today(2026, 6, 15);
        EmptyPlanner p(today);
        p.session.db()->exec(QStringLiteral("UPDATE tblPlannerSettings SET intRemoveActivity = 3"));
        p.save(activity(PlannerDates::wallClock(today.addDays(-361)), PlannerDates::wallClock(today.addDays(-361), QTime(8, 0)),
                        QStringLiteral("361 days")));
        p.save(activity(PlannerDates::wallClock(today.addDays(-359)), PlannerDates::wallClock(today.addDays(-359), QTime(8, 0)),
                        QStringLiteral("359 days")));
        QCOMPARE(PlannerCleanup::pRemoveOldActivities(*p.session.db(), today, p.session.saving), 1);
        QCOMPARE(p.count(QStringLiteral("strActivity = '359 days'")), 1);
    }

    void cleanupWithNothingOldEnoughDoesNoWork()
    {
        struct Popups final : SavingIndicator
        {
            QStringList shown;
            void pShowSaving(const QString &text) override { shown << text; }
            void pCloseSaving() override {}
        } popups;
        const QDate today(2026, 6, 15);
        EmptyPlanner p(today);
        p.session.db()->exec(QStringLiteral("UPDATE tblPlannerSettings SET intRemoveActivity = 2"));
        const QDate cutOff = today.addDays(-30);
        p.save(activity(PlannerDates::wallClock(cutOff.addDays(1)), PlannerDates::wallClock(cutOff.addDays(2)),
                        QStringLiteral("recent")));
        const auto db = p.session.db();
        QCOMPARE(PlannerCleanup::pRemoveOldActivities(*db, today, popups), 0);
        QCOMPARE(popups.shown, QStringList());

        // A row whose day cannot be read still goes through the full check.
        db->exec(QStringLiteral("UPDATE tblPlanner SET intActDayOfYear = 0 WHERE intActID = "
                                "(SELECT MIN(intActID) FROM tblPlanner)"));
        QCOMPARE(PlannerCleanup::pRemoveOldActivities(*db, today, popups), 0);
        QCOMPARE(popups.shown, QStringList({"Cleaning Database..."}));

        p.save(activity(PlannerDates::wallClock(cutOff.addDays(-1)), PlannerDates::wallClock(cutOff),
                        QStringLiteral("old")));
        QCOMPARE(PlannerCleanup::pRemoveOldActivities(*db, today, popups), 2);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'old'")), 0);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'recent'")), 2);
    }

    void aFailingCleanupLeavesTheTableAsItWas()
    {
        const QDate today(2026, 6, 15);
        EmptyPlanner p(today);
        p.session.db()->exec(QStringLiteral("UPDATE tblPlannerSettings SET intRemoveActivity = 1"));
        for (int i = 1; i <= 3; ++i)
            p.save(activity(at(2025, 1, i), at(2025, 1, i + 2), QStringLiteral("old %1").arg(i)));
        p.session.db()->exec(QStringLiteral(
            "CREATE TRIGGER refuseSecond BEFORE DELETE ON tblPlanner WHEN OLD.strActivity = 'old 2' "
            "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
        QVERIFY_THROWS_EXCEPTION(DbError, PlannerCleanup::pRemoveOldActivities(*p.session.db(), today, p.session.saving));
        QCOMPARE(p.count(), 9);
    }

    void unreadableStoredTimesFallBackToTheDays()
    {
        EmptyPlanner p(QDate(2026, 5, 2));
        p.save(activity(at(2026, 3, 30, 10), at(2026, 4, 2, 9), QStringLiteral("Roof")));
        p.save(activity(at(2026, 3, 31, 13), at(2026, 3, 31, 14), QStringLiteral("Call")));
        // Texts an older version wrote that its upgrade could not read are kept as they were.
        p.session.db()->exec(QStringLiteral("UPDATE tblPlanner SET strActStartDateTime = '3/30/2026 10:00:00 AM', "
                                            "strActEndDateTime = '4/2/2026 9:00:00 AM' WHERE strActivity = 'Roof'"));

        const QList<PlannerRow> rows = p.list(QDate(2026, 3, 31), PlannerListKind::Month);
        QCOMPARE(column(rows, &PlannerRow::strActivity), QStringList({"Roof", "Roof", "Call"}));
        QVERIFY(!rows[0].timesRead);
        QCOMPARE(rows[0].start, at(2026, 3, 30));
        QCOMPARE(rows[0].end, at(2026, 4, 2));
        QVERIFY(rows[2].timesRead);
        QCOMPARE(rows[2].start, at(2026, 3, 31, 13));
        ActivityListModel model(kGerman);
        model.setRows(rows);
        QCOMPARE(model.index(0, ActivityListModel::ActivityStart).data().toString(),
                 QStringLiteral("3/30/2026 10:00:00 AM"));
        QCOMPARE(model.index(0, ActivityListModel::Date).data().toString(), QStringLiteral("30.03.2026"));
        QCOMPARE(model.index(2, ActivityListModel::ActivityStart).data().toString(), QStringLiteral("31.03.2026 13:00"));

        // The exit clean-up judges such rows by their last day: "Roof" ended on 2 April.
        p.session.db()->exec(QStringLiteral("UPDATE tblPlannerSettings SET intRemoveActivity = 2"));
        const auto db = p.session.db();
        QCOMPARE(PlannerCleanup::pRemoveOldActivities(*db, QDate(2026, 5, 2), p.session.saving), 1);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Roof'")), 4);
        QCOMPARE(PlannerCleanup::pRemoveOldActivities(*db, QDate(2026, 5, 3), p.session.saving), 4);
    }

    // ------------------------------------------------------------ activity editor

    void newActivityNeedsItsText()
    {
        EmptyPlanner p;
        TfrmActivityEdit editor(p.session.context, TrecActivityEdit::newOn(QDate(2026, 3, 12)));
        editor.show();
        QCOMPARE(editor.windowTitle(), QStringLiteral("Activity Edit Form"));
        auto *save = child<QAction>(editor, "actSave");
        auto *cancel = child<QAction>(editor, "actCancel");
        QVERIFY(!save->isVisible() && !cancel->isVisible() && !child<QAction>(editor, "actDelete")->isVisible());
        QCOMPARE(child<QTimeEdit>(editor, "dtPickerPlannerStartTime")->time(), QTime(8, 0));
        QCOMPARE(child<QTimeEdit>(editor, "dtPickerPlannerEndTime")->time(), QTime(8, 0));
        QCOMPARE(save->toolTip(), QStringLiteral("Save changes to this Activity"));

        auto *text = child<QLineEdit>(editor, "txtPlannerActivity");
        child<QCheckBox>(editor, "ckbxActPriority")->setChecked(true);
        QVERIFY(!save->isVisible());
        QTest::keyClicks(text, QStringLiteral("Call the inspector about the permit today"));
        QVERIFY(save->isVisible() && cancel->isVisible());
        QCOMPARE(text->text().size(), TfrmActivityEdit::kActivityLength);
        auto *notes = child<QPlainTextEdit>(editor, "txtActivityNotes");
        notes->setPlainText(QString(300, QLatin1Char('n')));
        QCOMPARE(notes->toPlainText().size(), TfrmActivityEdit::kNotesLength);

        text->clear();
        QVERIFY(!save->isVisible());
        QVERIFY(editor.close());
        QVERIFY(p.session.prompts.asked.isEmpty());
        QCOMPARE(p.count(), 0);
        QVERIFY(!editor.changedDocument());
    }

    void datesKeepTheEndAfterTheStart()
    {
        EmptyPlanner p;
        TrecActivityEdit roof = activity(at(2026, 3, 30, 10), at(2026, 4, 2, 9), QStringLiteral("Roof"));
        roof.intActMasterID = p.save(roof);
        TfrmActivityEdit editor(p.session.context, roof);
        editor.show();
        auto *startDate = child<QDateEdit>(editor, "dtPickerPlannerStartDateTime");
        auto *endDate = child<QDateEdit>(editor, "dtPickerPlannerEndDateTime");
        QCOMPARE(child<QTimeEdit>(editor, "dtPickerPlannerStartTime")->time(), QTime(10, 0));

        editor.activateWindow();
        endDate->setFocus();
        endDate->selectAll();
        QTest::keyClicks(endDate, QStringLiteral("3/29/2026"));
        QTest::keyClick(endDate, Qt::Key_Tab);
        QCOMPARE(p.session.prompts.messages(QStringLiteral("Information")),
                 QStringList({"Date must be equal to or later than: 3/30/2026"})); // once
        QCOMPARE(endDate->date(), QDate(2026, 3, 30));
        QCOMPARE(endDate->text(), QStringLiteral("3/30/2026"));
        // Same day, but 9:00 is still before 10:00.
        endDate->setDate(QDate(2026, 3, 30));
        QCOMPARE(p.session.prompts.messages(QStringLiteral("Information")).size(), 1);
        endDate->setDate(QDate(2026, 4, 1));
        endDate->setDate(QDate(2026, 3, 30));
        QCOMPARE(p.session.prompts.messages(QStringLiteral("Information")).size(), 2);

        // A later start carries the end date along, without a message.
        startDate->setDate(QDate(2026, 4, 5));
        QCOMPARE(endDate->date(), QDate(2026, 4, 5));
        QCOMPARE(child<QTimeEdit>(editor, "dtPickerPlannerEndTime")->time(), QTime(9, 0));
        QCOMPARE(p.session.prompts.messages(QStringLiteral("Information")).size(), 2);
    }

    void cancelAsksEvenWithoutChangesAndSaveReplaces()
    {
        EmptyPlanner p;
        TrecActivityEdit deck = activity(at(2026, 5, 4, 8), at(2026, 5, 5, 17), QStringLiteral("Deck"));
        deck.intActMasterID = p.save(deck);
        ScriptedPrompts &prompts = p.session.prompts;
        {
            TfrmActivityEdit editor(p.session.context, deck);
            editor.show();
            QVERIFY(child<QAction>(editor, "actCancel")->isVisible());
            QVERIFY(!editor.hasUnsavedChanges());
            prompts.answers = {Prompts::Cancel, Prompts::No};
            child<QAction>(editor, "actCancel")->trigger();
            QCOMPARE(prompts.lastMessage(), QStringLiteral("Do you want to save changes to this Activity?"));
            QVERIFY(editor.isVisible());
            child<QAction>(editor, "actCancel")->trigger();
            QVERIFY(!editor.isVisible());
            QVERIFY(!editor.changedDocument());
        }
        {
            TfrmActivityEdit editor(p.session.context, deck);
            editor.show();
            child<QLineEdit>(editor, "txtPlannerActivity")->setText(QStringLiteral("Deck and stairs"));
            child<QAction>(editor, "actSave")->trigger();
            QVERIFY(!editor.isVisible());
            QCOMPARE(editor.result(), int(QDialog::Accepted));
            QVERIFY(editor.changedDocument());
        }
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Deck'")), 0);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Deck and stairs'")), 2);
        QCOMPARE(prompts.unplanned, 0);
    }

    void closingWithChangesAsksToSave()
    {
        EmptyPlanner p;
        TfrmActivityEdit editor(p.session.context, TrecActivityEdit::newOn(QDate(2026, 3, 12)));
        editor.show();
        child<QLineEdit>(editor, "txtPlannerActivity")->setText(QStringLiteral("Order paint"));
        p.session.prompts.answers = {Prompts::Cancel, Prompts::Yes};
        child<QAction>(editor, "actClose")->trigger();
        QCOMPARE(p.session.prompts.lastMessage(), QStringLiteral("Save changes before closing?"));
        QVERIFY(editor.isVisible());
        QTest::keyClick(&editor, Qt::Key_Escape);
        QVERIFY(!editor.isVisible());
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Order paint' AND strActStartDateTime = '2026-03-12T08:00:00'")),
                 1);

        TfrmActivityEdit discard(p.session.context, TrecActivityEdit::newOn(QDate(2026, 3, 13)));
        discard.show();
        child<QLineEdit>(discard, "txtPlannerActivity")->setText(QStringLiteral("Never mind"));
        p.session.prompts.answers = {Prompts::No};
        QVERIFY(discard.close());
        QCOMPARE(p.count(), 1);
    }

    void deleteAsksAndAlwaysReloadsThePlanner()
    {
        EmptyPlanner p;
        TrecActivityEdit job = activity(at(2026, 5, 4, 8), at(2026, 5, 6, 17), QStringLiteral("Job"));
        job.intActMasterID = p.save(job);
        ScriptedPrompts &prompts = p.session.prompts;
        for (const Prompts::Answer answer : {Prompts::Cancel, Prompts::No, Prompts::Yes}) {
            TfrmActivityEdit editor(p.session.context, job);
            editor.show();
            prompts.answers = {answer};
            child<QAction>(editor, "actDelete")->trigger();
            QCOMPARE(prompts.lastMessage(), QStringLiteral("Delete this Activity from your list?"));
            QCOMPARE(editor.isVisible(), answer == Prompts::Cancel);
            QCOMPARE(editor.changedDocument(), answer != Prompts::Cancel);
            QCOMPARE(p.count(), answer == Prompts::Yes ? 0 : 3);
        }
    }

    void aFailedSaveKeepsTheOldActivityAndTheChanges()
    {
        EmptyPlanner p;
        TrecActivityEdit job = activity(at(2026, 5, 4, 8), at(2026, 5, 6, 17), QStringLiteral("Job"));
        job.intActMasterID = p.save(job);
        p.session.db()->exec(QStringLiteral(
            "CREATE TRIGGER diskFull BEFORE INSERT ON tblPlanner BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
        TfrmActivityEdit editor(p.session.context, job);
        editor.show();
        child<QLineEdit>(editor, "txtPlannerActivity")->setText(QStringLiteral("Job moved"));
        child<QAction>(editor, "actSave")->trigger();
        QCOMPARE(p.session.prompts.messages(QStringLiteral("Error")), QStringList({"database or disk is full"}));
        QVERIFY(editor.isVisible());
        QVERIFY(editor.hasUnsavedChanges());
        QVERIFY(!editor.changedDocument());
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Job' AND intActMasterID = %1").arg(*job.intActMasterID)), 3);
        p.session.prompts.answers = {Prompts::No};
        editor.close();
    }

    // ------------------------------------------------------------ planner window

    void plannerOpensOnTodayWithTheSamples()
    {
        const QDate today(2026, 3, 12);
        TestSession session(1);
        session.start(today);
        TfrmPlanner planner(session.context, nullptr, today);
        planner.show();
        QVERIFY(planner.isMaximized()); // the stored preference
        QCOMPARE(child<QLabel>(planner, "lblDayMnthYear")->text(), QStringLiteral("Thursday, March 12, 2026"));
        QCOMPARE(child<QLabel>(planner, "lblTodayDateDay")->text(), QStringLiteral("Today: 3/12/2026"));
        QCOMPARE(planner.listKindText(), QStringLiteral("Day Planner List"));
        QCOMPARE(column(planner.listedRows(), &PlannerRow::strActivity), QStringList({"Estimate for the jones"}));
        QVERIFY(child<QAction>(planner, "actPrint")->isEnabled());
        QVERIFY(child<QAction>(planner, "actPrintPreview")->isVisible());
        QCOMPARE(child<QAction>(planner, "actPrint")->toolTip(), QStringLiteral("Print current activity list"));

        const MonthGrid &month = child<CalendarGrid>(planner, "sgCalenderDay")->month();
        const auto flagged = [&](int day) {
            const QPoint cell = *month.cellOfDay(day);
            return month.cell(cell.x(), cell.y());
        };
        QVERIFY(flagged(12).hasPriority && flagged(17).hasPriority);
        QVERIFY(flagged(2).hasActivity && flagged(4).hasActivity && !flagged(4).hasPriority);
        QVERIFY(!flagged(5).hasActivity);

        child<QComboBox>(planner, "cmboPlannerType")->setCurrentIndex(2);
        QCOMPARE(planner.listedRows().size(), 5);

        {
            RecordingPrintModule printer(session.context);
            child<QAction>(planner, "actPrint")->trigger();
            QCOMPARE(printer.calls, QStringList{QStringLiteral("print 4")});
            const ListPrintout &printout = printer.requests.first().printout;
            QCOMPARE(printout.rows.rowCount(), 5);
            QCOMPARE(printout.parameters.value(QStringLiteral("rvstrPlannerTitle")),
                     QStringLiteral("Month Planner List of Activities for:"));
            QCOMPARE(printout.parameters.value(QStringLiteral("rvstrActDateWkMnthHdng")), QStringLiteral("Activity Date"));
            QCOMPARE(printout.rows.value(0, QStringLiteral("rvstrActivityWkMnth")), planner.listedRows().first().strActivity);
        }

        planner.showNormal();
        planner.close();
        QVERIFY(!session.context.preferences[AppPreferences::PlannerShow]);
        TfrmPlanner reopened(session.context, nullptr, today);
        reopened.show();
        QVERIFY(!reopened.isMaximized());
        // At its normal size the start and end texts are shown whole.
        auto *list = child<QTableView>(reopened, "lvActivityEdit");
        for (int column : {int(ActivityListModel::ActivityStart), int(ActivityListModel::ActivityEnd)}) {
            const QString shown = list->model()->index(0, column).data().toString();
            QVERIFY(shown.contains(QLatin1Char(':')));
            QVERIFY(list->columnWidth(column) > list->fontMetrics().horizontalAdvance(shown));
        }
        reopened.showMaximized();
        reopened.close();
        QVERIFY(session.context.preferences[AppPreferences::PlannerShow]);
    }

    void printPreviewOnlyInTheFullEditions()
    {
        TestSession session(3);
        session.start(QDate(2026, 3, 12));
        TfrmPlanner planner(session.context, nullptr, QDate(2026, 3, 12));
        planner.show();
        QVERIFY(!child<QAction>(planner, "actPrintPreview")->isVisible());
        QVERIFY(child<QAction>(planner, "actPrint")->isVisible());
    }

    void monthButtonsAndDaysMoveTheSelection()
    {
        const QDate today(2026, 12, 31);
        EmptyPlanner p(today);
        p.save(activity(at(2026, 1, 20, 8), at(2026, 1, 20, 9), QStringLiteral("Last January")));
        p.save(activity(at(2027, 1, 10, 8), at(2027, 1, 10, 9), QStringLiteral("Next January")));
        TfrmPlanner planner(p.session.context, nullptr, today);
        planner.show();
        auto *calendar = child<CalendarGrid>(planner, "sgCalenderDay");

        QTest::mouseClick(child<QToolButton>(planner, "btnActivityNext"), Qt::LeftButton);
        QCOMPARE(planner.selectedDate(), QDate(2027, 1, 31));
        QCOMPARE(calendar->month().rowCount(), 7);
        const auto flagged = [calendar](int day) {
            const QPoint cell = calendar->month().cellOfDay(day).value_or(QPoint(-1, -1));
            return calendar->month().cell(cell.x(), cell.y()).hasActivity;
        };
        QVERIFY(flagged(10));
        QVERIFY(!flagged(20)); // 20 January of the year before
        QTest::mouseClick(child<QToolButton>(planner, "btnActivityNext"), Qt::LeftButton);
        QCOMPARE(planner.selectedDate(), QDate(2027, 2, 28));

        // A click on a day chooses it; the heading row and empty cells choose nothing.
        const QPoint tenth = *calendar->month().cellOfDay(10);
        QTest::mouseClick(calendar, Qt::LeftButton, {}, calendar->cellRect(tenth.x(), tenth.y()).center());
        QCOMPARE(planner.selectedDate(), QDate(2027, 2, 10));
        QCOMPARE(calendar->selectedDay(), 10);
        QTest::mouseClick(calendar, Qt::LeftButton, {}, calendar->cellRect(3, 0).center());
        QTest::mouseClick(calendar, Qt::LeftButton, {}, calendar->cellRect(6, calendar->month().rowCount() - 1).center());
        QCOMPARE(planner.selectedDate(), QDate(2027, 2, 10));
        QTest::keyClick(calendar, Qt::Key_Down);
        QCOMPARE(planner.selectedDate(), QDate(2027, 2, 17));
        QVERIFY(!child<QAction>(planner, "actPrint")->isEnabled()); // nothing listed

        QTest::mouseClick(child<QLabel>(planner, "lblTodayDateDay"), Qt::LeftButton);
        QCOMPARE(planner.selectedDate(), today);
        QCOMPARE(calendar->month().month(), 12);
    }

    void theEditorOpensFromThePlannerAndThePlannerReloads()
    {
        const QDate today(2026, 3, 12);
        EmptyPlanner p(today);
        p.save(activity(at(2026, 3, 12, 7), at(2026, 3, 12, 8), QStringLiteral("Early")));
        TfrmPlanner planner(p.session.context, nullptr, today);
        planner.show();

        whenModalOpens([](QWidget *modal) {
            auto *editor = qobject_cast<TfrmActivityEdit *>(modal);
            QVERIFY(editor);
            QCOMPARE(child<QDateEdit>(*editor, "dtPickerPlannerStartDateTime")->date(), QDate(2026, 3, 12));
            QTest::keyClicks(child<QLineEdit>(*editor, "txtPlannerActivity"), QStringLiteral("Walk-through"));
            child<QAction>(*editor, "actSave")->trigger();
        });
        child<QAction>(planner, "actNewActivity")->trigger();
        QCOMPARE(column(planner.listedRows(), &PlannerRow::strActivity), QStringList({"Early", "Walk-through"}));

        auto *list = child<QTableView>(planner, "lvActivityEdit");
        QString opened;
        whenModalOpens([&opened](QWidget *modal) {
            opened = child<QLineEdit>(*modal, "txtPlannerActivity")->text();
            QVERIFY(child<QAction>(*modal, "actDelete")->isVisible());
        });
        const QRect second = list->visualRect(list->model()->index(1, ActivityListModel::Activity));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(opened, QStringLiteral("Walk-through"));
        QCOMPARE(planner.listedRows().size(), 2);
    }

    void theMainWindowOpensThePlannerAndCleansUpWhenItCloses()
    {
        EmptyPlanner p(QDate::currentDate());
        p.session.db()->exec(QStringLiteral("UPDATE tblPlannerSettings SET intRemoveActivity = 1"));
        const QDate old = QDate::currentDate().addDays(-5);
        p.save(activity(PlannerDates::wallClock(old), PlannerDates::wallClock(old, QTime(9, 0)), QStringLiteral("Old")));
        p.save(activity(at(2099, 1, 1), at(2099, 1, 1), QStringLiteral("Future")));
        TfrmMain window(p.session.context);
        window.show();
        bool opened = false;
        whenModalOpens([&opened](QWidget *modal) { opened = qobject_cast<TfrmPlanner *>(modal) != nullptr; });
        child<QAction>(window, "actShowHidePlanner")->trigger();
        QVERIFY(opened);
        QCOMPARE(p.count(), 2);
        QVERIFY(window.close());
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.count(QStringLiteral("strActivity = 'Future'")), 1);
    }
};

QTEST_MAIN(TestPlanner)
#include "test_planner.moc"
