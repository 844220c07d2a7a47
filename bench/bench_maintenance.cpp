// Times the invoice maintenance list on a database of 100,000 documents: opening the
// window's first list, changing the maintenance type, and each keystroke of a number
// and a company search, through the query class and the list model and through the
// window, next to the bare SQLite cost of the same statement on a fresh connection,
// measured in the same run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "app/StartUp.h"
#include "data/SavingIndicator.h"
#include "data/TextSearch.h"
#include "editing/MaintenanceListModel.h"
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
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            sqlite3_column_text(stmt, c);
        ++rows;
    }
    sqlite3_finalize(stmt);
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

constexpr int kRounds = 5;

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dataHome = QDir::currentPath() + QStringLiteral("/bench-data-maintenance");
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QString path = Paths::GetDataBasePath(edition);
    GeneratedSize size;
    if (!QFileInfo::exists(path) || app.arguments().contains(QStringLiteral("--regenerate"))) {
        std::printf("generating %d documents into %s ...\n", size.documents, qPrintable(path));
        QDir().mkpath(Paths::GetCompanyFolder(edition));
        generateDatabase(path, edition, size, QDate(2026, 12, 1));
    }

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    StartUp::pStartUp(context);
    const QByteArray bytePath = path.toUtf8();

    struct Case
    {
        const char *action;
        MaintenanceType type;
        QString item;
        QString word; // typed key by key; empty for a list without text
    };
    const Case cases[] = {
        {"all documents (window opens)", MaintenanceType::ViewAll, QStringLiteral("All Invoice Types"), {}},
        {"unpaid invoices", MaintenanceType::ViewUnpaid, QStringLiteral("All unpaid Invoices"), {}},
        {"number '51234' typed", MaintenanceType::Delete, QStringLiteral("Invoice Number"), QStringLiteral("51234")},
        {"company 'Lindqvist' typed", MaintenanceType::ViewAll, QStringLiteral("Customer Company Name"),
         QStringLiteral("Lindqvist")},
    };

    printHeading();
    MaintenanceQuery query(context);
    MaintenanceListModel model;
    for (const Case &c : cases) {
        const QStringList typed = c.word.isEmpty() ? QStringList{QString()} : keystrokes(c.word);
        const int runs = int(typed.size()) * kRounds;
        const auto word = [&](int i) { return typed.at(i % typed.size()); };
        const double bareMs = medianMs(
            runs, [&](int i) { bareQuery(bytePath, MaintenanceQuery::build(c.type, c.item, word(i))); });
        const double modelMs = medianMs(runs, [&](int i) { model.setRows(query.run(c.type, c.item, word(i))); });
        printRow(c.action, modelMs, bareMs);
    }

    // Through the window: the type list and a number typed into the search field.
    TfrmInvoiceMaintenance window(context);
    window.show();
    auto *types = window.findChild<QComboBox *>(QStringLiteral("cmboInvMaintenanceType"));
    auto *search = window.findChild<QComboBox *>(QStringLiteral("cmboInvSearch"));
    auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtInvSearch"));
    const double typeMs = medianMs(kRounds * 2, [&](int i) {
        types->setCurrentIndex(i % 2 == 0 ? 0 : 1);
        window.repaint();
    });
    const double bareAll = medianMs(kRounds * 2, [&](int i) {
        bareQuery(bytePath, MaintenanceQuery::build(i % 2 == 0 ? MaintenanceType::ViewAll : MaintenanceType::ViewUnpaid,
                                                    i % 2 == 0 ? QStringLiteral("All Invoice Types")
                                                               : QStringLiteral("All unpaid Invoices"),
                                                    {}));
    });
    printRow("window: type changed", typeMs, bareAll);

    types->setCurrentIndex(0);
    search->setCurrentIndex(search->findText(QStringLiteral("Invoice Number")));
    const QStringList typed = keystrokes(QStringLiteral("51234"));
    const int runs = int(typed.size()) * kRounds;
    const double windowMs = medianMs(runs, [&](int i) {
        field->setText(typed.at(i % typed.size()));
        window.repaint();
    });
    const double bareMs = medianMs(runs, [&](int i) {
        bareQuery(bytePath, MaintenanceQuery::build(MaintenanceType::ViewAll, QStringLiteral("Invoice Number"),
                                                    typed.at(i % typed.size())));
    });
    printRow("window: number typed", windowMs, bareMs);
    return 0;
}
