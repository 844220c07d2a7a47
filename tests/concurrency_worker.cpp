// One copy of the program saving, converting and recording payments on a shared
// company, started by test_concurrency. It writes one line to stdout per act it
// saw committed (tab-separated, flushed at once), so the test can check that every
// logged act is in the database; a line "saving" comes before each write, so the
// test can kill it in the middle of one. In a conflict round it saves through the
// editor's session and logs the questions that save asked.

#include "ScriptedPrompts.h"
#include "company/CompanyRecord.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "data/OfficeServer.h"
#include "data/RowConflict.h"
#include "data/SavingIndicator.h"
#include "editing/EditingSession.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Payments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

using namespace DocumentKinds;

void say(const QStringList &fields)
{
    const QByteArray line = fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fflush(stdout);
}

/// Two copies saving the same loaded version of one document: both load it, wait
/// for each other, then both save.
struct ConflictRound
{
    int round = 0;
    int number = 0;
    int partner = 0;
};

class Worker
{
public:
    Worker(int id, quint32 seed, int reserved, const QString &meetingFolder)
        : m_id(id)
        , m_run(QStringLiteral("W%1.%2").arg(id).arg(seed))
        , m_random(seed)
        , m_reserved(reserved)
        , m_meetingFolder(meetingFolder)
        , m_context(Edition::get(Edition::Corvalo), m_prompts, m_saving)
    {
        m_context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        const auto db = m_context.openDatabase();
        m_context.company = CompanyRecord::pLoadCompanyData(*db, m_context.edition());
        m_context.pSetInvoiceTypes();
    }

    void doSomething()
    {
        const int pick = int(m_random.bounded(10));
        if (pick < 4)
            saveNew(m_random.bounded(3) == 0 ? kEstimate : kInvoice);
        else if (pick < 6)
            editOwn();
        else if (pick < 7)
            convertOwnEstimate();
        else
            payAnyInvoice();
    }

    /// Saves through the editor's session, as a user would, so a conflict is counted
    /// as the questions the user is asked.
    void meet(const ConflictRound &round)
    {
        load(round.number);
        EditingSession session(m_context);
        session.open();
        QFile(meetingFile(round.round, m_id)).open(QIODevice::WriteOnly);
        const QDeadlineTimer deadline(20000);
        while (!QFile::exists(meetingFile(round.round, round.partner))) {
            if (deadline.hasExpired()) {
                say({QStringLiteral("error"), QStringLiteral("partner %1 never came to round %2").arg(round.partner).arg(round.round)});
                return;
            }
            QThread::msleep(2);
        }
        const QString po = QStringLiteral("round %1 by W%2 «Zoë»").arg(round.round).arg(m_id);
        session.setPONumber(po);
        say({QStringLiteral("saving")});
        const qsizetype askedBefore = m_prompts.asked.size();
        const bool saved = session.save();
        const QList<ScriptedPrompts::Asked> asked = m_prompts.asked.mid(askedBefore);
        const qsizetype questions =
            std::count_if(asked.begin(), asked.end(), [](const auto &a) { return a.kind == QLatin1String("Choice"); });
        if (saved && asked.isEmpty())
            say({QStringLiteral("won"), QString::number(round.round), QString::number(round.number), po});
        else if (!saved && questions == 1 && asked.size() == 1)
            say({QStringLiteral("conflict"), QString::number(round.round), QString::number(round.number)});
        else
            say({QStringLiteral("error"), QStringLiteral("round %1: saved %2 after %3 questions: %4")
                                              .arg(round.round).arg(saved).arg(asked.size())
                                              .arg(asked.isEmpty() ? QString() : asked.first().message)});
    }

private:
    QString meetingFile(int round, int worker) const
    {
        return QStringLiteral("%1/round-%2-worker-%3").arg(m_meetingFolder).arg(round).arg(worker);
    }

    /// This worker's documents as stored now (a restarted worker finds those of its
    /// earlier run).
    QList<int> own(const QString &kind)
    {
        const auto db = m_context.openDatabase();
        Statement q = db->prepare(QStringLiteral("SELECT intInvNumber FROM tblInvHeader WHERE intCustomerID = ? "
                                                 "AND strInvName = ? AND intInvNumber > ? ORDER BY intInvNumber"));
        q.bindAll(customerId(), kind, m_reserved);
        QList<int> numbers;
        while (q.step())
            numbers << q.intAt(0);
        return numbers;
    }

    // The customer id marks whose document it is; no customer row is needed for that.
    int customerId() const { return 1000 + m_id; }

    PriceLine randomLine()
    {
        // Whole prices without tax or discount: the test can add up postings exactly.
        return {QStringLiteral("Deck \"%1\" ß").arg(++m_sequence), double(1 + m_random.bounded(3)),
                double(10 + m_random.bounded(50)), double(m_random.bounded(40)), false, false};
    }

    void load(int number)
    {
        TrecInvHeader &h = m_context.document.header;
        h.blnNewInvoice = false;
        h.intInvNumber = number;
        DocumentStore(m_context).pLoadInvoice();
    }

    void saveNew(const QString &kind)
    {
        CurrentDocument &doc = m_context.document;
        doc.header.blnNewInvoice = true;
        DocumentStore(m_context).pLoadInvoice();
        const QString name = QStringLiteral("%1 O'Brien \"Ünal\" #%2").arg(m_run).arg(++m_sequence);
        doc.header.strInvName = kind;
        doc.header.strInvDate = QDate::currentDate();
        doc.header.strCustCmpnyName = name;
        doc.header.intCustomerID = customerId();
        doc.header.strCustPymntTerms = QStringLiteral("Net 30");
        const int lines = 1 + int(m_random.bounded(3));
        for (int i = 0; i < lines; ++i)
            doc.lines.appendPriceLine(randomLine());
        const bool paid = kind == kInvoice && m_random.bounded(4) == 0;
        doc.header.strPaidInFull = paid;
        say({QStringLiteral("saving")});
        const int number = DocumentStore(m_context).pSaveInvoice();
        say({QStringLiteral("new"), QString::number(number), kind, name});
    }

