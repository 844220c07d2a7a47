// Times the windows a user waits for, from the act (a command, a key) to the window
// painted, on one company file: the new file of the size asked for (--documents N,
// 100,000 by default), or with --upgraded the same documents in a file the previous
// release left and this one upgraded. Warm, or with --cold after the file is dropped
// from the page cache before every run, with the share of it that stayed cached.
// Beside each row: the bare SQLite statements that fetch what the window first
// shows, on a fresh connection in the same run, and the resident memory after it.
// --only TEXT runs only the rows whose action contains TEXT. With --server the same
// rows run on the office server named by PGHOST, PGPORT, PGUSER and PGDATABASE
// (scripts/with-server), the file copied onto it first; the bare side then is the
// server's own client library on a fresh connection, the statements in the server's
// dialect as the program sends them. --server-kept reuses the copy a run before left
// on the server (it takes minutes to make), with the engine's functions made anew.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "PageCache.h"
#include "WindowPaint.h"
#include "app/StartUp.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "data/OfficeServer.h"
#include "data/PgConnection.h"
#include "data/PgSql.h"
#include "data/ServerCopy.h"
#include "data/SavingIndicator.h"
#include "data/StoredAmountFunction.h"
#include "data/TextSearch.h"
#include "invoice/ReceivablesFigures.h"
#include "invoice/ReceivablesQuery.h"
#include "editing/MaintenanceQuery.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "editing/TfrmInvoiceStored.h"
#include "invoice/DocumentStore.h"
#include "receivables/ReceivablesModel.h"
#include "receivables/TfrmReceivables.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHeaderView>
#include <tuple>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <libpq-fe.h>
#include <optional>
#include <sqlite3.h>

namespace {

constexpr int kRounds = 7;
constexpr int kLongDocument = 90000000;
constexpr int kLongDocumentLines = 1000;

/// Where the company is: the file, or the office server standing in for it.
struct Engine
{
    QByteArray file;
    std::optional<OfficeServer::Settings> server;
};

/// A fresh connection, as the program opens one per operation, with nothing of the
/// program between it and the statements.
class BareConnection
{
public:
    explicit BareConnection(const Engine &engine)
    {
        if (engine.server) {
            m_server = std::make_unique<PgConnection>(*engine.server, true);
            return;
        }
        sqlite3_open_v2(engine.file.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, 250);
        TextSearch::registerFold(m_db);
        StoredAmountFunction::registerOn(m_db);
    }
    ~BareConnection() { sqlite3_close_v2(m_db); }
    BareConnection(const BareConnection &) = delete;
    BareConnection &operator=(const BareConnection &) = delete;

    /// Reads every row of \a sql as text; returns how many.
    int rows(const QString &sql, const QStringList &values = {})
    {
        if (m_server) {
            std::vector<PgConnection::Value> bound;
            for (const QString &value : values)
                bound.push_back({value.toUtf8(), 0});
            PGresult *result = m_server->run(PgSql::translate(sql).first(), bound, sql);
            const int rows = PQntuples(result);
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < PQnfields(result); ++c)
                    (void)PQgetvalue(result, r, c);
            }
            PQclear(result);
            return rows;
        }
        sqlite3_stmt *stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        sqlite3_prepare_v2(m_db, text.constData(), -1, &stmt, nullptr);
        for (int i = 0; i < values.size(); ++i) {
            const QByteArray value = values.at(i).toUtf8();
            sqlite3_bind_text(stmt, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        }
        return readAllRows(stmt);
    }

private:
    sqlite3 *m_db = nullptr;
    std::unique_ptr<PgConnection> m_server;
};

