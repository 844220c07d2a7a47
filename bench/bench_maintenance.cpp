// Times the invoice maintenance window on a database of 100,000 documents, from the
// act to the window painted: opening it, changing the maintenance type, each
// keystroke of a number and a company search, and clearing the search, next to the
// bare SQLite cost of reading every row of the same statement on a fresh connection,
// measured in the same run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "WindowPaint.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "app/StartUp.h"
#include "data/SavingIndicator.h"
#include "data/TextSearch.h"
#include "editing/MaintenanceQuery.h"
#include "editing/TfrmInvoiceMaintenance.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <sqlite3.h>

namespace {

/// The statement straight through the C API, on its own connection as the program does.
int bareQuery(const QByteArray &path, const MaintenanceQuery::SqlText &statement)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 250);
    sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    TextSearch::registerFold(db);
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = statement.sql.toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
    for (int i = 0; i < statement.values.size(); ++i) {
        const QByteArray value = statement.values.at(i).toUtf8();
        sqlite3_bind_text(stmt, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    const int rows = readAllRows(stmt);
    sqlite3_close_v2(db);
    return rows;
}

QStringList keystrokes(const QString &word)
{
    QStringList typed;
    for (int i = 1; i <= word.size(); ++i)
        typed << word.left(i);
    return typed;
}

constexpr int kRounds = 9;

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QString path = prepareBenchDatabase(edition, app.arguments());

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    StartUp::pStartUp(context);
    const QByteArray bytePath = path.toUtf8();
    const auto bare = [&](MaintenanceType type, const QString &item, const QString &text) {
        return bareQuery(bytePath, MaintenanceQuery::build(type, item, text));
    };
    const QString all = QStringLiteral("All Invoice Types");
    const QString number = QStringLiteral("Invoice Number");
    const QString company = QStringLiteral("Customer Company Name");
    note("(all documents: %d; number 51234: %d; company Lindqvist: %d)", bare(MaintenanceType::ViewAll, all, {}),
         bare(MaintenanceType::ViewAll, number, QStringLiteral("51234")),
         bare(MaintenanceType::ViewAll, company, QStringLiteral("Lindqvist")));

    printHeading();
    // From the command to the window built, shown and painted with its first rows.
    printRow("maintenance window opens (all documents)", medianMs(kRounds, [&](int) {
                 TfrmInvoiceMaintenance window(context);
                 window.show();
                 paint(window);
             }),
             medianMs(kRounds, [&](int) { bare(MaintenanceType::ViewAll, all, {}); }));

    TfrmInvoiceMaintenance window(context);
    window.show();
    paint(window);
    auto *types = window.findChild<QComboBox *>(QStringLiteral("cmboInvMaintenanceType"));
    auto *search = window.findChild<QComboBox *>(QStringLiteral("cmboInvSearch"));
    auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtInvSearch"));
    printRow("window: type changed", medianMs(kRounds * 2, [&](int i) {
                 types->setCurrentIndex(i % 2 == 0 ? 1 : 0);
                 paint(window);
             }),
             medianMs(kRounds * 2, [&](int i) {
                 if (i % 2 == 0)
                     bare(MaintenanceType::ViewUnpaid, QStringLiteral("All unpaid Invoices"), {});
                 else
                     bare(MaintenanceType::ViewAll, all, {});
             }));

    types->setCurrentIndex(0);
    const auto typedRow = [&](const char *action, const QString &item, const QString &word) {
        search->setCurrentIndex(search->findText(item));
        const QStringList typed = keystrokes(word);
        const int runs = int(typed.size()) * kRounds;
        const double windowMs = medianMs(
            runs, [&](int i) {
                field->setText(typed.at(i % typed.size()));
                paint(window);
            },
            [&](int i) {
                if (i % typed.size() == 0) {
                    field->clear();
                    paint(window);
                }
            });
        printRow(action, windowMs,
                 medianMs(runs, [&](int i) { bare(MaintenanceType::ViewAll, item, typed.at(i % typed.size())); }));
    };
    typedRow("window: number '51234', per key", number, QStringLiteral("51234"));
    typedRow("window: company 'Lindqvist', per key", company, QStringLiteral("Lindqvist"));

    search->setCurrentIndex(search->findText(number));
    printRow("window: search cleared (all rows again)", medianMs(kRounds, [&](int) {
                 field->clear();
                 paint(window);
             }, [&](int) {
                 field->setText(QStringLiteral("51234"));
                 paint(window);
             }),
             medianMs(kRounds, [&](int) { bare(MaintenanceType::ViewAll, number, {}); }));
    return 0;
}