    void editOwn()
    {
        QList<int> mine = own(kInvoice) + own(kEstimate);
        if (mine.isEmpty())
            return saveNew(kEstimate);
        const int number = mine.at(int(m_random.bounded(qsizetype(mine.size()))));
        load(number);
        CurrentDocument &doc = m_context.document;
        const QString po = QStringLiteral("%1 edit %2 ‘Zoë’").arg(m_run).arg(++m_sequence);
        doc.header.strCustPONumber = po;
        if (doc.lines.priceLines().size() >= 5)
            doc.lines.removeLine(0);
        doc.lines.appendPriceLine(randomLine());
        say({QStringLiteral("saving")});
        try {
            DocumentStore(m_context).pSaveInvoice();
            say({QStringLiteral("edit"), QString::number(number), po});
        } catch (const RowConflict &conflict) {
            say({QStringLiteral("unexpected conflict"), QString::number(number), conflict.message()});
        }
    }

    void convertOwnEstimate()
    {
        const QList<int> estimates = own(kEstimate);
        if (estimates.isEmpty())
            return saveNew(kEstimate);
        const int number = estimates.at(int(m_random.bounded(qsizetype(estimates.size()))));
        say({QStringLiteral("saving")});
        DocumentActions(m_context).convert(number, kInvoice);
        say({QStringLiteral("convert"), QString::number(number)});
    }

    void payAnyInvoice()
    {
        QList<int> unpaid;
        {
            const auto db = m_context.openDatabase();
            Statement q = db->prepare(QStringLiteral("SELECT intInvNumber FROM tblInvHeader WHERE strInvName = ? "
                                                     "AND strPaidInFull = '0' AND intInvNumber > ?"));
            q.bindAll(kInvoice, m_reserved);
            while (q.step())
                unpaid << q.intAt(0);
        }
        if (unpaid.isEmpty())
            return saveNew(kInvoice);
        const int number = unpaid.at(int(m_random.bounded(qsizetype(unpaid.size()))));
        Payment payment;
        payment.date = QDate::currentDate();
        const int cents = 1 + int(m_random.bounded(99));
        payment.amount = cents / 100.0;
        payment.method = QStringLiteral("check");
        payment.reference = QStringLiteral("%1 pay %2").arg(m_run).arg(++m_sequence);
        say({QStringLiteral("saving")});
        if (DocumentActions(m_context).recordPayment(number, payment) != DocumentActions::PaymentOutcome::NotRecorded)
            say({QStringLiteral("pay"), QString::number(number), payment.reference, QString::number(cents)});
    }

    int m_id;
    // Tells this run's payments from those of an earlier run of the same worker.
    QString m_run;
    QRandomGenerator m_random;
    int m_reserved;
    QString m_meetingFolder;
    int m_sequence = 0;
    ScriptedPrompts m_prompts;
    NoSavingIndicator m_saving;
    AppContext m_context;
};

QList<ConflictRound> parseRounds(const QString &text)
{
    QList<ConflictRound> rounds;
    for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char(':'));
        rounds.append({parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt()});
    }
    return rounds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption idOption(QStringLiteral("id"), {}, QStringLiteral("n"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), {}, QStringLiteral("n"));
    const QCommandLineOption msOption(QStringLiteral("ms"), {}, QStringLiteral("n"));
    const QCommandLineOption reservedOption(QStringLiteral("reserved"), {}, QStringLiteral("n"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"), {}, QStringLiteral("round:number:partner,..."));
    const QCommandLineOption meetOption(QStringLiteral("meet"), {}, QStringLiteral("folder"));
    const QCommandLineOption schemaOption(QStringLiteral("schema"), {}, QStringLiteral("name"));
    const QCommandLineOption pauseOption(QStringLiteral("pause"), {}, QStringLiteral("most ms between acts"));
    parser.addOptions({idOption, seedOption, msOption, reservedOption, roundsOption, meetOption, schemaOption, pauseOption});
    parser.process(app);

    if (parser.isSet(schemaOption)) {
        OfficeServer::Settings settings;
        settings.host = qEnvironmentVariable("PGHOST");
        settings.port = qEnvironmentVariableIntValue("PGPORT");
        settings.user = qEnvironmentVariable("PGUSER");
        settings.database = qEnvironmentVariable("PGDATABASE");
        settings.schema = parser.value(schemaOption);
        OfficeServer::attach(Paths::GetDataBasePath(Edition::get(Edition::Corvalo)), settings);
    }

    try {
        Worker worker(parser.value(idOption).toInt(), parser.value(seedOption).toUInt(),
                      parser.value(reservedOption).toInt(), parser.value(meetOption));
        QList<ConflictRound> rounds = parseRounds(parser.value(roundsOption));
        const QDeadlineTimer deadline(parser.value(msOption).toInt());
        const int pause = parser.value(pauseOption).toInt();
        for (int done = 0; !deadline.hasExpired() || !rounds.isEmpty(); ++done) {
            if (pause > 0)
                QThread::msleep(QRandomGenerator::global()->bounded(pause));
            if (done % 4 == 3 && !rounds.isEmpty())
                worker.meet(rounds.takeFirst());
            else
                worker.doSomething();
        }
    } catch (const DbError &error) {
        say({QStringLiteral("error"), error.message()});
        return 1;
    }
    return 0;
}
