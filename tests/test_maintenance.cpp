#include "ListWindows.h"
#include "ModalCloser.h"
#include "RecordingPrintModule.h"
#include "RecordingShell.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "app/TfrmMain.h"
#include "data/Database.h"
#include "editing/MaintenanceListModel.h"
#include "editing/MaintenanceQuery.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentStore.h"
#include "customers/CustomerStore.h"
#include "invoice/Recurring.h"
#include "invoice/RecurringRun.h"
#include "invoice/Money.h"
#include "invoice/StoredDocuments.h"
#include "invoice/Totals.h"
#include "printing/PdfOutput.h"
#include "printing/PrintJobs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <random>
#include <stdexcept>

using namespace ListWindows;

namespace {

using T = MaintenanceType;

Payment received(QDate date, double amount)
{
    Payment payment;
    payment.date = date;
    payment.amount = amount;
    return payment;
}

struct Books : TestSession
{
    explicit Books(int edition = Edition::Corvalo)
        : TestSession(edition)
    {
        start(QDate(2026, 12, 9));
    }

    /// Saves a document under \a number with one taxed labor line of \a labor.
    void save(const QString &kind, int number, const QString &person = {}, const QString &company = {},
              bool paid = false, bool recurring = false, double labor = 100)
    {
        setNextNumber(number);
        DocumentStore store(context);
        TrecInvHeader &h = context.document.header;
        h.blnNewInvoice = true;
        store.pLoadInvoice();
        h.strInvName = kind;
        h.strInvDate = QDate(2026, 3, 15);
        h.strCustFullName = person;
        h.strCustCmpnyName = company;
        h.strPaidInFull = paid;
        h.strRecurring = recurring;
        context.document.lines.appendPriceLine(
            {.description = QStringLiteral("Work"), .quantity = 1, .laborPrice = labor, .materialTaxable = false});
        Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);
        QCOMPARE(store.pSaveInvoice(), number);
    }

    void setNextNumber(int number)
    {
        db()->prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ? WHERE intCompInvDataID = 1"))
            .bind(1, number)
            .run();
    }

    QList<int> listed(T type, const QString &item, const QString &text = {})
    {
        QList<int> numbers;
        for (const MaintenanceRow &row : MaintenanceQuery(context).run(type, item, text))
            numbers << row.intInvNumber;
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    QString text(const QString &sql, int number)
    {
        const auto connection = db();
        Statement q = connection->prepare(sql);
        q.bind(1, number);
        return q.step() ? q.textAt(0) : QStringLiteral("<none>");
    }
    QString kindOf(int number) { return text(QStringLiteral("SELECT strInvName FROM tblInvHeader WHERE intInvNumber = ?"), number); }
    qint64 count(const QString &sql) { return db()->queryInt(sql); }
    int next() { return DocumentStore(context).GetInvoiceNumber(); }

    /// Every row of the tables a maintenance action may touch.
    QByteArray dump()
    {
        QByteArray all;
        const auto connection = db();
        for (const char *table : {"tblInvHeader", "tblInvData", "tblReport", "tblCompanyInvData", "tblRecurring"}) {
            Statement rows = connection->prepare(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
            while (rows.step()) {
                for (int c = 0; c < 40; ++c)
                    all += rows.textAt(c).toUtf8() + '|';
                all += '\n';
            }
        }
        return all;
    }

    /// 501 estimate to 508 past-due notice: one of each kind, plus a paid and a
    /// recurring invoice.
    void mixedBooks()
    {
        save("Estimate", 501, "Ann Abbot", "Abacus Ltd");
        save("Work Order", 502, "Bob Brown", "abc Roofing");
        save("Change Order", 503, "Cy Carr", "Carr & Sons");
        save("Invoice", 504, "Dee Dunn", "Dunn Builders");
        save("Invoice", 505, "Eve East", "East Co", true);
        save("Invoice", 506, "Fay Fox", "Fox Inc", false, true);
        save("Credit", 507, "Gus Gray", "Gray LLC");
        save("Past Due", 508, "Hal Hill", "Hill Bros");
    }
};

/// Shows the copy as the real preview would, but fails on the copy numbered \a failOn.
class FailingPreview
{
public:
    explicit FailingPreview(int failOn)
        : m_failOn(failOn)
    {
    }
    void operator()(const DocumentContext &context)
    {
        shown << context.document.header.intInvNumber;
        if (shown.size() == m_failOn)
            throw std::runtime_error("The printer is out of paper.");
    }
    QList<int> shown;

private:
    int m_failOn;
};

} // namespace

class TestMaintenance : public QObject
{
    Q_OBJECT

private slots:
    void typesFollowTheEdition()
    {
        const QList<T> full = MaintenanceTypes::offered(Edition::get(Edition::Corvalo));
        QCOMPARE(full.size(), 12);
        QCOMPARE(MaintenanceTypes::entry(full.at(9)), QStringLiteral("Recurring \u2013 Add Invoice to list"));

        const QList<T> ostrev = MaintenanceTypes::offered(Edition::get(Edition::Ostrev));
        QCOMPARE(ostrev.size(), 8);
        for (T left : {T::ChangeOrderToInvoice, T::AddRecurring, T::RemoveRecurring, T::ViewRecurring})
            QVERIFY(!ostrev.contains(left));
        QCOMPARE(MaintenanceTypes::listHint(T::Delete), QStringLiteral("Select Invoice to Delete"));

        const QStringList kinds = {"Estimate", "Invoice"};
        QCOMPARE(MaintenanceTypes::searchItems(T::Delete, kinds),
                 QStringList({"All Invoice Types", "Estimate", "Invoice", "Invoice Number", "Customer Last Name",
                              "Customer Company Name"}));
        QCOMPARE(MaintenanceTypes::searchItems(T::EstimateOrWorkOrderToInvoice, kinds).mid(0, 4),
                 QStringList({"All Estimates and Work Orders", "Estimate", "Work Order", "Invoice Number"}));
    }

