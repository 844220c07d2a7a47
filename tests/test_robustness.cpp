// Kills a process that is writing documents at random moments and checks that the
// file is never left half-written; runs two writers at once and checks that they
// never share a number. The same executable is the child: see childMain().

#include "TestEnvironment.h"
#include "core/Edition.h"
#include "app/StartUp.h"
#include "data/Database.h"
#include "invoice/DocumentStore.h"

#include <QProcess>
#include <QTest>
#include <csignal>
#include <random>

namespace {

constexpr int kEdition = Edition::Corvalo;

void saveNewDocument(AppContext &context, DocumentStore &store, std::mt19937 &rng)
{
    CurrentDocument &doc = context.document;
    doc.header.blnNewInvoice = true;
    store.pLoadInvoice();
    const int kind = std::uniform_int_distribution<int>(0, 3)(rng);
    doc.header.strInvName = kind == 0 ? "Estimate" : kind == 3 ? "Credit" : "Invoice";
    doc.header.strPaidInFull = kind == 1;
    doc.header.strInvDate = QDate(2026, std::uniform_int_distribution<int>(1, 12)(rng), 15);
    // The document records how many lines it has, so a check can tell a whole one from a torn one.
    const int lines = std::uniform_int_distribution<int>(1, 7)(rng);
    doc.header.strCustPONumber = QString::number(lines);
    for (int l = 0; l < lines; ++l) {
        const double labor = std::uniform_int_distribution<int>(1, 500)(rng);
        doc.lines.appendPriceLine({.description = QStringLiteral("line %1").arg(l),
                                   .quantity = 1,
                                   .laborPrice = labor,
                                   .laborTaxable = false,
                                   .materialTaxable = false});
    }
    store.pSaveInvoice();
}

/// Child: writes, rewrites and deletes documents until it is killed.
int childMain(int editionNumber, quint32 seed, int count)
{
    ScriptedPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(Edition::get(editionNumber), prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    StartUp::pStartUp(context);
    DocumentStore store(context);
    std::mt19937 rng(seed);
    for (int i = 0; count < 0 || i < count; ++i) {
        const int action = std::uniform_int_distribution<int>(0, 9)(rng);
        const int next = store.GetInvoiceNumber();
        if (action < 6 || next == 500 || count >= 0) {
            saveNewDocument(context, store, rng);
            continue;
        }
        CurrentDocument &doc = context.document;
        doc.header.blnNewInvoice = false;
        doc.header.intInvNumber = std::uniform_int_distribution<int>(500, next - 1)(rng);
        try {
            store.pLoadInvoice();
        } catch (const DbError &) {
            continue; // deleted earlier
        }
        if (action < 9) {
            // Move it to another month; its posting must move with it.
            doc.header.strInvDate = QDate(2027, 1 + (doc.header.intInvNumber + i) % 12, 1);
            store.pSaveInvoice();
        } else if (!doc.header.strPaidInFull && doc.header.strInvName != QLatin1String("Credit")) {
            store.pDeleteInvoice(); // only documents that never posted, so the sums stay checkable
        }
    }
    return 0;
}

qint64 one(Database &db, const QString &sql)
{
    return db.queryInt(sql);
}

} // namespace

class TestRobustness : public QObject
{
    Q_OBJECT

    QProcess *startChild(int count, quint32 seed)
    {
        auto *child = new QProcess(this);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--child"), QString::number(seed), QString::number(count)});
        return child;
    }

