#include "TestEnvironment.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "data/ProgressStep.h"
#include "invoice/CentSplit.h"
#include "invoice/ProgressBilling.h"
#include "invoice/ProgressStore.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace ProgressBilling;

namespace {

/// A new seed each run, or the one TARNWICK_TEST_SEED names to replay a failure.
quint32 testSeed()
{
    bool given = false;
    const quint32 seed = qEnvironmentVariable("TARNWICK_TEST_SEED").toUInt(&given);
    return given ? seed : QRandomGenerator::global()->generate();
}


/// A job as the user bills it: the schedule grows with change orders, and every bill
/// the job has had.
struct JobRun
{
    std::vector<ScheduleItem> schedule;
    Terms terms;
    Billed billed;
    std::vector<Bill> bills;
};

ScheduleItem randomItem(QRandomGenerator &random, bool mayDeduct)
{
    ScheduleItem item;
    const double value = double(random.bounded(1, 5'000'000));
    const double laborShare = random.bounded(4) == 0 ? 0.0 : random.generateDouble();
    item.laborCents = std::round(value * laborShare);
    item.materialCents = value - item.laborCents;
    if (mayDeduct && random.bounded(6) == 0) {
        item.laborCents = -item.laborCents;
        item.materialCents = -item.materialCents;
    }
    item.laborTaxed = random.bounded(2) == 0;
    item.materialTaxed = random.bounded(3) != 0;
    item.description = QStringLiteral("Item \"%1\" – Überstunden").arg(random.bounded(1000));
    return item;
}

/// Completed to date for the next bill: mostly further along, sometimes lowered.
std::vector<double> nextCompleted(QRandomGenerator &random, const JobRun &job)
{
    std::vector<double> completed;
    for (std::size_t i = 0; i < job.schedule.size(); ++i) {
        const ScheduleItem &item = job.schedule[i];
        const double before = job.billed.completedOf(i);
        const int roll = random.bounded(10);
        if (roll == 0) // lowered
            completed.push_back(std::round(before * random.generateDouble()));
        else if (roll < 3) // unchanged
            completed.push_back(before);
        else if (roll < 5) // typed as a percent
            completed.push_back(completedForPercent(item, random.bounded(0, 100'001) / 1000.0));
        else
            completed.push_back(before + std::round((item.valueCents() - before) * random.generateDouble()));
    }
    return completed;
}

double contractCents(const std::vector<ScheduleItem> &schedule)
{
    double sum = 0;
    for (const ScheduleItem &item : schedule)
        sum += item.valueCents();
    return sum;
}

/// Each tax on the whole contract, taken in one go.
std::array<double, 3> contractTaxCents(const std::vector<ScheduleItem> &schedule, const std::array<double, 3> &rates)
{
    double taxable = 0;
    for (const ScheduleItem &item : schedule)
        taxable += (item.laborTaxed ? item.laborCents : 0) + (item.materialTaxed ? item.materialCents : 0);
    std::array<double, 3> tax{};
    for (std::size_t t = 0; t < 3; ++t)
        tax[t] = CentSplit::productCents(taxable, rates[t]);
    return tax;
}

double taxableThisPeriod(const JobRun &job, const Bill &bill)
{
    double taxable = 0;
    for (std::size_t i = 0; i < bill.rows.size(); ++i)
        taxable += (job.schedule[i].laborTaxed ? bill.rows[i].thisPeriodParts.labor : 0)
            + (job.schedule[i].materialTaxed ? bill.rows[i].thisPeriodParts.material : 0);
    return taxable;
}

/// What every bill must obey on its own, against the job as it stood before it.
void checkBill(const JobRun &job, const Bill &bill, const std::vector<double> &completed)
{
    QCOMPARE(bill.rows.size(), job.schedule.size());
    double work = 0;
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        const ItemRow &row = bill.rows[i];
        QCOMPARE(row.beforeCents, job.billed.completedOf(i));
        QCOMPARE(row.beforeCents + row.thisPeriodCents, completed[i]);
        QVERIFY(std::fabs(row.toDateCents()) <= std::fabs(row.valueCents));
        QCOMPARE(row.thisPeriodParts.labor + row.thisPeriodParts.material, row.thisPeriodCents);
        QCOMPARE(row.balanceToFinishCents() + row.toDateCents(), row.valueCents);
        work += row.thisPeriodCents;
    }
    QCOMPARE(bill.workCents, work);
    QCOMPARE(bill.laborCents() + bill.materialCents(), bill.workCents);
    // The document's own rule: no discount, the Total is the Sub Total plus the taxes.
    QCOMPARE(bill.totalCents(), bill.workCents + bill.taxCents[0] + bill.taxCents[1] + bill.taxCents[2]);
    const double taxable = taxableThisPeriod(job, bill);
    for (std::size_t t = 0; t < 3; ++t) {
        QCOMPARE(bill.taxParts[t].labor + bill.taxParts[t].material, bill.taxCents[t]);
        // Taxed to date less taxed before stays within a cent of the tax on this period.
        QVERIFY2(std::fabs(bill.taxCents[t] - taxable * job.terms.rates[t]) <= 1.0 + 1e-6,
                 qPrintable(QStringLiteral("tax %1 is %2 on %3 taxable").arg(t + 1).arg(bill.taxCents[t]).arg(taxable)));
    }
    QVERIFY(std::fabs(bill.retainageCents - bill.workCents * job.terms.retainagePercent / 100.0) <= 1.0 + 1e-6);
    QVERIFY(bill.depositsAppliedCents >= 0);
    QCOMPARE(bill.retainageReleasedCents, 0.0);
}

/// What the job's bills must add up to so far.
void checkJob(const JobRun &job)
{
    double work = 0, withheld = 0, released = 0, applied = 0;
    for (const Bill &bill : job.bills) {
        work += bill.workCents;
        withheld += bill.retainageCents;
        released += bill.retainageReleasedCents;
        applied += bill.depositsAppliedCents;
    }
    double completed = 0;
    for (double item : job.billed.completedCents)
        completed += item;
    QCOMPARE(work, completed);
    QCOMPARE(job.billed.retainageHeldCents(), withheld - released);
    QCOMPARE(job.billed.depositsAppliedCents, applied);
    QVERIFY(applied <= job.terms.depositsReceivedCents);
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private slots:
    void randomJobsAddUpToTheContract();
    void completedToDateStaysWithinTheSchedule();
    void loweredWorkIsACreditAndGivesRetainageBack();
    void depositsGoToTheFirstBillsUntilUsedUp();
    void releaseBillsTheRetainageWithoutTax();
    void storedBillsGiveBackWhatWasBilled();
    void aFailedStoreLeavesNothingOfTheBill();
    void retainagePercentPerJob();
    void aFileFromBeforeProgressBillingGetsItsTables();
};

void TestProgress::randomJobsAddUpToTheContract()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    const QByteArray context = "seed " + QByteArray::number(seed);
    for (int run = 0; run < 400; ++run) {
        JobRun job;
        const int items = random.bounded(1, 31);
        for (int i = 0; i < items; ++i)
            job.schedule.push_back(randomItem(random, false));
        job.terms.retainagePercent = random.bounded(0, 151) / 10.0;
        const std::array<double, 4> rates = {0.0, 0.05, 0.0725, 0.08875};
        for (double &rate : job.terms.rates)
            rate = rates[random.bounded(4)];
        job.terms.depositsReceivedCents = random.bounded(3) == 0 ? 0.0 : std::round(contractCents(job.schedule) * random.generateDouble() * 0.5);

        const int progressBills = random.bounded(1, 13);
        for (int n = 0; n < progressBills; ++n) {
            if (n > 0 && random.bounded(3) == 0) { // a change order saved between bills
                const int added = random.bounded(1, 4);
                for (int i = 0; i < added; ++i)
                    job.schedule.push_back(randomItem(random, true));
            }
            std::vector<double> completed = nextCompleted(random, job);
            if (n == progressBills - 1) // the last bill finishes the job
                for (std::size_t i = 0; i < completed.size(); ++i)
                    completed[i] = job.schedule[i].valueCents();
            QVERIFY2(!refusal(job.schedule, completed, QLocale::c()), context);
            const Bill bill = ProgressBilling::bill(job.schedule, job.billed, completed, job.terms);
            checkBill(job, bill, completed);
            if (QTest::currentTestFailed())
                QFAIL(context);
            job.billed = after(job.billed, bill);
            job.bills.push_back(bill);
            checkJob(job);
            if (QTest::currentTestFailed())
                QFAIL(context);
        }

        const Bill release = releaseRetainage(job.billed, job.terms);
        job.billed = after(job.billed, release);
        job.bills.push_back(release);
        checkJob(job);
        QVERIFY2(job.billed.retainageHeldCents() == 0, context);

        const double contract = contractCents(job.schedule);
        const std::array<double, 3> tax = contractTaxCents(job.schedule, job.terms.rates);
        const double taxes = tax[0] + tax[1] + tax[2];
        double billed = 0, due = 0;
        std::array<double, 3> taxBilled{};
        for (const Bill &bill : job.bills) {
            billed += bill.totalCents();
            due += bill.amountDueCents();
            for (std::size_t t = 0; t < 3; ++t)
                taxBilled[t] += bill.taxCents[t];
        }
        QVERIFY2(taxBilled == tax, context);
        QVERIFY2(billed == contract + taxes, context);
        QVERIFY2(due == contract + taxes - job.terms.depositsReceivedCents, context);
    }
}

void TestProgress::completedToDateStaysWithinTheSchedule()
{
    const std::vector<ScheduleItem> schedule = {
        {.laborCents = 60000, .materialCents = 40000, .description = QStringLiteral("Framing")},
        {.laborCents = -5000, .materialCents = 0}, // a deducted line
    };
    QVERIFY(!refusal(schedule, {100000, -5000}, QLocale::c()));
    QVERIFY(!refusal(schedule, {0, 0}, QLocale::c()));

    const std::optional<QString> over = refusal(schedule, {100001, 0}, QLocale::c());
    QVERIFY(over);
    QVERIFY2(over->contains(QStringLiteral("Framing")) && over->contains(QStringLiteral("change order")), qPrintable(*over));
    QVERIFY(refusal(schedule, {-1, 0}, QLocale::c()));
    QVERIFY(refusal(schedule, {0, -5001}, QLocale::c()));
    QVERIFY(refusal(schedule, {0, 1}, QLocale::c()));
    QVERIFY(refusal(schedule, {0.5, 0}, QLocale::c()));
    QVERIFY(refusal(schedule, {std::nan(""), 0}, QLocale::c()));
    QVERIFY(refusal(schedule, {100000}, QLocale::c()));

    // A typed percent is rounded once from the scheduled value.
    const ScheduleItem odd{.laborCents = 1, .materialCents = 2};
    QCOMPARE(completedForPercent(odd, 50), 2.0);
    QCOMPARE(completedForPercent(schedule[0], 33.3333), 33333.0);
    QCOMPARE(completedForPercent(schedule[0], 100), 100000.0);
}

void TestProgress::loweredWorkIsACreditAndGivesRetainageBack()
{
    const std::vector<ScheduleItem> schedule = {{.laborCents = 100000, .materialCents = 0, .laborTaxed = true}};
    const Terms terms{.retainagePercent = 10, .rates = {0.05, 0, 0}};
    const Bill first = bill(schedule, {}, {50000}, terms);
    QCOMPARE(first.retainageCents, 5000.0);
    QCOMPARE(first.taxCents[0], 2500.0);
    QCOMPARE(first.amountDueCents(), 50000.0 - 5000 + 2500);
    QVERIFY(!first.isCredit());

    const Billed billed = after({}, first);
    const Bill lowered = bill(schedule, billed, {40000}, terms);
    QCOMPARE(lowered.workCents, -10000.0);
    QCOMPARE(lowered.retainageCents, -1000.0);
    QCOMPARE(lowered.taxCents[0], -500.0);
    QCOMPARE(lowered.depositsAppliedCents, 0.0);
    QCOMPARE(lowered.amountDueCents(), -10000.0 + 1000 - 500);
    QVERIFY(lowered.isCredit());
    QCOMPARE(after(billed, lowered).retainageHeldCents(), 4000.0);
}

void TestProgress::depositsGoToTheFirstBillsUntilUsedUp()
{
    const std::vector<ScheduleItem> schedule = {{.laborCents = 0, .materialCents = 100000}};
    const Terms terms{.retainagePercent = 5, .depositsReceivedCents = 30000};
    Billed billed;
    const Bill first = bill(schedule, billed, {20000}, terms);
    // Takes what the bill asks after retainage, no more.
    QCOMPARE(first.depositsAppliedCents, 19000.0);
    QCOMPARE(first.amountDueCents(), 0.0);
    billed = after(billed, first);
    const Bill second = bill(schedule, billed, {60000}, terms);
    QCOMPARE(second.depositsAppliedCents, 11000.0);
    QCOMPARE(second.amountDueCents(), 40000.0 - 2000 - 11000);
    billed = after(billed, second);
    const Bill third = bill(schedule, billed, {100000}, terms);
    QCOMPARE(third.depositsAppliedCents, 0.0);
}

void TestProgress::releaseBillsTheRetainageWithoutTax()
{
    const std::vector<ScheduleItem> schedule = {{.laborCents = 33333, .materialCents = 66667, .laborTaxed = true, .materialTaxed = true}};
    const Terms terms{.retainagePercent = 7.5, .rates = {0.0725, 0.01, 0}};
    const Billed billed = after({}, bill(schedule, {}, {100000}, terms));
    QCOMPARE(billed.retainageHeldCents(), 7500.0);
    const Bill release = releaseRetainage(billed, terms);
    QCOMPARE(release.workCents, 0.0);
    QCOMPARE(release.taxTotalCents(), 0.0);
    QCOMPARE(release.amountDueCents(), 7500.0);
    QCOMPARE(after(billed, release).retainageHeldCents(), 0.0);
}

namespace {

bool sameBilled(const Billed &a, const Billed &b)
{
    return a.completedCents == b.completedCents && a.taxCents == b.taxCents
        && a.retainageWithheldCents == b.retainageWithheldCents
        && a.retainageReleasedCents == b.retainageReleasedCents && a.depositsAppliedCents == b.depositsAppliedCents
        && std::equal(a.taxParts.begin(), a.taxParts.end(), b.taxParts.begin(),
                      [](const WorkParts &x, const WorkParts &y) { return x.labor == y.labor && x.material == y.material; });
}

std::vector<ScheduleItem> itemsOf(const std::vector<ProgressStore::StoredItem> &stored)
{
    std::vector<ScheduleItem> items;
    for (const ProgressStore::StoredItem &s : stored)
        items.push_back(s.item);
    return items;
}

} // namespace

void TestProgress::storedBillsGiveBackWhatWasBilled()
{
    TestSession s(1);
    s.start();
    const std::unique_ptr<Database> db = s.db();
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    const QByteArray context = "seed " + QByteArray::number(seed);
    const int jobId = 4711, otherJob = 4712;

    JobRun job;
    job.terms = {.retainagePercent = 10, .rates = {0.0725, 0.01, 0}, .depositsReceivedCents = 150000};
    std::vector<ScheduleItem> estimate;
    for (int i = 0; i < 12; ++i)
        estimate.push_back(randomItem(random, false));
    estimate[0].description = QStringLiteral("O'Brien \"deck\" 🚧 ; DROP TABLE tblInvHeader; --");
    {
        Transaction t = db->transaction();
        QCOMPARE(ProgressStore::addToSchedule(*db, jobId, 100, estimate), 12);
        // Saved again, the estimate adds nothing; another job's schedule is its own.
        QCOMPARE(ProgressStore::addToSchedule(*db, jobId, 100, estimate), 0);
        QCOMPARE(ProgressStore::addToSchedule(*db, otherJob, 100, {estimate[1]}), 1);
        t.commit();
    }
    QVERIFY(!ProgressStore::hasProgressInvoices(*db, jobId));

    int number = 200;
    for (int n = 0; n < 6; ++n, ++number) {
        if (n == 3) {
            Transaction t = db->transaction();
            QCOMPARE(ProgressStore::addToSchedule(*db, jobId, 150, {randomItem(random, true), randomItem(random, true)}), 2);
            t.commit();
        }
        const std::vector<ProgressStore::StoredItem> stored = ProgressStore::schedule(*db, jobId);
        job.schedule = itemsOf(stored);
        QCOMPARE(job.schedule.front().description, estimate[0].description);
        QCOMPARE(job.schedule.front().valueCents(), estimate[0].valueCents());
        const Billed loaded = ProgressStore::billedBefore(*db, jobId, stored);
        job.billed.completedCents.resize(job.schedule.size(), 0.0);
        QVERIFY2(sameBilled(loaded, job.billed), context);

        const Bill bill = ProgressBilling::bill(job.schedule, loaded, nextCompleted(random, job), job.terms);
        Transaction t = db->transaction();
        ProgressStore::storeBill(*db, jobId, number, stored, bill);
        t.commit();
        job.billed = after(job.billed, bill);
    }
    QVERIFY(ProgressStore::hasProgressInvoices(*db, jobId));
    QVERIFY(!ProgressStore::hasProgressInvoices(*db, otherJob));

    // Reworked as it was first billed, a bill sees only the bills before it.
    const std::vector<ProgressStore::StoredItem> stored = ProgressStore::schedule(*db, jobId);
    const Billed beforeFirst = ProgressStore::billedBefore(*db, jobId, stored, 200);
    QCOMPARE(beforeFirst.completedCents, std::vector<double>(stored.size(), 0.0));
    QCOMPARE(beforeFirst.depositsAppliedCents, 0.0);
}

void TestProgress::aFailedStoreLeavesNothingOfTheBill()
{
    TestSession s(2);
    s.start();
    const std::unique_ptr<Database> db = s.db();
    const std::vector<ScheduleItem> sheets = {{.laborCents = 50000, .materialCents = 25000, .laborTaxed = true}};
    {
        Transaction t = db->transaction();
        QCOMPARE(ProgressStore::addToSchedule(*db, 7, 7, sheets), 1);
        t.commit();
    }
    const std::vector<ProgressStore::StoredItem> stored = ProgressStore::schedule(*db, 7);
    db->exec(QStringLiteral("CREATE TRIGGER refuseBill BEFORE INSERT ON tblProgressInvoices "
                            "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const Bill bill = ProgressBilling::bill(sheets, {}, {37500}, {.retainagePercent = 5});
    try {
        Transaction t = db->transaction();
        ProgressStore::storeBill(*db, 7, 8, stored, bill);
        t.commit();
        QFAIL("the refused bill was stored");
    } catch (const DbError &error) {
        QVERIFY(error.message().contains(QStringLiteral("disk full")));
    }
    QCOMPARE(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblProgressBilled")), qint64(0));
    QVERIFY(!ProgressStore::hasProgressInvoices(*db, 7));
    QCOMPARE(ProgressStore::billedBefore(*db, 7, stored).completedCents, std::vector<double>{0.0});
}

void TestProgress::retainagePercentPerJob()
{
    TestSession s(1);
    s.start();
    const std::unique_ptr<Database> db = s.db();
    QCOMPARE(ProgressStore::retainagePercent(*db, 3), 0.0);
    ProgressStore::setRetainagePercent(*db, 3, 7.5);
    ProgressStore::setRetainagePercent(*db, 4, 10);
    ProgressStore::setRetainagePercent(*db, 3, 12.5);
    QCOMPARE(ProgressStore::retainagePercent(*db, 3), 12.5);
    QCOMPARE(ProgressStore::retainagePercent(*db, 4), 10.0);

    QVERIFY(!retainageRefusal(0));
    QVERIFY(!retainageRefusal(100));
    QVERIFY(retainageRefusal(-0.5));
    QVERIFY(retainageRefusal(100.01));
    QVERIFY(retainageRefusal(std::numeric_limits<double>::infinity()));
    QVERIFY(retainageRefusal(std::nan("")));
}

void TestProgress::aFileFromBeforeProgressBillingGetsItsTables()
{
    TestSession s(1);
    s.start();
    {
        const std::unique_ptr<Database> db = s.db();
        for (const char *table : {"tblProgressSchedule", "tblProgressJobs", "tblProgressBilled", "tblProgressInvoices"})
            db->exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
        db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?")).bind(1, ProgressStep::kLevel - 1).run();
    }
    const qint64 documents = s.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader"));
    const SchemaUpgrade::UpgradeReport report = s.upgrade();
    QCOMPARE(report.fromLevel, ProgressStep::kLevel - 1);
    const std::unique_ptr<Database> db = s.db();
    QCOMPARE(SchemaUpgrade::schemaLevel(*db), SchemaUpgrade::currentLevel());
    QCOMPARE(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader")), documents);
    Transaction t = db->transaction();
    QCOMPARE(ProgressStore::addToSchedule(*db, 1, 1, {{.laborCents = 100, .materialCents = 0}}), 1);
    ProgressStore::setRetainagePercent(*db, 1, 5);
    t.commit();
    QCOMPARE(ProgressStore::schedule(*db, 1).size(), std::size_t(1));
}

QTEST_MAIN(TestProgress)
#include "test_progress.moc"
