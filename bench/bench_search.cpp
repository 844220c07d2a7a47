// Times one keystroke in the search field of the customer and price lists, on a
// database of 10,000 customers and 5,000 price items: the list query, the list model
// and (for the windows) the repaint, next to the bare SQLite cost of the same query
// on a fresh connection, measured in the same run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "app/StartUp.h"
#include "customers/CustomerListModel.h"
#include "customers/TfrmCustomer.h"
#include "data/SavingIndicator.h"
#include "data/TextSearch.h"
#include "prices/PriceListModel.h"
#include "prices/TfrmPriceCorvalo.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <sqlite3.h>

namespace {

/// The list query straight through the C API, on its own connection as the program does.
class Bare
{
public:
    explicit Bare(const QString &path)
        : m_path(path.toUtf8())
    {
    }

    int query(const char *sql, const QString &typed)
    {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(m_path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 250);
        sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
        TextSearch::registerFold(db);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        const QByteArray pattern = TextSearch::prefixPattern(typed).toUtf8();
        sqlite3_bind_text(stmt, 1, pattern.constData(), int(pattern.size()), SQLITE_TRANSIENT);
        const int rows = readAllRows(stmt);
        sqlite3_close_v2(db);
        return rows;
    }

private:
    QByteArray m_path;
};

/// "L", "Li", "Lin", ... : what the search field holds after each key of \a word.
QStringList keystrokes(const QString &word)
{
    QStringList typed;
    for (int i = 1; i <= word.size(); ++i)
        typed << word.left(i);
    return typed;
}

const char *const kCustomerSql =
    "SELECT intCustomerID, strCustFirstName, strCustLastName, strCustCompany, strCustAddress, strCustCity, "
    "strCustState, strCustZipCode, strCustMainPhone FROM tblCustomers WHERE fold(%1) LIKE ? ESCAPE '\\' "
    "ORDER BY intCustomerID";
const char *const kPriceSql =
    "SELECT intPrcItemNumID, strPrcItemName, strLabTax, strMatTax, dbLbrPrc, dbMatPrc FROM tblPrices "
    "WHERE fold(strPrcItemName) LIKE ? ESCAPE '\\' ORDER BY intPrcItemNumID";

constexpr int kRounds = 15;

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
    Bare bare(path);

    struct Case
    {
        const char *action;
        CustomerSearch kind; // AllCustomers marks a price case
        const char *column;
        QString word;
    };
    const Case cases[] = {
        {"customers: last name 'Lindqvist'", CustomerSearch::LastName, "strCustLastName", "Lindqvist"},
        {"customers: city, every row matches", CustomerSearch::City, "strCustCity", "Springfield"},
        {"prices: name 'Paint window'", CustomerSearch::AllCustomers, nullptr, "Paint window"},
    };

    printHeading();
    for (const Case &c : cases) {
        const QStringList typed = keystrokes(c.word);
        const int runs = int(typed.size()) * kRounds;
        const auto word = [&](int i) { return typed.at(i % typed.size()); };
        const bool prices = c.column == nullptr;
        const QByteArray sql = prices ? QByteArray(kPriceSql) : QString::fromLatin1(kCustomerSql).arg(c.column).toUtf8();
        const double bareMs = medianMs(runs, [&](int i) { bare.query(sql.constData(), word(i)); });

        double modelMs = 0;
        double windowMs = 0;
        if (prices) {
            PriceStore store(context);
            PriceListModel model(context.locale);
            modelMs = medianMs(runs, [&](int i) { model.setItems(store.list(PriceSearch::PriceItemName, word(i))); });
            TfrmPriceCorvalo window(context);
            window.show();
            window.findChild<QComboBox *>(QStringLiteral("cmbSearchPrcItm"))->setCurrentIndex(int(PriceSearch::PriceItemName));
            auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtSearchPrcItm"));
            windowMs = medianMs(runs, [&](int i) {
                field->setText(word(i));
                QCoreApplication::processEvents();
                window.repaint();
            });
        } else {
            CustomerStore store(context);
            CustomerListModel model;
            modelMs = medianMs(runs, [&](int i) { model.setEntries(store.open(c.kind, word(i))); });
            TfrmCustomer window(context);
            window.show();
            window.findChild<QComboBox *>(QStringLiteral("cmboCustSearch"))->setCurrentIndex(int(c.kind));
            auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtCustSearch"));
            windowMs = medianMs(runs, [&](int i) {
                field->setText(word(i));
                QCoreApplication::processEvents();
                window.repaint();
            });
        }
        printRow(c.action, modelMs, bareMs);
        printRow("  ... typed into the window", windowMs, bareMs);
    }
    return 0;
}