    void checkWhole(Database &db)
    {
        QCOMPARE(one(db, "SELECT count(*) FROM pragma_integrity_check WHERE integrity_check <> 'ok'"), 0);
        QCOMPARE(one(db, "SELECT count(*) - count(DISTINCT intInvNumber) FROM tblInvHeader"), 0);
        // Every document has exactly its own lines, and no line is without its document.
        Statement torn = db.prepare(QStringLiteral(
            "SELECT h.intInvNumber FROM tblInvHeader h LEFT JOIN tblInvData d ON d.intInvNumber = h.intInvNumber "
            "GROUP BY h.intInvNumber HAVING count(d.intInvDataID) <> CAST(h.strCustPONumber AS INTEGER)"));
        QVERIFY2(!torn.step(), qPrintable(QStringLiteral("document %1 is torn").arg(torn.intAt(0))));
        QCOMPARE(one(db, "SELECT count(*) FROM tblInvData WHERE intInvNumber NOT IN (SELECT intInvNumber FROM "
                         "tblInvHeader)"),
                 0);
        QVERIFY(one(db, "SELECT intInvNumber FROM tblCompanyInvData") > one(db, "SELECT ifnull(max(intInvNumber), 0) "
                                                                                "FROM tblInvHeader"));
        // Postings are there exactly for paid invoices and credits: the labor total of
        // all months equals what those documents add up to.
        Statement posted = db.prepare(QStringLiteral("SELECT ifnull(sum(dbLbrTotal), 0) FROM tblReport"));
        posted.step();
        Statement expected = db.prepare(QStringLiteral(
            "SELECT ifnull(sum(CASE WHEN upper(h.strInvName) = 'CREDIT' THEN -d.dbLbrPrc "
            "WHEN h.strPaidInFull = '-1' THEN d.dbLbrPrc ELSE 0 END), 0) "
            "FROM tblInvHeader h JOIN tblInvData d ON d.intInvNumber = h.intInvNumber"));
        expected.step();
        QVERIFY2(qAbs(posted.doubleAt(0) - expected.doubleAt(0)) < 1e-6,
                 qPrintable(QStringLiteral("posted %1, documents %2").arg(posted.doubleAt(0)).arg(expected.doubleAt(0))));
    }

private slots:
    void killedWriterLeavesWholeDocuments()
    {
        TestSession session(kEdition);
        session.start();
        const int rounds = qEnvironmentVariableIntValue("TARNWICK_CRASH_ROUNDS") > 0
            ? qEnvironmentVariableIntValue("TARNWICK_CRASH_ROUNDS")
            : 25;
        std::mt19937 rng(4242);
        for (int round = 0; round < rounds; ++round) {
            QProcess *child = startChild(-1, quint32(round));
            QVERIFY(child->waitForStarted());
            QTest::qWait(std::uniform_int_distribution<int>(30, 250)(rng));
            ::kill(pid_t(child->processId()), SIGKILL);
            QVERIFY(child->waitForFinished());
            QCOMPARE(child->exitStatus(), QProcess::CrashExit);
            delete child;
            const auto db = session.db();
            checkWhole(*db);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("after round %1").arg(round)));
        }
        QVERIFY(one(*session.db(), "SELECT count(*) FROM tblInvHeader") > 0);
    }

    void twoWritersNeverShareANumber()
    {
        TestSession session(kEdition);
        session.start();
        constexpr int perWriter = 60;
        QProcess *a = startChild(perWriter, 1);
        QProcess *b = startChild(perWriter, 2);
        for (QProcess *child : {a, b}) {
            QVERIFY(child->waitForFinished(120000));
            QCOMPARE(child->exitStatus(), QProcess::NormalExit);
            QCOMPARE(child->exitCode(), 0); // no "database is locked" reached the writer
        }
        const auto db = session.db();
        QCOMPARE(one(*db, "SELECT count(DISTINCT intInvNumber) FROM tblInvHeader"), 2 * perWriter);
        checkWhole(*db);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--child") {
        try {
            return childMain(kEdition, quint32(QByteArray(argv[2]).toUInt()), QByteArray(argv[3]).toInt());
        } catch (const DbError &error) {
            std::fprintf(stderr, "child: %s (%s)\n", qPrintable(error.message()), qPrintable(error.statement()));
            return 3;
        }
    }
    TestRobustness test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_robustness.moc"