    void eachTypeListsItsDocuments()
    {
        Books b;
        b.mixedBooks();
        const QList<int> all = {501, 502, 503, 504, 505, 506, 507, 508};
        QCOMPARE(b.listed(T::ViewAll, "All Invoice Types"), all);
        QCOMPARE(b.listed(T::Delete, "All Invoice Types"), all);
        QCOMPARE(b.listed(T::ViewAll, "Credit"), QList<int>({507}));
        QCOMPARE(b.listed(T::ViewAll, "Past Due"), QList<int>({508}));
        QCOMPARE(b.listed(T::ViewUnpaid, "All unpaid Invoices"), QList<int>({504}));
        QCOMPARE(b.listed(T::EstimateToWorkOrder, "All Estimates"), QList<int>({501}));
        QCOMPARE(b.listed(T::EstimateOrWorkOrderToInvoice, "All Estimates and Work Orders"), QList<int>({501, 502}));
        QCOMPARE(b.listed(T::EstimateOrWorkOrderToInvoice, "Work Order"), QList<int>({502}));
        QCOMPARE(b.listed(T::EstimateOrWorkOrderToInvoice, "Estimate"), QList<int>({501}));
        QCOMPARE(b.listed(T::ChangeOrderToInvoice, "All Change Order"), QList<int>({503}));
        QCOMPARE(b.listed(T::InvoiceToCredit, "All Invoices"), QList<int>({504, 505}));
        QCOMPARE(b.listed(T::PastDueNotice, "All Invoices"), QList<int>({504}));
        QCOMPARE(b.listed(T::MarkPaidInFull, "All unpaid Invoices"), QList<int>({504}));
        QCOMPARE(b.listed(T::AddRecurring, "All non recurring Invoices"), QList<int>({504}));
        QCOMPARE(b.listed(T::RemoveRecurring, "All recurring Invoices"), QList<int>({506}));
        QCOMPARE(b.listed(T::ViewRecurring, "All recurring Invoices"), QList<int>({506}));

        // Text searches stay inside the type's kinds.
        QCOMPARE(b.listed(T::EstimateOrWorkOrderToInvoice, "Customer Company Name", "ab"), QList<int>({501, 502}));
        QCOMPARE(b.listed(T::EstimateToWorkOrder, "Customer Company Name", "ab"), QList<int>({501}));
        QCOMPARE(b.listed(T::ViewUnpaid, "Customer Last Name", "d"), QList<int>({504}));
        QCOMPARE(b.listed(T::ViewUnpaid, "Customer Last Name", "e"), QList<int>());
        QCOMPARE(b.listed(T::RemoveRecurring, "Invoice Number", "50"), QList<int>({506}));

        QString infos;
        for (const MaintenanceRow &row : MaintenanceQuery(b.context).run(T::ViewAll, "Invoice", {}))
            infos += QString::number(row.intInvNumber) + ':' + row.info() + ' ';
        QCOMPARE(infos, QStringLiteral("504: 505:Paid 506:Recurring "));
        // Paid wins over recurring, and a damaged flag reads as not set.
        MaintenanceRow both{1, "Invoice", {}, {}, {}, "-1", "-1"};
        QCOMPARE(both.info(), QStringLiteral("Paid"));
        MaintenanceRow damaged{1, "Invoice", {}, {}, {}, "", "x"};
        QCOMPARE(damaged.info(), QString());
    }