/// Copies the company file at \a path onto the test server, into a schema of its own
/// made afresh, and from then on reaches the server for \a path.
OfficeServer::Settings moveToServer(const QString &path, bool keptCopy)
{
    OfficeServer::Settings settings;
    settings.host = qEnvironmentVariable("PGHOST");
    settings.port = qEnvironmentVariableIntValue("PGPORT");
    settings.user = qEnvironmentVariable("PGUSER");
    settings.database = qEnvironmentVariable("PGDATABASE");
    if (keptCopy) {
        settings.schema = QStringLiteral("tarnwick_bench");
        // Connecting makes the engine's functions anew when they are another version's.
        PgConnection(settings, false).runPlain(QStringLiteral("ANALYZE"));
        OfficeServer::attach(path, settings);
        return settings;
    }
    {
        PgConnection admin(settings, false);
        admin.runPlain(QStringLiteral("DROP SCHEMA IF EXISTS tarnwick_bench CASCADE"));
        admin.runPlain(QStringLiteral("CREATE SCHEMA tarnwick_bench"));
    }
    settings.schema = QStringLiteral("tarnwick_bench");
    std::fprintf(stderr, "copying %s to the server ...\n", qPrintable(path));
    // Reached under another name while the file is read under its own.
    const QString copying = path + QStringLiteral(".server");
    OfficeServer::attach(copying, settings);
    {
        Database server(copying);
        ServerCopy::copyFileToServer(path, server);
    }
    OfficeServer::detach(copying);
    PgConnection(settings, false).runPlain(QStringLiteral("ANALYZE"));
    OfficeServer::attach(path, settings);
    return settings;
}

/// What a list shows first: the first block of its statement in key order.
void bareFirstBlock(const Engine &engine, const QueryWindow::Query &q)
{
    BareConnection db(engine);
    QString sql = QStringLiteral("SELECT %1,%2 FROM %3").arg(q.key, q.columns, q.from);
    if (!q.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + q.where;
    sql += QStringLiteral(" ORDER BY %1 LIMIT %2").arg(q.key).arg(QueryWindow::kBlockRows);
    db.rows(sql, q.values);
}

/// What the last row of a list needs: the count and the last block.
void bareLastBlock(const Engine &engine, const QueryWindow::Query &q)
{
    BareConnection db(engine);
    db.rows(QStringLiteral("SELECT COUNT(*) FROM %1").arg(q.from));
    db.rows(QStringLiteral("SELECT %1,%2 FROM %3 ORDER BY %1 DESC LIMIT %4")
                .arg(q.key, q.columns, q.from)
                .arg(QueryWindow::kBlockRows));
}

/// What the receivables list shows first: its first page for \a search, read as the
/// list reads it (a search that keeps few customers first lists the customers).
void bareReceivablesPage(const QString &path, const QString &search,
                         Receivables::Pages::Order order = Receivables::Pages::Order::DueDate)
{
    Receivables::Pages first([&path] { return std::make_unique<Database>(path, Database::OpenMode::ReadOnly); },
                             QDate(2026, 12, 9), search, Receivables::Pages::Plan::Choose, order);
}

void bareDocument(const Engine &engine, int number)
{
    BareConnection db(engine);
    const QStringList value{QString::number(number)};
    db.rows(QStringLiteral("SELECT * FROM tblInvHeader WHERE intInvNumber = ?"), value);
    db.rows(QStringLiteral("SELECT * FROM tblInvData WHERE intInvNumber = ? ORDER BY intInvDataID"), value);
}

/// The file as the previous release left it, upgraded by this one: made once from
/// the new file beside it and kept. Points the data folder at it.
QString upgradedFile(const Edition &edition, const QString &newPath, AppContext &context)
{
    const QString home = QFileInfo(qEnvironmentVariable("XDG_DATA_HOME")).absoluteFilePath() + QStringLiteral("-upgraded");
    qputenv("XDG_DATA_HOME", home.toUtf8());
    const QString path = Paths::GetDataBasePath(edition);
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "making an older file from %s and upgrading it ...\n", qPrintable(newPath));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::copy(newPath, path);
        makeOlderRelease(path);
        StartUp::pStartUp(context);
    }
    return path;
}

