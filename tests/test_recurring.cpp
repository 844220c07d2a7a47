#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "invoice/Recurring.h"

#include <QTest>

namespace {

void addHeader(Database &db, const QString &kind, int number, const QString &recurring)
{
    db.prepare(QStringLiteral("INSERT INTO tblInvHeader (strInvName, intInvNumber, strRecurring) VALUES (?, ?, ?)"))
        .bindAll(kind, number, recurring)
        .run();
}

} // namespace

class TestRecurring : public QObject
{
    Q_OBJECT

private slots:
    void onlyInvoicesMarkedRecurringCount()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const auto db = session.db();
        QVERIFY(Recurring::GetRecurringNumbers(*db).isEmpty());

        addHeader(*db, QStringLiteral("Invoice"), 510, QStringLiteral("-1"));
        addHeader(*db, QStringLiteral("Invoice"), 511, QStringLiteral("0"));
        addHeader(*db, QStringLiteral("Estimate"), 512, QStringLiteral("-1"));
        addHeader(*db, QStringLiteral("Credit"), 513, QStringLiteral("-1"));
        addHeader(*db, QStringLiteral("Past Due"), 514, QStringLiteral("-1"));
        addHeader(*db, QStringLiteral("invoice"), 520, QStringLiteral("-1"));
        // A kind name that only contains the word, or holds a quote, is no invoice.
        addHeader(*db, QStringLiteral("Pro \"Invoice\""), 530, QStringLiteral("-1"));
        QCOMPARE(Recurring::GetRecurringNumbers(*db), QList<int>({510, 520}));
    }

    void lastPrintedDateIsStoredAndShown()
    {
        TestSession session(Edition::Heddrin);
        session.start();
        const auto db = session.db();
        QCOMPARE(Recurring::GetLastPrintedText(*db, session.context.locale), QStringLiteral(" Never"));

        Recurring::pSetLastPrinted(*db, QDate(2026, 3, 5));
        QCOMPARE(db->queryInt(QStringLiteral("SELECT count(*) FROM tblRecurring WHERE strLastPrintedDate = '2026-03-05'")), 1);
        QCOMPARE(Recurring::GetLastPrintedText(*db, session.context.locale), QStringLiteral("3/5/2026"));
        QCOMPARE(Recurring::GetLastPrintedDate(*db), QDate(2026, 3, 5));
        QCOMPARE(db->queryInt(QStringLiteral("SELECT count(*) FROM tblRecurring")), 1);

        Recurring::pSetLastPrinted(*db, QDate(2027, 12, 31));
        QCOMPARE(Recurring::GetLastPrintedText(*db, session.context.locale), QStringLiteral("12/31/2027"));
        QCOMPARE(db->queryInt(QStringLiteral("SELECT count(*) FROM tblRecurring")), 1);
    }

    void aMissingRowIsNeverAndIsRecreatedOnTheNextRun()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const auto db = session.db();
        db->exec(QStringLiteral("DELETE FROM tblRecurring"));
        QCOMPARE(Recurring::GetLastPrintedText(*db, session.context.locale), QStringLiteral(" Never"));
        QVERIFY(!Recurring::GetLastPrintedDate(*db).isValid());

        Recurring::pSetLastPrinted(*db, QDate(2026, 1, 2));
        QCOMPARE(Recurring::GetLastPrintedText(*db, session.context.locale), QStringLiteral("1/2/2026"));
    }
};

QTEST_MAIN(TestRecurring)
#include "test_recurring.moc"