    void searchTextIsData()
    {
        Books b;
        b.save("Invoice", 5, "Zed Zane", "Five Co");
        b.save("Invoice", 50, "Al \"Ace\" O'Neil", "100% Pure_Paint");
        b.save("Invoice", 51, "Ann Other", "100 Percent");
        b.save("Invoice", 512, "Émile Ñúñez", "Élan Décor");
        b.save("Estimate", 600, "Ann Other", "1000 Pure Paint");

        QCOMPARE(b.listed(T::Delete, "Invoice Number", "5"), QList<int>({5, 50, 51, 512}));
        QCOMPARE(b.listed(T::Delete, "Invoice Number", "51"), QList<int>({51, 512}));
        QCOMPARE(b.listed(T::Delete, "Invoice Number", ""), QList<int>({5, 50, 51, 512, 600}));
        QCOMPARE(b.listed(T::Delete, "Invoice Number", "5_"), QList<int>());
        QCOMPARE(b.listed(T::Delete, "Invoice Number", "%"), QList<int>());

        QCOMPARE(b.listed(T::Delete, "Customer Company Name", "100%"), QList<int>({50}));
        QCOMPARE(b.listed(T::Delete, "Customer Company Name", "100% pure_"), QList<int>({50}));
        QCOMPARE(b.listed(T::Delete, "Customer Company Name", "100_"), QList<int>());
        QCOMPARE(b.listed(T::Delete, "Customer Company Name", "100"), QList<int>({50, 51, 600}));
        QCOMPARE(b.listed(T::Delete, "Customer Company Name", "élan"), QList<int>({512}));
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "al \"ace\" o'"), QList<int>({50}));
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "\"ace"), QList<int>({50})); // a later word
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "ce"), QList<int>());
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "ñú"), QList<int>({512}));
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "other"), QList<int>({51, 600}));
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "ann o"), QList<int>({51, 600}));
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "%"), QList<int>());
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "ÉMILE ÑÚ"), QList<int>({512}));
        QCOMPARE(b.listed(T::Delete, "Customer Last Name", "'; DROP TABLE tblInvHeader; --"), QList<int>());
        QCOMPARE(b.count("SELECT count(*) FROM tblInvHeader"), 5);
    }

    void conversionsKeepNumbersAndPostings()
    {
        Books b;
        b.save("Estimate", 501, "Ann Abbot", "Abacus Ltd");
        b.save("Invoice", 512, "Ivy Ives", "Ives Co");
        b.setNextNumber(530);
        DocumentActions actions(b.context);

        // The estimate becomes a work order, then an invoice, keeping number and lines.
        actions.convert(501, "Work Order");
        QCOMPARE(b.kindOf(501), QStringLiteral("Work Order"));
        actions.convert(501, "Invoice");
        QCOMPARE(b.kindOf(501), QStringLiteral("Invoice"));
        QCOMPARE(b.count("SELECT count(*) FROM tblInvData WHERE intInvNumber = 501"), 1);
        QCOMPARE(b.count("SELECT count(*) FROM tblReport"), 0); // unpaid sales post nothing

        // A past-due notice is a new document; the invoice stays as it was.
        const QByteArray invoiceBefore = b.text("SELECT strInvName||strCustFullName||strInvTotal||strPaidInFull "
                                                "FROM tblInvHeader WHERE intInvNumber = ?", 512).toUtf8();
        QCOMPARE(actions.createPastDue(512), 530);
        QCOMPARE(b.next(), 531);
        QCOMPARE(b.kindOf(530), QStringLiteral("Past Due"));
        QCOMPARE(b.text("SELECT strFromInvNameNumber FROM tblInvHeader WHERE intInvNumber = ?", 530),
                 QStringLiteral("Invoice 512"));
        QCOMPARE(b.text("SELECT strCustFullName FROM tblInvHeader WHERE intInvNumber = ?", 530), QStringLiteral("Ivy Ives"));
        QCOMPARE(b.count("SELECT count(*) FROM tblInvData WHERE intInvNumber = 530"), 1);
        QCOMPARE(b.text("SELECT strInvName||strCustFullName||strInvTotal||strPaidInFull "
                        "FROM tblInvHeader WHERE intInvNumber = ?", 512).toUtf8(), invoiceBefore);

        // Invoice 512 becomes credit 512 and no invoice 512 is left.
        actions.toCredit(512);
        QCOMPARE(b.kindOf(512), QStringLiteral("Credit"));
        QCOMPARE(b.text("SELECT strFromInvNameNumber FROM tblInvHeader WHERE intInvNumber = ?", 512),
                 QStringLiteral("Invoice 512"));
        QCOMPARE(b.count("SELECT count(*) FROM tblInvHeader WHERE intInvNumber = 512"), 1);
        QCOMPARE(b.count("SELECT count(*) FROM tblInvData WHERE intInvNumber = 512"), 1);

        // Marking paid posts the sale; deleting the invoice later keeps the posting.
        const QString posted = QStringLiteral("SELECT CAST(total(dbLbrTotal) AS INTEGER) FROM tblReport");
        const qint64 beforePaid = b.count(posted);
        actions.markPaidInFull(501);
        QCOMPARE(b.text("SELECT strPaidInFull FROM tblInvHeader WHERE intInvNumber = ?", 501), QStringLiteral("-1"));
        QCOMPARE(b.count(posted), beforePaid + 100);
        actions.remove(501);
        QCOMPARE(b.kindOf(501), QStringLiteral("<none>"));
        QCOMPARE(b.count("SELECT count(*) FROM tblInvData WHERE intInvNumber = 501"), 0);
        QCOMPARE(b.count(posted), beforePaid + 100);

        actions.setRecurring(530, true);
        QCOMPARE(b.text("SELECT strRecurring FROM tblInvHeader WHERE intInvNumber = ?", 530), QStringLiteral("-1"));
        actions.setRecurring(530, false);
        QCOMPARE(b.text("SELECT strRecurring FROM tblInvHeader WHERE intInvNumber = ?", 530), QStringLiteral("0"));
    }

    void recurringRunCopiesEveryRecurringInvoice()
    {
        Books b;
        b.save("Invoice", 510, "Rae Roe", {}, false, true);
        b.save("Invoice", 520, "Sam Sun", {}, false, true);
        b.save("Estimate", 530, "Not Me", {}, false, true);
        b.setNextNumber(600);
        FailingPreview preview(0);
        const RecurringRun::Outcome outcome =
            RecurringRun(b.context, std::ref(preview)).pPrintRecurring(QDate(2026, 12, 9));
        QVERIFY(outcome.finished());
        QCOMPARE(preview.shown, QList<int>({600, 601}));
        QCOMPARE(b.text("SELECT strCustFullName FROM tblInvHeader WHERE intInvNumber = ?", 600), QStringLiteral("Rae Roe"));
        QCOMPARE(b.text("SELECT strCustFullName FROM tblInvHeader WHERE intInvNumber = ?", 601), QStringLiteral("Sam Sun"));
        QCOMPARE(b.count("SELECT count(*) FROM tblInvHeader WHERE intInvNumber IN (600, 601) AND strRecurring = '0'"), 2);
        QCOMPARE(b.count("SELECT count(*) FROM tblInvHeader WHERE intInvNumber IN (510, 520) AND strRecurring = '-1'"), 2);
        QCOMPARE(b.count("SELECT count(*) FROM tblInvData WHERE intInvNumber IN (600, 601)"), 2);
        QCOMPARE(b.next(), 602);
        QCOMPARE(Recurring::GetLastPrintedText(*b.db(), b.context.locale), QStringLiteral("12/9/2026"));
    }

    void recurringRunWithNoneChangesNothing()
    {
        Books b;
        b.save("Invoice", 510, "Rae Roe");
        const QByteArray before = b.dump();
        FailingPreview preview(0);
        const RecurringRun::Outcome outcome = RecurringRun(b.context, std::ref(preview)).pPrintRecurring();
        QVERIFY(outcome.finished());
        QVERIFY(outcome.saved.isEmpty());
        QVERIFY(preview.shown.isEmpty());
        QCOMPARE(b.dump(), before);
        QCOMPARE(Recurring::GetLastPrintedText(*b.db(), b.context.locale), QStringLiteral(" Never"));
    }

    void stoppedRecurringRunIsTakenUpWithoutDuplicates()
    {
        Books b;
        b.save("Invoice", 510, "Rae Roe", {}, false, true);
        b.save("Invoice", 520, "Sam Sun", {}, false, true);
        b.setNextNumber(600);
        FailingPreview failing(2);
        const RecurringRun::Outcome stopped =
            RecurringRun(b.context, std::ref(failing)).pPrintRecurring(QDate(2026, 12, 9));
        QVERIFY(!stopped.finished());
        QCOMPARE(stopped.saved, (QList<QPair<int, int>>{{510, 600}}));
        QCOMPARE(stopped.notSaved, QList<int>({520}));
        const QString message = RecurringRun::describeStop(stopped);
        QVERIFY(message.contains("out of paper"));
        QVERIFY(message.contains("Invoice 600 (copy of 510)"));
        QVERIFY(message.contains("Not copied yet: 520"));
        QCOMPARE(Recurring::GetLastPrintedText(*b.db(), b.context.locale), QStringLiteral(" Never"));
        QCOMPARE(b.next(), 601);

        FailingPreview again(0);
        const RecurringRun::Outcome finished =
            RecurringRun(b.context, std::ref(again)).pPrintRecurring(QDate(2026, 12, 10));
        QVERIFY(finished.finished());
        QCOMPARE(again.shown, QList<int>({601}));
        QCOMPARE(b.count("SELECT count(*) FROM tblInvHeader WHERE strCustFullName = 'Rae Roe'"), 2);
        QCOMPARE(b.count("SELECT count(*) FROM tblInvHeader WHERE strCustFullName = 'Sam Sun'"), 2);
        QCOMPARE(Recurring::GetLastPrintedText(*b.db(), b.context.locale), QStringLiteral("12/10/2026"));

        // The next run starts afresh and copies both again.
        FailingPreview third(0);
        QVERIFY(RecurringRun(b.context, std::ref(third)).pPrintRecurring().finished());
        QCOMPARE(third.shown, QList<int>({602, 603}));
    }

    void windowListsAndPrints()
    {
        Books b;
        b.mixedBooks();
        RecordingPrintModule printing(b.context);
        TfrmInvoiceMaintenance window(b.context);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Invoice Maintenance"));
        auto *list = child<QTableView>(window, "lstvwInvMaintenance");
        auto *types = child<QComboBox>(window, "cmboInvMaintenanceType");
        auto *search = child<QComboBox>(window, "cmboInvSearch");
        auto *text = child<QLineEdit>(window, "txtInvSearch");
        QCOMPARE(types->count(), 12);
        QCOMPARE(list->model()->rowCount(), 8);
        QStringList captions;
        for (int c = 0; c < list->model()->columnCount(); ++c)
            captions << list->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(captions, QStringList({"Number", "Invoice Type", "Customer", "Company", "Total", "Paid", "Info"}));
        QCOMPARE(list->columnWidth(1), 125);
        QVERIFY(!text->isEnabled());
        QVERIFY(action(window, "actPrintPreview")->isVisible());

        action(window, "actPrint")->trigger();
        action(window, "actPrintPreview")->trigger();
        QCOMPARE(printing.calls, QStringList({"print 8", "preview 8"}));

        types->setCurrentIndex(4); // change orders
        QCOMPARE(list->toolTip(), QStringLiteral("Select Change Order to Convert"));
        search->setCurrentIndex(search->findText("Customer Company Name"));
        QVERIFY(text->isEnabled());
        typeText(text, "zz\"%");
        QCOMPARE(list->model()->rowCount(), 0);
        QVERIFY(!action(window, "actPrint")->isEnabled());
        QVERIFY(!action(window, "actPrintPreview")->isEnabled());
        QCOMPARE(b.prompts.messages("Error"), QStringList());

        search->setCurrentIndex(0);
        QVERIFY(text->text().isEmpty());
        QVERIFY(!text->isEnabled());
        QCOMPARE(list->model()->rowCount(), 1);
        QVERIFY(action(window, "actPrint")->isEnabled());
    }

    void theListShowsWhatWasPaidBesideTheTotal_data()
    {
        QTest::addColumn<int>("edition");
        QTest::newRow("Corvalo") << int(Edition::Corvalo);
        QTest::newRow("Ostrev") << int(Edition::Ostrev);
    }

    void theListShowsWhatWasPaidBesideTheTotal()
    {
        QFETCH(int, edition);
        Books b(edition);
        b.context.locale = QLocale(QLocale::German, QLocale::Germany);
        b.save(QStringLiteral("Invoice"), 700, QStringLiteral("Ann"), {}, false, false, 250);
        b.save(QStringLiteral("Invoice"), 701, QStringLiteral("Bo"), {}, false, false, 300);
        b.save(QStringLiteral("Estimate"), 702, QStringLiteral("Cy"), {}, false, false, 2000);
        b.save(QStringLiteral("Invoice"), 703, QStringLiteral("Di"), {}, false, false, 90);
        DocumentActions actions(b.context);
        actions.markPaidInFull(700);
        actions.recordPayment(701, received(QDate(2026, 4, 1), 40));
        actions.recordPayment(702, received(QDate(2026, 4, 2), 1234.5));
        const double total700 = StoredDocuments::load(b.context, {700}).first().total;

        TfrmInvoiceMaintenance window(b.context);
        window.show();
        const QAbstractItemModel *list = child<QTableView>(window, "lstvwInvMaintenance")->model();
        QCOMPARE(list->headerData(MaintenanceListModel::Paid, Qt::Horizontal).toString(), QStringLiteral("Paid"));
        QHash<int, QStringList> shown;
        for (int row = 0; row < list->rowCount(); ++row) {
            const int number = list->index(row, MaintenanceListModel::Number).data().toInt();
            shown[number] = {list->index(row, MaintenanceListModel::Total).data().toString(),
                             list->index(row, MaintenanceListModel::Paid).data().toString(),
                             list->index(row, MaintenanceListModel::Info).data().toString()};
        }
        const QLocale &de = b.context.locale;
        // Paid in full: nothing owed, and what was paid is there to see.
        QCOMPARE(shown[700], (QStringList{Money::currencyText(0, de), Money::currencyText(total700, de), "Paid"}));
        QCOMPARE(shown[701].at(1), QStringLiteral("40,00\u00a0€"));
        QCOMPARE(shown[702].at(1), QStringLiteral("1.234,50\u00a0€")); // a deposit received
        QCOMPARE(shown[703].at(1), QStringLiteral("0,00\u00a0€"));
    }

    void longListReadsItsRowsAsTheyScrollIntoView()
    {
        Books b;
        // 1,000 documents written straight into the table: far more than one read block.
        {
            const auto db = b.db();
            Transaction tx(*db);
            Statement insert = db->prepare(QStringLiteral(
                "INSERT INTO tblInvHeader(strInvName,intInvNumber,strCustFullName,strCustCmpnyName,strPaidInFull,"
                "strRecurring,strInvTotal) VALUES(?,?,?,?,'0','0','$1.00')"));
            for (int i = 0; i < 1000; ++i) {
                insert.bindAll(i % 2 ? "Invoice" : "Estimate", 5000 + i, QStringLiteral("Person %1").arg(i),
                               QStringLiteral("Firm %1").arg(i));
                insert.run();
                insert.reset();
            }
            tx.commit();
        }
        TfrmInvoiceMaintenance window(b.context);
        window.resize(760, 400);
        window.show();
        auto *list = child<QTableView>(window, "lstvwInvMaintenance");
        auto *types = child<QComboBox>(window, "cmboInvMaintenanceType");
        auto *search = child<QComboBox>(window, "cmboInvSearch");
        auto *text = child<QLineEdit>(window, "txtInvSearch");
        // The first rows show before the count, and End goes to the last row all the same.
        QCOMPARE(list->model()->rowCount(), QueryWindow::kBlockRows);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(3, 2));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->model()->rowCount(), 1000);
        QCOMPARE(list->currentIndex().row(), 999);
        QCOMPARE(list->model()->index(999, 0).data().toString(), QStringLiteral("5999"));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(list->currentIndex().row(), 0);

        // Listed again, the count comes by itself a moment later.
        types->setCurrentIndex(int(T::Delete) - 1);
        QCOMPARE(list->model()->rowCount(), QueryWindow::kBlockRows);
        QTRY_COMPARE(list->model()->rowCount(), 1000);

        // The bottom row on screen after scrolling is the last document, in storage order.
        list->scrollToBottom();
        const QModelIndex bottom = list->indexAt(QPoint(5, list->viewport()->height() - 3));
        QCOMPARE(bottom.row(), 999);
        QCOMPARE(bottom.data().toString(), QStringLiteral("5999"));
        QCOMPARE(list->model()->index(999, MaintenanceListModel::Company).data().toString(), QStringLiteral("Firm 999"));
        // Jumping back to the middle reads that block again.
        QCOMPARE(list->model()->index(500, MaintenanceListModel::Customer).data().toString(),
                 QStringLiteral("Person 500"));

        // A search replaces the rows: estimates whose number begins with 59.
        types->setCurrentIndex(int(T::EstimateToWorkOrder) - 1);
        search->setCurrentIndex(search->findText(QStringLiteral("Invoice Number")));
        typeText(text, QStringLiteral("59"));
        QCOMPARE(list->model()->rowCount(), 50);
        for (int row = 0; row < 50; ++row) {
            QCOMPARE(list->model()->index(row, 0).data().toString(), QString::number(5900 + 2 * row));
            QCOMPARE(list->model()->index(row, 1).data().toString(), QStringLiteral("Estimate"));
        }

        // A click on a row scrolled into view acts on that document.
        b.prompts.answers = {Prompts::No};
        clickRow(list, 47);
        QCOMPARE(b.prompts.lastMessage(), QStringLiteral("Convert Estimate 5994 to Work Order?"));
        QCOMPARE(list->selectionModel()->selectedRows().value(0).row(), 47);
        QCOMPARE(b.prompts.messages("Error"), QStringList());
    }

    // A number search lists exactly the documents whose number begins with the
    // digits typed, however the numbers lie (gaps, lengths, the largest stored
    // numbers) and whatever is typed (short, long, a leading zero, not digits).
    void numberSearchListsEveryNumberThatBeginsSo()
    {
        Books b;
        std::mt19937 rng(512);
        QList<qint64> numbers = {5, 51, 512, 5120, 5129, 5130, 51234, 51299, 512999999, 1512, 50012, 6512,
                                 2147483647, 9000000000000000000LL};
        for (int i = 0; i < 400; ++i)
            numbers << qint64(rng() % 2000000);
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        {
            const auto db = b.db();
            Transaction tx(*db);
            Statement insert = db->prepare(QStringLiteral(
                "INSERT INTO tblInvHeader(strInvName,intInvNumber,strPaidInFull,strRecurring,strInvTotal) "
                "VALUES('Invoice',?,'0','0','1')"));
            for (qint64 number : numbers) {
                insert.bind(1, number);
                insert.run();
                insert.reset();
            }
            tx.commit();
        }
        const QStringList typed = {QStringLiteral("5"),    QStringLiteral("51"),       QStringLiteral("512"),
                                   QStringLiteral("5123"), QStringLiteral("5129999"),  QStringLiteral("051"),
                                   QStringLiteral("123"),  QStringLiteral("2147483647"), QStringLiteral("900000000000000000"),
                                   QStringLiteral("12a"),  QStringLiteral("1_3"),      QStringLiteral("99999999999999999999")};
        for (const QString &prefix : typed) {
            QList<qint64> expected;
            for (qint64 number : numbers) {
                if (QString::number(number).startsWith(prefix))
                    expected << number;
            }
            const auto listed = MaintenanceQuery(b.context).open(T::ViewAll, QStringLiteral("Invoice Number"), prefix);
            listed->count();
            QList<qint64> found;
            for (int row = 0; row < listed->rowCount(); ++row)
                found << listed->row(row).value(0).toLongLong();
            std::sort(found.begin(), found.end());
            QVERIFY2(found == expected, qPrintable(prefix));
        }
    }

    void invoiceListPrintsWhatTheWindowLists()
    {
        Books b;
        b.mixedBooks();
        RecordingPrintModule printing(b.context);
        TfrmInvoiceMaintenance window(b.context);
        window.show();
        auto *search = child<QComboBox>(window, "cmboInvSearch");
        auto *text = child<QLineEdit>(window, "txtInvSearch");
        search->setCurrentIndex(search->findText(QStringLiteral("Customer Company Name")));
        typeText(text, QStringLiteral("ab"));
        QCOMPARE(window.listModel().rowCount(), 2);

        action(window, "actPrint")->trigger();
        QCOMPARE(printing.calls, QStringList({"print 8"}));
        const ReportJob job = PrintJobs::RvSystemPrntDocsPrint(b.context, printing.requests.last());
        QCOMPARE(job.pages.size(), 1);
        const QString pdf = QDir(b.folder.path()).filePath(QStringLiteral("list.pdf"));
        PdfOutput::writeFile(job, pdf);
        QProcess extract;
        extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(extract.waitForFinished(30000));
        const QString printed = QString::fromUtf8(extract.readAllStandardOutput());
        QVERIFY2(printed.contains(QStringLiteral("Invoice List")), qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("Page 1 of 1")));
        QVERIFY(printed.contains(QStringLiteral("Abacus Ltd")));
        QVERIFY(printed.contains(QStringLiteral("abc Roofing")));
        for (const char *other : {"Carr & Sons", "Dunn Builders", "East Co", "Fox Inc"})
            QVERIFY2(!printed.contains(QLatin1String(other)), other);

        // The whole list at 60 documents: three pages, counted before any is laid out.
        for (int number = 600; number < 652; ++number)
            b.save(QStringLiteral("Invoice"), number);
        search->setCurrentIndex(0);
        action(window, "actPrintPreview")->trigger();
        const ReportJob all = PrintJobs::RvSystemPrntDocsPrint(b.context, printing.requests.last());
        QCOMPARE(all.pages.size(), 3);
        const ReportPage last = all.pages.last();
        QCOMPARE(last.textsNamed(QStringLiteral("rvstrInvNumber")).size(), 60 - 2 * 23);
        QCOMPARE(last.textsNamed(QStringLiteral("rvstrInvNumber")).last()->text, QStringLiteral("651"));
        QCOMPARE(last.find<TextItem>(QStringLiteral("rvtxtPageNumber"))->text, QStringLiteral("Page 3 of 3"));
    }

    void ostrevWindowLeavesOutItsTypes()
    {
        Books b(Edition::Ostrev);
        TfrmInvoiceMaintenance window(b.context);
        auto *types = child<QComboBox>(window, "cmboInvMaintenanceType");
        QCOMPARE(types->count(), 8);
        QCOMPARE(types->findText("Convert Change Order to Invoice"), -1);
        QVERIFY(!action(window, "actPrintPreview")->isVisible());
        types->setCurrentIndex(types->findText("Delete saved Invoice - All Invoice Types"));
        QCOMPARE(child<QTableView>(window, "lstvwInvMaintenance")->toolTip(), QStringLiteral("Select Invoice to Delete"));
    }

    void clicksAskAndOnlyYesActs()
    {
        Books b;
        b.mixedBooks();
        TfrmInvoiceMaintenance window(b.context);
        window.show();
        auto *list = child<QTableView>(window, "lstvwInvMaintenance");
        auto *types = child<QComboBox>(window, "cmboInvMaintenanceType");
        types->setCurrentIndex(int(T::Delete) - 1);
        const int row = rowShowing(list, 0, "504");
        QVERIFY(row >= 0);

        const QByteArray before = b.dump();
        b.prompts.answers = {Prompts::No, Prompts::Cancel};
        clickRow(list, row);
        clickRow(list, row);
        QCOMPARE(b.dump(), before);
        QCOMPARE(b.prompts.messages("YesNoCancel"), QStringList({"Delete Invoice 504?", "Delete Invoice 504?"}));
        QCOMPARE(b.context.document.header.intInvNumber, 504);

        b.prompts.answers = {Prompts::Yes};
        clickRow(list, row);
        QCOMPARE(b.kindOf(504), QStringLiteral("<none>"));
        QCOMPARE(list->model()->rowCount(), 7);
        QCOMPARE(rowShowing(list, 0, "504"), -1);

        types->setCurrentIndex(int(T::InvoiceToCredit) - 1);
        b.prompts.answers = {Prompts::Yes};
        clickRow(list, rowShowing(list, 0, "505"));
        QCOMPARE(b.prompts.lastMessage(), QStringLiteral("Convert Invoice 505 to Credit?"));
        QCOMPARE(b.kindOf(505), QStringLiteral("Credit"));
        QCOMPARE(list->model()->rowCount(), 0);

        types->setCurrentIndex(int(T::PastDueNotice) - 1);
        QCOMPARE(list->model()->rowCount(), 0);
        types->setCurrentIndex(int(T::AddRecurring) - 1);
        QCOMPARE(list->model()->rowCount(), 0);
        types->setCurrentIndex(int(T::RemoveRecurring) - 1);
        b.prompts.answers = {Prompts::Yes};
        clickRow(list, rowShowing(list, 0, "506"));
        QCOMPARE(b.prompts.lastMessage(), QStringLiteral("Remove Invoice 506 from recurring list?"));
        QCOMPARE(b.text("SELECT strRecurring FROM tblInvHeader WHERE intInvNumber = ?", 506), QStringLiteral("0"));

        types->setCurrentIndex(int(T::EstimateToWorkOrder) - 1);
        b.prompts.answers = {Prompts::Yes};
        clickRow(list, rowShowing(list, 0, "501"));
        QCOMPARE(b.prompts.lastMessage(), QStringLiteral("Convert Estimate 501 to Work Order?"));
        QCOMPARE(b.kindOf(501), QStringLiteral("Work Order"));

        // Viewing asks nothing: it opens the editor on the saved document.
        const int asked = int(b.prompts.messages("YesNoCancel").size());
        types->setCurrentIndex(int(T::ViewAll) - 1);
        {
            ModalCloser closer;
            clickRow(list, rowShowing(list, 0, "502"));
            QCOMPARE(closer.opened, QStringList{QStringLiteral("frmInvoiceCorvalo")});
        }
        QCOMPARE(b.prompts.messages("YesNoCancel").size(), asked);
        QCOMPARE(b.context.document.header.intInvNumber, 502);
        QCOMPARE(b.context.document.header.strCustFullName, QStringLiteral("Bob Brown"));
        QCOMPARE(b.prompts.unplanned, 0);
        QCOMPARE(b.prompts.messages("Error"), QStringList());
    }

    void theSecondClickStaysOutOfTheEditorAndKeysReachTheList()
    {
        Books b;
        b.mixedBooks();
        TfrmInvoiceMaintenance window(b.context);
        window.show();
        QApplication::setActiveWindow(&window);
        auto *list = child<QTableView>(window, "lstvwInvMaintenance");
        auto *types = child<QComboBox>(window, "cmboInvMaintenanceType");

        // Opens 502 by a click; once the editor shows, clicks its first line as the
        // rest of a double click would, and notes every window that opened.
        const auto openAndClickAgain = [&](int doubleClickMs) {
            QGuiApplication::styleHints()->setMouseDoubleClickInterval(doubleClickMs);
            QStringList opened;
            QWidget *editor = nullptr;
            // A timer does not fire again while its own slot runs, so a second one
            // closes what the click opens inside the editor.
            QTimer innerCloser;
            QObject::connect(&innerCloser, &QTimer::timeout, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                if (modal && editor && modal != editor && modal != &window) {
                    opened << modal->objectName();
                    modal->close();
                }
            });
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                if (!modal || modal == &window || editor)
                    return;
                editor = modal;
                opened << modal->objectName();
                innerCloser.start(5);
                auto *lines = modal->findChild<QTableView *>(QStringLiteral("lstInvoice"));
                QTest::mouseClick(lines->viewport(), Qt::LeftButton, {},
                                  lines->visualRect(lines->model()->index(0, 1)).center());
                modal->close();
            });
            closer.start(5);
            clickRow(list, rowShowing(list, 0, "502"));
            return opened;
        };
        types->setCurrentIndex(int(T::ViewAll) - 1);
        QCOMPARE(openAndClickAgain(60000), QStringList{"frmInvoiceCorvalo"});
        // A click after the double-click time is the user's own and reaches the editor.
        QCOMPARE(openAndClickAgain(1), QStringList({"frmInvoiceCorvalo", "frmInvoicePriceItemEdit"}));
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(400);

        // A type chosen by keyboard only changes the type; Enter on the list acts on its row.
        QApplication::setActiveWindow(&window);
        types->setCurrentIndex(int(T::AddRecurring) - 1);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Up);
        QCOMPARE(MaintenanceType(types->currentData().toInt()), T::Delete);
        QVERIFY(types->hasFocus());
        QVERIFY(list->currentIndex().isValid());
        list->setFocus(Qt::TabFocusReason);
        list->setCurrentIndex(list->model()->index(rowShowing(list, 0, "504"), 0));
        b.prompts.answers = {Prompts::Yes};
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(b.prompts.lastMessage(), QStringLiteral("Delete Invoice 504?"));
        QCOMPARE(b.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(b.kindOf(504), QStringLiteral("<none>"));
    }

    void printRecurringFromTheMainWindow()
    {
        Books b;
        b.save("Invoice", 510, "Rae Roe", {}, false, true);
        b.save("Invoice", 520, "Sam Sun", {}, false, true);
        b.setNextNumber(600);
        RecordingPrintModule printing(b.context);
        TfrmMain window(b.context);
        window.showAsPreferred();
        auto *button = child<QPushButton>(window, "btnPrintRecurring");
        auto *label = child<QLabel>(window, "lblRecurringLastPrinted");
        QVERIFY(button->isEnabled());
        QCOMPARE(label->text(), QStringLiteral(" Never"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(printing.calls, QStringList({"preview 1", "preview 1"}));
        QCOMPARE(b.next(), 602);
        QCOMPARE(label->text(), b.context.locale.toString(QDate::currentDate(), QStringLiteral("M/d/yyyy")));
        QVERIFY(button->isEnabled());
        QCOMPARE(b.prompts.messages("Error"), QStringList());

        // A second run on the same day asks first; No (the default) copies nothing.
        b.prompts.answers = {Prompts::No};
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(b.prompts.messages("YesNo"),
                 QStringList{"Recurring invoices were already printed today. Print them again?"});
        QCOMPARE(b.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(printing.calls.size(), 2);
        QCOMPARE(b.next(), 602);

        // Yes runs again. Without a printing module the run stops at the first copy and says so.
        b.prompts.answers = {Prompts::Yes};
        b.context.printModule = nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(b.prompts.messages("YesNo").size(), 2);
        QCOMPARE(b.next(), 602);
        QCOMPARE(b.prompts.messages("Error").size(), 1);
        QVERIFY(b.prompts.messages("Error").first().contains("Not copied yet: 510, 520"));
        b.context.printModule = &printing;
    }

    void emailSendsTheSelectedDocument()
    {
        Books b;
        b.save(QStringLiteral("Invoice"), 512, QStringLiteral("Jane Doe"), QStringLiteral("Janes Place"));
        b.save(QStringLiteral("Estimate"), 513, QStringLiteral("Nobody"));
        CustomerRecord jane = *CustomerStore(b.context).find(3); // Jane Doe of Janes Place
        jane.strCustEmail = QStringLiteral("jane@example.test");
        CustomerStore(b.context).save(jane);
        RecordingPrintModule printing(b.context);
        RecordingShell shell;
        b.context.setShell(&shell);

        TfrmInvoiceMaintenance window(b.context);
        window.show();
        auto *list = child<QTableView>(window, "lstvwInvMaintenance");
        QAction *email = window.findChild<QAction *>("actEmail");
        const int row = rowShowing(list, 0, QStringLiteral("512"));
        QVERIFY(row >= 0);
        list->setCurrentIndex(list->model()->index(row, 0));
        email->trigger();
        QCOMPARE(shell.mails.size(), 1);
        QCOMPARE(shell.mails[0].to, QStringLiteral("jane@example.test"));
        QCOMPARE(shell.mails[0].subject, QStringLiteral("Invoice 512 from My Company Name"));
        QVERIFY(shell.mails[0].attachment.endsWith(QStringLiteral("Invoice 512.pdf")));
        QCOMPARE(b.context.document.header.intInvNumber, 512);
    }
};

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
