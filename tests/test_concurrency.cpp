#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/OfficeServer.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

namespace {

using namespace DocumentKinds;

constexpr int kWorkers = 4;
constexpr int kRounds = 12;

/// One worker process (concurrency_worker) and every line it wrote.
struct RunningWorker
{
    std::unique_ptr<QProcess> process;
    QByteArray pending;
    QList<QStringList> lines;

    /// Takes what the worker wrote so far; returns whether a "saving" line was among it.
    bool readLines()
    {
        pending += process->readAllStandardOutput();
        bool saving = false;
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QStringList fields = QString::fromUtf8(pending.left(end)).split(QLatin1Char('\t'));
            pending.remove(0, end + 1);
            saving = saving || fields.first() == QLatin1String("saving");
            lines.append(fields);
        }
        return saving;
    }
};

/// A company that worker processes share: on the office server when the suite runs
/// there (each worker reaches the same schema), otherwise the file.
class SharedCompany
{
public:
    SharedCompany()
    {
        session.start();
        // The documents the conflict rounds fight over; no worker touches them otherwise.
        for (int i = 0; i < kRounds; ++i)
            reserved = saveInvoice(QStringLiteral("Round %1 ‘Zoë’").arg(i));
        if (const auto server = OfficeServer::serving(session.context.databasePath()))
            schema = server->schema;
    }

    int saveInvoice(const QString &customer)
    {
        CurrentDocument &doc = session.context.document;
        doc.header.blnNewInvoice = true;
        DocumentStore(session.context).pLoadInvoice();
        doc.header.strInvName = kInvoice;
        doc.header.strInvDate = QDate::currentDate();
        doc.header.strCustCmpnyName = customer;
        doc.lines.appendPriceLine({QStringLiteral("Fence"), 2, 50, 10, false, false});
        return DocumentStore(session.context).pSaveInvoice();
    }

    std::unique_ptr<QProcess> startWorker(int id, int ms, const QString &rounds = {})
    {
        auto process = std::make_unique<QProcess>();
        QStringList arguments{QStringLiteral("--id"), QString::number(id),
                              QStringLiteral("--seed"), QString::number(QRandomGenerator::global()->generate()),
                              QStringLiteral("--ms"), QString::number(ms),
                              QStringLiteral("--reserved"), QString::number(reserved),
                              QStringLiteral("--meet"), meetingFolder.path(),
                              QStringLiteral("--rounds"), rounds};
        // Copies of the program on one file take turns by its lock; without a pause
        // between acts, four that never stop starve one another past the five
        // seconds a save waits (the server queues them instead).
        if (schema.isEmpty())
            arguments << QStringLiteral("--pause") << QStringLiteral("40");
        else
            arguments << QStringLiteral("--schema") << schema;
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/concurrency_worker"), arguments);
        if (!process->waitForStarted())
            qFatal("concurrency_worker did not start");
        return process;
    }