/// A saved document of 1,000 lines, written once into the file.
void ensureLongDocument(Database &db)
{
    if (db.queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader WHERE intInvNumber = %1").arg(kLongDocument)))
        return;
    Transaction tx(db);
    db.prepare(QStringLiteral(
                   "INSERT INTO tblInvHeader(strInvName,intInvNumber,strInvDate,strFromInvNameNumber,strRecurring,"
                   "strPaidInFull,intInvFootNotes,strCustCmpnyName,strCustFullName,strCustAddress,strCustCtyStZp,"
                   "strCustMainPhone,strCustExtraPhone1,strCustExtraPhone2,strCustTaxExemptNum,strCustPONumber,"
                   "strCustPymntTerms,strCustNotes,intCustDiscountPercent,strCustTaxExempt,strUseTax1,strUseTax2,"
                   "strUseTax3,dbTaxRate1,dbTaxRate2,dbTaxRate3,strInvNotes,dbPaidAmount,dbDepositAmount,strInvTotal)"
                   "VALUES('Invoice',?,'2026-11-30','','0','0',0,'Long Job Building','Ana Okafor','1 Oak Avenue',"
                   "'Springfield, ST 12345','555-0100','','','','','Net 30','',0,'0','-1','0','0',0.05,0,0,'',0,0,'0')"))
        .bind(1, kLongDocument)
        .run();
    Statement line = db.prepare(QStringLiteral(
        "INSERT INTO tblInvData(intInvNumber,strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,dbLbrPrc,dbMatPrc)"
        "VALUES(?,?,?,?,?,?,?)"));
    for (int l = 0; l < kLongDocumentLines; ++l) {
        line.bindAll(kLongDocument, QStringLiteral("Paint room %1, two coats").arg(l), QString::number(1 + l % 7),
                     l % 2 ? "-1" : "0", "0", 12.5 + l % 40, 3.25);
        line.run();
        line.reset();
    }
    tx.commit();
}

QStringList keystrokes(const QString &word)
{
    QStringList typed;
    for (int i = 1; i <= word.size(); ++i)
        typed << word.left(i);
    return typed;
}

void press(QWidget *widget, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &up);
}

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool cold = arguments.contains(QStringLiteral("--cold"));
    const bool upgraded = arguments.contains(QStringLiteral("--upgraded"));
    const bool onServer = arguments.contains(QStringLiteral("--server"));
    if (onServer && (cold || upgraded)) {
        note("(--server runs warm on the new file only)");
        return 0;
    }
    const Edition &edition = Edition::get(Edition::Corvalo);
    QString path = prepareBenchDatabase(edition, arguments);

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    if (upgraded)
        path = upgradedFile(edition, path, context);
    StartUp::pStartUp(context);
    {
        Database db(path);
        ensureLongDocument(db);
    }
    const QByteArray file = path.toUtf8();
    Engine engine{file, std::nullopt};
    if (onServer)
        engine.server = moveToServer(path, arguments.contains(QStringLiteral("--server-kept")));
    const qint64 documents = context.openDatabase()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader"));
    const QByteArray label = QStringLiteral("%1%2 %3k")
                                 .arg(onServer ? QStringLiteral("server ") : QString())
                                 .arg(upgraded ? QStringLiteral("upgraded") : QStringLiteral("new"))
                                 .arg(documents / 1000)
                                 .toUtf8();
    note("(%s: %lld documents, %.0f MB; %s)", label.constData(), documents, double(QFileInfo(path).size()) / 1048576.0,
         cold ? "cold: the file is dropped from the page cache before every run" : "warm");

    double cachedPercent = 100;
    const std::function<void(int)> noPreparation = [](int) {};
    const auto evictFirst = [&](const std::function<void(int)> &prepare) {
        return std::function<void(int)>([&, prepare](int i) {
            prepare(i);
            if (cold)
                cachedPercent = PageCache::evict(file) * 100;
        });
    };
    // --only TEXT runs the rows whose action contains TEXT.
    const qsizetype only = arguments.indexOf(QStringLiteral("--only"));
    const QString wanted = only >= 0 ? arguments.value(only + 1) : QString();
    const auto row = [&](const char *action, int runs, const std::function<void(int)> &program,
                         const std::function<void(int)> &bare, const std::function<void(int)> &prepare) {
        if (!QString::fromUtf8(action).contains(wanted))
            return;
        const double programMs = medianMs(runs, program, evictFirst(prepare));
        if (!cold && !onServer)
            cachedPercent = PageCache::cachedShare(file) * 100;
        const double programCached = cachedPercent;
        const double bareMs = medianMs(runs, bare, evictFirst(noPreparation));
        printWindowRow(action, {label.constData(), cold, cold ? std::max(programCached, cachedPercent) : programCached,
                                residentMb()},
                       programMs, bareMs);
    };
    if (!cold)
        PageCache::load(file); // warm: the whole file is in the cache

    printWindowHeading();
    const QString all = QStringLiteral("All Invoice Types");
    const QString number = QStringLiteral("Invoice Number");
    const QString company = QStringLiteral("Customer Company Name");
    row("maintenance window opens (all documents)", kRounds, [&](int) {
            TfrmInvoiceMaintenance window(context);
            window.show();
            paint(window);
        },
        [&](int) { bareFirstBlock(engine, MaintenanceQuery::query(MaintenanceType::ViewAll, all, {})); }, noPreparation);

    TfrmInvoiceMaintenance window(context);
    window.show();
    paint(window);
    auto *types = window.findChild<QComboBox *>(QStringLiteral("cmboInvMaintenanceType"));
    auto *search = window.findChild<QComboBox *>(QStringLiteral("cmboInvSearch"));
    auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtInvSearch"));
    auto *list = window.findChild<QTableView *>(QStringLiteral("lstvwInvMaintenance"));

    row("maintenance: End to the last document", kRounds, [&](int) {
            press(list, Qt::Key_End);
            paint(window);
        },
        [&](int) { bareLastBlock(engine, MaintenanceQuery::query(MaintenanceType::ViewAll, all, {})); },
        [&](int) {
            // Listed anew, so the count is not known yet.
            types->setCurrentIndex(1);
            types->setCurrentIndex(0);
            list->setFocus();
            paint(window);
        });

    const auto typed = [&](const char *action, const QString &item, const QString &word) {
        search->setCurrentIndex(search->findText(item));
        const QStringList keys = keystrokes(word);
        row(action, int(keys.size()) * kRounds, [&](int i) {
                field->setText(keys.at(i % keys.size()));
                paint(window);
            },
            [&](int i) { bareFirstBlock(engine, MaintenanceQuery::query(MaintenanceType::ViewAll, item, keys.at(i % keys.size()))); },
            [&](int i) {
                if (i % keys.size() == 0) {
                    field->clear();
                    paint(window);
                }
            });
    };
    typed("maintenance: number '5123', per key", number, QStringLiteral("5123"));
    typed("maintenance: company 'Lindqvist', per key", company, QStringLiteral("Lindqvist"));
    search->setCurrentIndex(search->findText(number));
    row("maintenance: search cleared", kRounds, [&](int) {
            field->clear();
            paint(window);
        },
        [&](int) { bareFirstBlock(engine, MaintenanceQuery::query(MaintenanceType::ViewAll, number, {})); },
        [&](int) {
            field->setText(QStringLiteral("5123"));
            paint(window);
        });
    window.close();

    const QDate today(2026, 12, 9);
    row("receivables window opens", kRounds, [&](int) {
            TfrmReceivables receivables(context, today);
            receivables.show();
            paint(receivables);
        },
        [&](int) { bareReceivablesPage(path, {}); }, noPreparation);
    // The totals come after the list, summed on connections of their own; bare, their
    // rows read on one.
    row("receivables: totals shown after opening", kRounds, [&](int) {
            TfrmReceivables receivables(context, today);
            receivables.show();
            auto *owed = receivables.findChild<QLabel *>(QStringLiteral("lblAllTotal"));
            while (owed->text().isEmpty())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            paint(receivables);
        },
        [&](int) { BareConnection(engine).rows(Receivables::figuresSql({}, Receivables::FiguresRows::All)); },
        noPreparation);
    {
        TfrmReceivables receivables(context, today);
        receivables.show();
        paint(receivables);
        auto *customer = receivables.findChild<QLineEdit *>(QStringLiteral("txtReceivablesSearch"));
        const auto typedInto = [&](const char *action, const QString &word,
                                   Receivables::Pages::Order order = Receivables::Pages::Order::DueDate) {
            const QStringList keys = keystrokes(word);
            row(action, int(keys.size()) * kRounds, [&](int i) {
                    customer->setText(keys.at(i % keys.size()));
                    paint(receivables);
                },
                [&](int i) { bareReceivablesPage(path, keys.at(i % keys.size()), order); },
                [&](int i) {
                    if (i % keys.size() == 0) {
                        customer->clear();
                        paint(receivables);
                    }
                });
        };
        auto *list = receivables.findChild<QTableView *>(QStringLiteral("lstvwReceivables"));
        row("receivables: End to the last row", kRounds, [&](int) {
                press(list, Qt::Key_End);
                paint(receivables);
            },
            [&](int) {
                Receivables::Pages pages([&path] { return std::make_unique<Database>(path, Database::OpenMode::ReadOnly); },
                                         today, {});
                pages.readLast();
            },
            [&](int) {
                // Listed anew, so only the first page is read.
                customer->setText(QStringLiteral("x"));
                customer->clear();
                list->setFocus();
                paint(receivables);
            });
        for (const auto &[action, column, order, paged] :
             {std::tuple{"receivables: sorted by invoice number", int(ReceivablesModel::Invoice), Qt::AscendingOrder,
                         Receivables::Pages::Order::Number},
              std::tuple{"receivables: sorted by due date, latest first", int(ReceivablesModel::DueDate),
                         Qt::DescendingOrder, Receivables::Pages::Order::DueDateDescending},
              std::tuple{"receivables: sorted by customer", int(ReceivablesModel::Customer), Qt::AscendingOrder,
                         Receivables::Pages::Order::Customer},
              std::tuple{"receivables: sorted by date", int(ReceivablesModel::Date), Qt::AscendingOrder,
                         Receivables::Pages::Order::Date},
              std::tuple{"receivables: sorted by date, latest first", int(ReceivablesModel::Date), Qt::DescendingOrder,
                         Receivables::Pages::Order::DateDescending},
              std::tuple{"receivables: sorted by days overdue", int(ReceivablesModel::DaysOverdue), Qt::AscendingOrder,
                         Receivables::Pages::Order::DaysOverdue},
              std::tuple{"receivables: sorted by days overdue, most first", int(ReceivablesModel::DaysOverdue),
                         Qt::DescendingOrder, Receivables::Pages::Order::DaysOverdueDescending},
              std::tuple{"receivables: sorted by age", int(ReceivablesModel::Age), Qt::AscendingOrder,
                         Receivables::Pages::Order::Age},
              std::tuple{"receivables: sorted by age, oldest first", int(ReceivablesModel::Age), Qt::DescendingOrder,
                         Receivables::Pages::Order::AgeDescending}}) {
            row(action, kRounds, [&, column = column, order = order](int) {
                    list->horizontalHeader()->setSortIndicator(column, order);
                    paint(receivables);
                },
                [&, paged = paged](int) {
                    Receivables::Pages first([&path] { return std::make_unique<Database>(path, Database::OpenMode::ReadOnly); },
                                             today, {}, Receivables::Pages::Plan::Choose, paged);
                },
                [&](int) {
                    list->horizontalHeader()->setSortIndicator(ReceivablesModel::DueDate, Qt::AscendingOrder);
                    paint(receivables);
                });
        }
        // Amounts are stored as text: sorted by one, every row the search keeps is read.
        row("receivables: sorted by balance (read whole)", kRounds, [&](int) {
                list->horizontalHeader()->setSortIndicator(ReceivablesModel::Balance, Qt::AscendingOrder);
                paint(receivables);
            },
            [&](int) { (void)Receivables::unpaidInvoices(context, today); },
            [&](int) {
                list->horizontalHeader()->setSortIndicator(ReceivablesModel::DueDate, Qt::AscendingOrder);
                paint(receivables);
            });
        list->horizontalHeader()->setSortIndicator(ReceivablesModel::Customer, Qt::AscendingOrder);
        paint(receivables);
        typedInto("receivables: customer 'Lind' sorted by customer, per key", QStringLiteral("Lind"),
                  Receivables::Pages::Order::Customer);
        // The newest invoices carry the highest numbers: the walk from the latest due
        // passes many before one starts so.
        list->horizontalHeader()->setSortIndicator(ReceivablesModel::DueDate, Qt::DescendingOrder);
        paint(receivables);
        typedInto("receivables: number '5123' latest due first, per key", QStringLiteral("5123"),
                  Receivables::Pages::Order::DueDateDescending);
        // Typing is timed in the window's own order, as the bare page reads it.
        list->horizontalHeader()->setSortIndicator(ReceivablesModel::DueDate, Qt::AscendingOrder);
        paint(receivables);
        typedInto("receivables: customer 'Lind', per key", QStringLiteral("Lind"));
        typedInto("receivables: number '5123', per key", QStringLiteral("5123"));
        row("receivables: search cleared", kRounds, [&](int) {
                customer->clear();
                paint(receivables);
            },
            [&](int) { bareReceivablesPage(path, {}); },
            [&](int) {
                customer->setText(QStringLiteral("Lind"));
                paint(receivables);
            });
    }

    row("a 1,000-line document opens in its editor", kRounds, [&](int) {
            TrecInvHeader &header = context.document.header;
            header.blnNewInvoice = false;
            header.intInvNumber = kLongDocument;
            DocumentStore(context).pLoadInvoice();
            TfrmInvoiceStored editor(context);
            editor.show();
            paint(editor);
        },
        [&](int) { bareDocument(engine, kLongDocument); }, noPreparation);
    return 0;
}
