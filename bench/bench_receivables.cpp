// Times the receivables window on a database of 100,000 documents, from the act to
// the window painted with every unpaid invoice aged and totalled, and a search
// keystroke, next to the bare SQLite cost of reading the same header columns on a
// fresh connection, measured in the same run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "WindowPaint.h"
#include "app/StartUp.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "data/SavingIndicator.h"
#include "receivables/TfrmReceivables.h"

#include <QApplication>
#include <QLineEdit>
#include <sqlite3.h>

namespace {

constexpr int kRounds = 7;

int bareUnpaidInvoices(const QByteArray &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT intInvNumber,strInvName,strFromInvNameNumber,strInvDate,strDueDate,strCustPymntTerms,"
                       "strCustCmpnyName,strCustFullName,intCustomerID,dbPaidAmount,strInvTotal FROM tblInvHeader "
                       "WHERE strPaidInFull = '0' AND strRecurring = '0' AND UPPER(strInvName) IN ('INVOICE', 'PAST DUE')",
                       -1, &stmt, nullptr);
    const int rows = readAllRows(stmt);
    sqlite3_close_v2(db);
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QByteArray path = prepareBenchDatabase(edition, app.arguments()).toUtf8();

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    StartUp::pStartUp(context);
    const QDate today(2026, 12, 9);
    note("(unpaid invoices: %d)", bareUnpaidInvoices(path));

    printHeading();
    printRow("receivables window opens (every unpaid invoice)", medianMs(kRounds, [&](int) {
                 TfrmReceivables window(context, today);
                 window.show();
                 paint(window);
             }),
             medianMs(kRounds, [&](int) { bareUnpaidInvoices(path); }));

    TfrmReceivables window(context, today);
    window.show();
    paint(window);
    auto *search = window.findChild<QLineEdit *>(QStringLiteral("txtReceivablesSearch"));
    const QStringList typed = {QStringLiteral("L"), QStringLiteral("Li"), QStringLiteral("Lin"),
                               QStringLiteral("Lind")};
    printRow("receivables: customer search, per key", medianMs(int(typed.size()) * kRounds, [&](int i) {
                 search->setText(typed.at(i % typed.size()));
                 paint(window);
             }),
             medianMs(kRounds, [&](int) { bareUnpaidInvoices(path); }));
    return 0;
}