    /// What a database holding only whole acts must show, whoever wrote them.
    QStringList faults()
    {
        QStringList found;
        const auto db = session.db();
        const auto listed = [&db](const QString &sql) {
            QStringList rows;
            Statement q = db->prepare(sql);
            while (q.step())
                rows << q.textAt(0);
            return rows;
        };

        QList<int> numbers;
        {
            Statement q = db->prepare(QStringLiteral("SELECT intInvNumber FROM tblInvHeader ORDER BY intInvNumber"));
            while (q.step())
                numbers << q.intAt(0);
        }
        for (qsizetype i = 1; i < numbers.size(); ++i) {
            if (numbers[i] != numbers[i - 1] + 1)
                found << QStringLiteral("numbers jump from %1 to %2").arg(numbers[i - 1]).arg(numbers[i]);
        }
        const qint64 next = db->queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = 1"));
        if (!numbers.isEmpty() && next != numbers.last() + 1)
            found << QStringLiteral("next number %1 after %2").arg(next).arg(numbers.last());

        for (const QString &n : listed(QStringLiteral("SELECT intInvNumber FROM tblInvHeader h WHERE NOT EXISTS "
                                                      "(SELECT 1 FROM tblInvData d WHERE d.intInvNumber = h.intInvNumber)")))
            found << QStringLiteral("document %1 has no lines").arg(n);
        for (const QString &n : listed(QStringLiteral("SELECT DISTINCT intInvNumber FROM tblInvData d WHERE NOT EXISTS "
                                                      "(SELECT 1 FROM tblInvHeader h WHERE h.intInvNumber = d.intInvNumber)")))
            found << QStringLiteral("lines of %1 without their document").arg(n);
        for (const QString &n : listed(QStringLiteral("SELECT DISTINCT intInvNumber FROM tblPayments p WHERE NOT EXISTS "
                                                      "(SELECT 1 FROM tblInvHeader h WHERE h.intInvNumber = p.intInvNumber)")))
            found << QStringLiteral("payment of %1 without its document").arg(n);
        for (const QString &ref : listed(QStringLiteral("SELECT strPaymentReference FROM tblPayments WHERE strPaymentReference <> '' "
                                                        "GROUP BY strPaymentReference HAVING COUNT(*) > 1")))
            found << QStringLiteral("payment %1 stored twice").arg(ref);

        // The paid amount is its payments, to the cent.
        {
            Statement q = db->prepare(QStringLiteral(
                "SELECT h.intInvNumber, h.dbPaidAmount, (SELECT SUM(p.dbPaymentAmount) FROM tblPayments p "
                "WHERE p.intInvNumber = h.intInvNumber) FROM tblInvHeader h"));
            while (q.step()) {
                if (Money::roundToCents(q.doubleAt(1)) != Money::roundToCents(q.doubleAt(2)))
                    found << QStringLiteral("document %1 paid %2, payments %3").arg(q.intAt(0)).arg(q.doubleAt(1)).arg(q.doubleAt(2));
            }
        }

        // Posted sales are the paid invoices, each once (whole prices, no tax or discount).
        double paidTotal = 0;
        {
            Statement q = db->prepare(QStringLiteral(
                "SELECT d.strPrcItmQuantity, d.dbLbrPrc, d.dbMatPrc FROM tblInvData d JOIN tblInvHeader h "
                "ON h.intInvNumber = d.intInvNumber WHERE h.strInvName = ? AND h.strPaidInFull = '-1'"));
            q.bind(1, kInvoice);
            while (q.step())
                paidTotal += q.textAt(0).toDouble() * (q.doubleAt(1) + q.doubleAt(2));
        }
        Statement posted = db->prepare(QStringLiteral("SELECT SUM(dbLbrTotal + dbMatTotal) FROM tblReport"));
        posted.step();
        if (Money::roundToCents(posted.doubleAt(0)) != Money::roundToCents(paidTotal))
            found << QStringLiteral("posted %1, paid invoices come to %2").arg(posted.doubleAt(0)).arg(paidTotal);
        return found;
    }

    /// Every act a worker saw committed is in the database.
    QStringList lost(const std::vector<RunningWorker> &workers, bool editsAreFinal)
    {
        QStringList found;
        const auto db = session.db();
        const auto header = [&db](const QString &column, const QString &number) {
            Statement q = db->prepare(QStringLiteral("SELECT %1 FROM tblInvHeader WHERE intInvNumber = ?").arg(column));
            q.bind(1, number.toInt());
            return q.step() ? std::optional<QString>(q.textAt(0)) : std::nullopt;
        };
        for (const RunningWorker &worker : workers) {
            std::map<QString, QString> lastEdit;
            for (const QStringList &line : worker.lines) {
                const QString &act = line.first();
                if (act == QLatin1String("new") && header(QStringLiteral("strCustCmpnyName"), line[1]) != line[3])
                    found << QStringLiteral("new document %1 (%2) is missing").arg(line[1], line[3]);
                if (act == QLatin1String("convert") && header(QStringLiteral("strInvName"), line[1]) != kInvoice)
                    found << QStringLiteral("conversion of %1 is missing").arg(line[1]);
                if (act == QLatin1String("edit"))
                    lastEdit[line[1]] = line[2];
                if (act == QLatin1String("pay")) {
                    Statement q = db->prepare(QStringLiteral(
                        "SELECT COUNT(*) FROM tblPayments WHERE strPaymentReference = ? AND intInvNumber = ? "
                        "AND ROUND(dbPaymentAmount * 100) = ?"));
                    q.bindAll(line[2], line[1].toInt(), line[3].toInt());
                    q.step();
                    if (q.intAt(0) != 1)
                        found << QStringLiteral("payment %1 stored %2 times").arg(line[2]).arg(q.intAt(0));
                }
            }
            if (!editsAreFinal)
                continue;
            for (const auto &[number, po] : lastEdit) {
                if (header(QStringLiteral("strCustPONumber"), number) != po)
                    found << QStringLiteral("edit '%1' of %2 is missing").arg(po, number);
            }
        }
        return found;
    }

    TestSession session{Edition::Corvalo};
    QTemporaryDir meetingFolder;
    int reserved = 0;
    QString schema;
};

QStringList linesOf(const std::vector<RunningWorker> &workers, const QString &act)
{
    QStringList found;
    for (std::size_t id = 0; id < workers.size(); ++id) {
        for (const QStringList &line : workers[id].lines) {
            if (line.first() == act)
                found << QStringLiteral("worker %1: %2").arg(id).arg(line.join(QLatin1Char(' ')));
        }
    }
    return found;
}

#define expectNone(faults)                                                                                             \
    do {                                                                                                               \
        const QStringList found = (faults);                                                                            \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));                                          \
    } while (false)

} // namespace

class TestConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void fourCopiesSavingAtOnceLoseNothing()
    {
        SharedCompany company;
        // Each round pairs two workers on one document; every pair meets twice.
        const QList<QPair<int, int>> pairs{{0, 1}, {2, 3}, {0, 2}, {1, 3}, {0, 3}, {1, 2}};
        QStringList rounds(kWorkers);
        for (int round = 0; round < kRounds; ++round) {
            const auto [a, b] = pairs[round % pairs.size()];
            const int number = company.reserved - kRounds + 1 + round;
            rounds[a] += QStringLiteral("%1:%2:%3,").arg(round).arg(number).arg(b);
            rounds[b] += QStringLiteral("%1:%2:%3,").arg(round).arg(number).arg(a);
        }

        std::vector<RunningWorker> workers(kWorkers);
        for (int id = 0; id < kWorkers; ++id)
            workers[id].process = company.startWorker(id, 8000, rounds[id]);
        for (RunningWorker &worker : workers) {
            QVERIFY(worker.process->waitForFinished(60000));
            worker.readLines();
            QVERIFY2(worker.process->exitCode() == 0,
                     qPrintable(worker.lines.last().join(QLatin1Char(' ')) + worker.process->readAllStandardError()));
        }

        expectNone(linesOf(workers, QStringLiteral("error")));
        expectNone(linesOf(workers, QStringLiteral("unexpected conflict")));
        expectNone(company.faults());
        expectNone(company.lost(workers, true));
        // Enough happened for the checks to mean something.
        QVERIFY(linesOf(workers, QStringLiteral("new")).size() > 40);
        QVERIFY(linesOf(workers, QStringLiteral("pay")).size() > 20);
        QVERIFY(linesOf(workers, QStringLiteral("edit")).size() > 20);
        QVERIFY(!linesOf(workers, QStringLiteral("convert")).isEmpty());

        // One save of each round won, the other was told of the conflict.
        QHash<int, QStringList> outcomes;
        QHash<int, QStringList> winners;
        for (const RunningWorker &worker : workers) {
            for (const QStringList &line : worker.lines) {
                if (line.first() == QLatin1String("won") || line.first() == QLatin1String("conflict"))
                    outcomes[line[1].toInt()] << line.first();
                if (line.first() == QLatin1String("won"))
                    winners[line[1].toInt()] = line;
            }
        }
        const auto db = company.session.db();
        for (int round = 0; round < kRounds; ++round) {
            QStringList seen = outcomes.value(round);
            seen.sort();
            QCOMPARE(seen, (QStringList{QStringLiteral("conflict"), QStringLiteral("won")}));
            Statement q = db->prepare(QStringLiteral("SELECT strCustPONumber FROM tblInvHeader WHERE intInvNumber = ?"));
            q.bind(1, winners[round][2].toInt());
            q.step();
            QCOMPARE(q.textAt(0), winners[round][3]);
        }
    }

    void copiesKilledMidSaveLeaveNothingHalfWritten()
    {
        SharedCompany company;
        std::vector<RunningWorker> workers(kWorkers);
        std::vector<RunningWorker> finished;
        int kills = 0;
        constexpr int kKills = 50;
        QRandomGenerator random(QRandomGenerator::global()->generate());
        QEventLoop loop;

        std::function<void(int)> start = [&](int id) {
            workers[id].process = company.startWorker(id, 600000);
            QObject::connect(workers[id].process.get(), &QProcess::readyReadStandardOutput, &loop, [&, id] {
                RunningWorker &worker = workers[id];
                if (!worker.readLines() || kills >= kKills || random.bounded(3) != 0)
                    return;
                // Somewhere inside the save that has just begun.
                QThread::usleep(random.bounded(8000));
                worker.process->disconnect(&loop);
                worker.process->kill();
                worker.process->waitForFinished();
                worker.readLines();
                finished.push_back(std::move(worker));
                workers[id] = RunningWorker{};
                if (++kills == kKills)
                    loop.quit();
                else
                    start(id);
            });
        };
        for (int id = 0; id < kWorkers; ++id)
            start(id);
        QTimer::singleShot(50000, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(kills, kKills);
        for (RunningWorker &worker : workers) {
            if (!worker.process)
                continue;
            worker.process->disconnect(&loop);
            worker.process->kill();
            worker.process->waitForFinished();
            worker.readLines();
            finished.push_back(std::move(worker));
        }

        expectNone(linesOf(finished, QStringLiteral("error")));
        expectNone(linesOf(finished, QStringLiteral("unexpected conflict")));
        expectNone(company.faults());
        expectNone(company.lost(finished, false));
        QVERIFY(linesOf(finished, QStringLiteral("new")).size() > 10);
    }
};

QTEST_MAIN(TestConcurrency)
#include "test_concurrency.moc"
