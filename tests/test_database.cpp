#include "TestEnvironment.h"
#include "data/BoolText.h"
#include "data/DateText.h"
#include "data/Database.h"
#include "data/SavingIndicator.h"
#include "data/StoredForm.h"
#include "data/QueryWindow.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>
#include <optional>
#include <thread>

class TestDatabase : public QObject
{
    Q_OBJECT

private:
    TestDataFolder m_folder;

    QString freshDb(const QString &name)
    {
        const QString path = m_folder.path() + QLatin1Char('/') + name;
        QFile::remove(path);
        Database db(path, Database::OpenMode::CreateFile);
        db.exec(QStringLiteral("PRAGMA auto_vacuum = INCREMENTAL; CREATE TABLE t(id INTEGER PRIMARY KEY, "
                               "strName TEXT, strFlag TEXT, dbAmount REAL)"));
        return path;
    }

private slots:
    void hostileAndUnicodeTextIsStoredExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes and injection") << QStringLiteral("Bob \"The Builder\" O'Neil; DROP TABLE t;--");
        QTest::newRow("column name") << QStringLiteral("strName");
        QTest::newRow("unicode") << QStringLiteral("Zo\u00eb \u2013 \u05e9\u05dc\u05d5\u05dd \U0001F3E0 \u2019");
        QTest::newRow("control and backslash") << QStringLiteral("a\\b\tc\r\nd%_");
        QTest::newRow("empty") << QString();
        QTest::newRow("long") << QString(10000, QLatin1Char('x'));
    }

    void hostileAndUnicodeTextIsStoredExactly()
    {
        QFETCH(QString, text);
        const QString path = freshDb(QStringLiteral("text.db"));
        Database db(path);
        db.prepare(QStringLiteral("INSERT INTO t(strName) VALUES(?)")).bindAll(text).run();
        Statement q = db.prepare(QStringLiteral("SELECT strName, (SELECT count(*) FROM t) FROM t"));
        QVERIFY(q.step());
        QCOMPARE(q.textAt(0), text);
        QCOMPARE(q.intAt(1), 1);
        QVERIFY(db.tableExists(QStringLiteral("t")));
    }

    void booleanTextReading()
    {
        QCOMPARE(BoolText::from(true), QStringLiteral("-1"));
        QCOMPARE(BoolText::from(false), QStringLiteral("0"));
        QCOMPARE(BoolText::parse(QStringLiteral("-1")), std::optional<bool>(true));
        QCOMPARE(BoolText::parse(QStringLiteral("0")), std::optional<bool>(false));
        QCOMPARE(BoolText::parse(QStringLiteral("7")), std::optional<bool>(true));
        QCOMPARE(BoolText::parse(QStringLiteral("True")), std::optional<bool>(true));
        QCOMPARE(BoolText::parse(QStringLiteral("False")), std::optional<bool>(false));

        const QString path = freshDb(QStringLiteral("bool.db"));
        Database db(path);
        db.exec(QStringLiteral("INSERT INTO t(strFlag) VALUES('-1'),('0'),(''),('yes')"));
        Statement q = db.prepare(QStringLiteral("SELECT strFlag FROM t ORDER BY id"));
        QVERIFY(q.step());
        QCOMPARE(q.boolAt(0), true);
        QVERIFY(q.step());
        QCOMPARE(q.boolAt(0), false);
        for (int row = 0; row < 2; ++row) {
            QVERIFY(q.step());
            QVERIFY_THROWS_EXCEPTION(DbError, (void)q.boolAt(0));
        }
        db.prepare(QStringLiteral("INSERT INTO t(strFlag) VALUES(?)")).bindAll(true).run();
        QCOMPARE(db.queryInt(QStringLiteral("SELECT count(*) FROM t WHERE strFlag = '-1'")), 2);
    }

    void missingRowReadsAsZeroAndEmpty()
    {
        Database db(freshDb(QStringLiteral("empty.db")));
        Statement q = db.prepare(QStringLiteral("SELECT id, strName, dbAmount FROM t WHERE id = 1"));
        QVERIFY(!q.step());
        QCOMPARE(q.intAt(0), 0);
        QCOMPARE(q.textAt(1), QString());
        QCOMPARE(q.doubleAt(2), 0.0);
    }

    void engineErrorsCarryTheEngineMessage()
    {
        Database db(freshDb(QStringLiteral("errors.db")));
        try {
            db.exec(QStringLiteral("INSERT INTO missing VALUES(1)"));
            QFAIL("no error raised");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("no such table: missing")), qPrintable(error.message()));
            QVERIFY(error.statement().contains(QStringLiteral("INSERT INTO missing")));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, Database(m_folder.path() + QStringLiteral("/absent.db")));
        QVERIFY(!QFile::exists(m_folder.path() + QStringLiteral("/absent.db")));
    }

    void transactionRollsBackUnlessCommitted()
    {
        const QString path = freshDb(QStringLiteral("tx.db"));
        Database db(path);
        {
            Transaction tx(db);
            db.exec(QStringLiteral("INSERT INTO t(strName) VALUES('lost')"));
        }
        QCOMPARE(db.queryInt(QStringLiteral("SELECT count(*) FROM t")), 0);
        {
            Transaction tx(db);
            db.exec(QStringLiteral("INSERT INTO t(strName) VALUES('kept')"));
            tx.commit();
        }
        QCOMPARE(Database(path).queryInt(QStringLiteral("SELECT count(*) FROM t")), 1);
    }

    void busyWriterIsWaitedFor()
    {
        const QString path = freshDb(QStringLiteral("busy.db"));
        Database holder(path);
        holder.exec(QStringLiteral("BEGIN IMMEDIATE"));
        std::thread releaser([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            holder.exec(QStringLiteral("COMMIT"));
        });
        Database writer(path);
        writer.exec(QStringLiteral("INSERT INTO t(strName) VALUES('after the lock')"));
        releaser.join();
        QCOMPARE(writer.queryInt(QStringLiteral("SELECT count(*) FROM t")), 1);
    }

    void lockHeldTooLongIsReportedNotHidden()
    {
        // Another program holds the write lock for longer than the policy waits: the
        // user is told so while it waits, then gets the one clear message with the
        // engine's words as detail, and nothing of the transaction is written.
        struct WaitRecorder final : SavingIndicator
        {
            int waits = 0;
            int overs = 0;
            void pShowSaving(const QString &) override {}
            void pCloseSaving() override {}
            void pWaitingForLock() override { ++waits; }
            void pLockWaitOver() override { ++overs; }
        } shown;
        BusyPolicy::setTotalWaitMs(150);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });

        const QString path = freshDb(QStringLiteral("locked.db"));
        Database holder(path);
        holder.exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (const bool inTransaction : {false, true}) {
            Database writer(path);
            writer.setWaitShownOn(&shown);
            try {
                if (inTransaction) {
                    Transaction tx(writer);
                    writer.exec(QStringLiteral("INSERT INTO t(strName) VALUES('x')"));
                    tx.commit();
                } else {
                    writer.exec(QStringLiteral("INSERT INTO t(strName) VALUES('x')"));
                }
                QFAIL("write went through a held lock");
            } catch (const DbError &error) {
                QVERIFY(error.isBusy());
                QCOMPARE(error.message(),
                         QStringLiteral("The company database is in use by another program. Try again in a moment."));
                QVERIFY2(error.detail().contains(QStringLiteral("locked")), qPrintable(error.detail()));
            }
            QVERIFY(shown.waits > 1);
            QCOMPARE(shown.overs, inTransaction ? 2 : 1);
        }
        holder.exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(Database(path).queryInt(QStringLiteral("SELECT count(*) FROM t")), 0);
    }

    void oneOperationWaitsAboutTheTotalOnce()
    {
        // Another program lets go late in the first wait and takes the lock again
        // before the operation's next statement. That statement only gets what is
        // left of the wait, on the same connection or on another the operation opens:
        // a wait started afresh per statement would take the total twice.
        constexpr int kTotal = 2000;
        BusyPolicy::setTotalWaitMs(kTotal);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
        const QString path = freshDb(QStringLiteral("oncewait.db"));

        struct LetGoLate final : SavingIndicator
        {
            Database *holder = nullptr;
            QElapsedTimer sinceFirstWait;
            int waits = 0;
            void pShowSaving(const QString &) override {}
            void pCloseSaving() override {}
            void pWaitingForLock() override
            {
                ++waits;
                if (!sinceFirstWait.isValid())
                    sinceFirstWait.start();
                if (holder && sinceFirstWait.elapsed() >= kTotal * 7 / 10) {
                    holder->exec(QStringLiteral("ROLLBACK"));
                    holder = nullptr;
                }
            }
        };

        for (const bool secondConnection : {false, true}) {
            Database holder(path);
            LetGoLate letGo;
            letGo.holder = &holder;
            std::optional<BusyPolicy::OperationWait> operation;
            if (secondConnection)
                operation.emplace();
            Database first(path);
            first.setWaitShownOn(&letGo);
            Database other(path);
            other.setWaitShownOn(&letGo);
            holder.exec(QStringLiteral("BEGIN EXCLUSIVE"));

            QElapsedTimer elapsed;
            elapsed.start();
            QCOMPARE(first.queryInt(QStringLiteral("SELECT count(*) FROM t")), 0);
            QVERIFY(!letGo.holder); // it was had only after the holder let go
            const int firstWaits = letGo.waits;

            holder.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            Database &next = secondConnection ? other : first;
            try {
                (void)next.queryInt(QStringLiteral("SELECT count(*) FROM t"));
                QFAIL("read went through a held lock");
            } catch (const DbError &error) {
                QVERIFY(error.isBusy());
            }
            const qint64 took = elapsed.elapsed();
            holder.exec(QStringLiteral("ROLLBACK"));
            QVERIFY2(took < kTotal * 3 / 2, qPrintable(QString::number(took)));
            QVERIFY(letGo.waits > firstWaits); // the second wait was shown too
        }
    }

    void compactFailureIsNotAFailedDelete()
    {
        const QString path = freshDb(QStringLiteral("compactbusy.db"));
        BusyPolicy::setTotalWaitMs(50);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
        Database db(path);
        db.exec(QStringLiteral("INSERT INTO t(strName) VALUES('a'),('b')"));
        db.exec(QStringLiteral("DELETE FROM t WHERE strName = 'a'"));
        Database reader(path);
        reader.exec(QStringLiteral("BEGIN IMMEDIATE"));
        QVERIFY(!db.compact());
        reader.exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(db.queryInt(QStringLiteral("SELECT count(*) FROM t")), 1);
        QVERIFY(db.compact());
    }

    void everyConnectionFoldsCase()
    {
        Database db(freshDb(QStringLiteral("fold.db")));
        db.prepare(QStringLiteral("INSERT INTO t(strName) VALUES(?)")).bindAll(QStringLiteral("ÉMILE")).run();
        Database other(db.path());
        QCOMPARE(other.queryInt(QStringLiteral("SELECT count(*) FROM t WHERE fold(strName) = 'émile'")), 1);
    }

    void compactLeavesNoFreePages()
    {
        const QString path = freshDb(QStringLiteral("compact.db"));
        Database db(path);
        Statement insert = db.prepare(QStringLiteral("INSERT INTO t(strName) VALUES(?)"));
        for (int i = 0; i < 500; ++i) {
            insert.bindAll(QString(500, QLatin1Char('a' + i % 26))).run();
            insert.reset();
        }
        db.exec(QStringLiteral("DELETE FROM t"));
        QVERIFY(db.queryInt(QStringLiteral("PRAGMA freelist_count")) > 0);
        db.compact();
        QCOMPARE(db.queryInt(QStringLiteral("PRAGMA freelist_count")), 0);
    }

    void commaLocaleRoundTrip()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale previous;
        QLocale::setDefault(german);
        const QString path = freshDb(QStringLiteral("comma.db"));
        {
            Database db(path);
            db.prepare(QStringLiteral("INSERT INTO t(dbAmount) VALUES(?)")).bindAll(0.0123).run();
            QCOMPARE(db.queryInt(QStringLiteral("SELECT count(*) FROM t WHERE dbAmount = 0.0123")), 1);
            Statement q = db.prepare(QStringLiteral("SELECT dbAmount FROM t"));
            QVERIFY(q.step());
            QCOMPARE(q.doubleAt(0), 0.0123);
        }
        QLocale::setDefault(previous);

        const QString text = DateText::shortDate(QDate(2031, 3, 1), german);
        QCOMPARE(text, QStringLiteral("01.03.2031"));
        QCOMPARE(StoredForm::Legacy::readDate(text, german), QDate(2031, 3, 1));
    }

    void queryWindowReadsAnyRowOfALongListInOrder()
    {
        const QString path = freshDb(QStringLiteral("window.db"));
        {
            Database db(path);
            Transaction tx(db);
            Statement insert = db.prepare(QStringLiteral("INSERT INTO t(id, strName, strFlag) VALUES(?, ?, ?)"));
            // Keys with gaps, so neither row numbers nor offsets can stand in for them.
            for (int i = 0; i < 9000; ++i) {
                insert.bindAll(3 * i + 7, QStringLiteral("row %1").arg(i), i % 3 ? "a" : "b").run();
                insert.reset();
            }
            tx.commit();
        }
        QueryWindow all([&path] { return std::make_unique<Database>(path); },
                        {QStringLiteral("strName, strFlag"), QStringLiteral("t"), {}, {}, QStringLiteral("id")});
        QCOMPARE(all.rowCount(), 9000);
        // Far more rows than the window keeps: down, back to the top, a jump, the end.
        for (int i = 0; i < 9000; i += 7)
            QCOMPARE(all.row(i).value(0), QStringLiteral("row %1").arg(i));
        QCOMPARE(all.row(0).value(0), QStringLiteral("row 0"));
        QCOMPARE(all.row(6001).value(0), QStringLiteral("row 6001"));
        QCOMPARE(all.rows(8998, 5).size(), 2);
        QCOMPARE(all.row(9000), QStringList());

        QueryWindow some([&path] { return std::make_unique<Database>(path); },
                         {QStringLiteral("strName"), QStringLiteral("t"), QStringLiteral("strFlag = ?"),
                          {QStringLiteral("b")}, QStringLiteral("id")});
        QCOMPARE(some.rowCount(), 3000);
        QCOMPARE(some.row(2999).value(0), QStringLiteral("row 8997"));
        QCOMPARE(some.row(1000).value(0), QStringLiteral("row 3000"));

        // Counted later: the rows read so far, then the same list as counted at once,
        // whether it is read to its end or counted on another connection.
        const QueryWindow::Query flagged{QStringLiteral("strName"), QStringLiteral("t"), QStringLiteral("strFlag = ?"),
                                         {QStringLiteral("b")}, QStringLiteral("id")};
        QueryWindow read([&path] { return std::make_unique<Database>(path); }, flagged, QueryWindow::Count::Later);
        QCOMPARE(read.rowCount(), QueryWindow::kBlockRows);
        QVERIFY(!read.countKnown());
        int reads = 0;
        while (!read.countKnown()) {
            read.readMore();
            ++reads;
        }
        QCOMPARE(reads, 3000 / QueryWindow::kBlockRows); // the last block comes back short
        QCOMPARE(read.rowCount(), 3000);
        QueryWindow counted([&path] { return std::make_unique<Database>(path); }, flagged, QueryWindow::Count::Later);
        Database elsewhere(path, Database::OpenMode::ReadOnly);
        counted.setCount(QueryWindow::countWith(elsewhere, counted.counting()));
        QVERIFY(counted.countKnown());
        for (int i = 0; i < 3000; i += 97) {
            QCOMPARE(read.row(i), some.row(i));
            QCOMPARE(counted.row(i), some.row(i));
        }
        QCOMPARE(counted.row(2999), some.row(2999));
        // A list exactly one block long is known whole from its first read.
        QueryWindow exact([&path] { return std::make_unique<Database>(path); },
                          {QStringLiteral("strName"), QStringLiteral("t"), QStringLiteral("id < ?"),
                           {QString::number(3 * QueryWindow::kBlockRows + 7)}, QStringLiteral("id")},
                          QueryWindow::Count::Later);
        if (!exact.countKnown())
            exact.readMore();
        QVERIFY(exact.countKnown());
        QCOMPARE(exact.rowCount(), QueryWindow::kBlockRows);
    }

    void shortDatesKeepTheCentury()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(DateText::shortDate(QDate(1999, 12, 31), us), QStringLiteral("12/31/1999"));
        QCOMPARE(StoredForm::Legacy::readDate(QStringLiteral("12/31/1999"), us), QDate(1999, 12, 31));
        QCOMPARE(StoredForm::Legacy::readDate(QStringLiteral("2030-07-04"), us), QDate(2030, 7, 4));
        QVERIFY(!StoredForm::Legacy::readDate(QStringLiteral("not a date"), us));

        const QDateTime morning = StoredForm::wallClock(QDate(2026, 12, 9), QTime(8, 30));
        const QString shown = DateText::shortDateLongTime(morning, us);
        QVERIFY2(shown.startsWith(QStringLiteral("12/9/2026 ")), qPrintable(shown));
        QCOMPARE(StoredForm::Legacy::readDateTime(shown, us), morning);
        QCOMPARE(DateText::shortDateLongTime(StoredForm::wallClock(QDate(2026, 12, 9)), us), QStringLiteral("12/9/2026"));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
