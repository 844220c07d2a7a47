// Times the progress invoice window for a job of 200 scheduled items with three bills
// behind it, from the act (the job's book read, schedule brought up to date) to the
// window painted, next to the bare SQLite cost of reading the same rows on a fresh
// connection, measured in the same run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "WindowPaint.h"
#include "accounts/TfrmProgressInvoice.h"
#include "app/StartUp.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "data/SavingIndicator.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/ProgressJobs.h"
#include "invoice/Totals.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

constexpr int kRounds = 9;
constexpr int kItems = 200;

int saveJob(AppContext &context)
{
    DocumentStore store(context);
    TrecInvHeader &h = context.document.header;
    h.blnNewInvoice = true;
    store.pLoadInvoice();
    h.strInvName = DocumentKinds::kEstimate;
    h.strInvDate = QDate(2026, 6, 1);
    h.strCustCmpnyName = QStringLiteral("Harbour View Apartments");
    for (int i = 0; i < kItems; ++i)
        context.document.lines.appendPriceLine({.description = QStringLiteral("Unit %1: framing, drywall, finish").arg(i + 1),
                                                .quantity = double(1 + i % 4), .laborPrice = 850.0 + i, .materialPrice = 420.5,
                                                .laborTaxable = i % 3 == 0, .materialTaxable = true});
    Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);
    return store.pSaveInvoice();
}

/// Three monthly bills, each taking every item a further quarter of the way.
void billThreeTimes(AppContext &context, int job)
{
    (void)ProgressJobs::setRetainage(context, job, 10);
    for (int month = 1; month <= 3; ++month) {
        const ProgressJobs::Book book = ProgressJobs::open(context, job);
        std::vector<double> completed;
        for (const ProgressStore::StoredItem &stored : book.items)
            completed.push_back(ProgressBilling::completedForPercent(stored.item, 25.0 * month));
        const ProgressJobs::Saved saved = ProgressJobs::saveBill(context, book, completed);
        if (saved.refusal)
            std::fprintf(stderr, "bill refused: %s\n", qPrintable(*saved.refusal));
    }
}

int step(sqlite3 *db, const char *sql, int job)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    sqlite3_bind_int(stmt, 1, job);
    return readAllRows(stmt);
}

/// What the window shows, read bare: the job's estimate and its lines, the schedule,
/// completed to date per bill, and the bills' money.
int bareRead(const QByteArray &path, int job)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    int rows = step(db, "SELECT * FROM tblInvHeader WHERE intInvNumber = ?1 OR intJobID = ?1", job);
    rows += step(db, "SELECT strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,dbLbrPrc,dbMatPrc FROM tblInvData "
                     "WHERE intInvNumber = ? ORDER BY intInvDataID", job);
    rows += step(db, "SELECT * FROM tblProgressSchedule WHERE intJobID = ? ORDER BY intScheduleItemID", job);
    rows += step(db, "SELECT b.intScheduleItemID, b.dbCompletedToDate FROM tblProgressBilled b JOIN tblProgressSchedule s "
                     "ON s.intScheduleItemID = b.intScheduleItemID WHERE s.intJobID = ? ORDER BY b.intInvNumber", job);
    rows += step(db, "SELECT * FROM tblProgressInvoices WHERE intJobID = ?", job);
    sqlite3_close_v2(db);
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(Edition::Corvalo);
    // The bills are written into a copy: the generated file is shared by every benchmark.
    const QString shared = prepareBenchDatabase(edition, app.arguments());
    const QTemporaryDir copyHome;
    const QString relative = QDir(qEnvironmentVariable("XDG_DATA_HOME")).relativeFilePath(shared);
    const QByteArray path = copyHome.filePath(relative).toUtf8();
    QDir().mkpath(QFileInfo(QString::fromUtf8(path)).path());
    if (!QFile::copy(shared, QString::fromUtf8(path))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(shared));
        return 1;
    }
    qputenv("XDG_DATA_HOME", copyHome.path().toUtf8());

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    StartUp::pStartUp(context);
    const int job = saveJob(context);
    billThreeTimes(context, job);
    note("(job %d: %d rows read bare)", job, bareRead(path, job));

    printHeading();
    printRow("progress invoice window opens (200 items)", medianMs(kRounds, [&](int) {
                 TfrmProgressInvoice window(context, ProgressJobs::open(context, job));
                 window.show();
                 paint(window);
             }),
             medianMs(kRounds, [&](int) { bareRead(path, job); }));
    return 0;
}
