#include "ListWindows.h"
#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "context/WindowOpening.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/Totals.h"
#include "receivables/CustomerTotalsModel.h"
#include "receivables/PastDueNotices.h"
#include "receivables/ReceivablesModel.h"
#include "receivables/ReceivablesPrintout.h"
#include "receivables/TfrmReceivables.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>

using namespace ListWindows;
using Receivables::Row;

namespace {

const QDate kToday(2026, 12, 9);

struct Invoice
{
    int number = 0;
    QString customer = QStringLiteral("Ann Abbot");
    QDate date = kToday;
    QString terms{};
    QDate due{};
    double amount = 100;
    QString kind = QStringLiteral("Invoice");
    qint64 customerId = 0;
};

/// Books of a contractor in an edition that stores documents, as of kToday.
struct Ledger : TestSession
{
    explicit Ledger(int edition = Edition::Corvalo)
        : TestSession(edition)
    {
        start(kToday);
    }

    /// Saves \a invoice as the editors do, with one untaxed line of its amount, so the
    /// stored totals are the program's own.
    void save(const Invoice &invoice)
    {
        db()->prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ? WHERE intCompInvDataID = 1"))
            .bind(1, invoice.number)
            .run();
        DocumentStore store(context);
        TrecInvHeader &h = context.document.header;
        h.blnNewInvoice = true;
        store.pLoadInvoice();
        h.strInvName = invoice.kind;
        h.strInvDate = invoice.date;
        h.strDueDate = invoice.due;
        h.strCustPymntTerms = invoice.terms;
        h.strCustFullName = invoice.customer;
        h.intCustomerID = invoice.customerId;
        context.document.lines.appendPriceLine({.description = QStringLiteral("Work"),
                                                .quantity = 1,
                                                .laborPrice = invoice.amount,
                                                .laborTaxable = false,
                                                .materialTaxable = false});
        Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);
        QCOMPARE(store.pSaveInvoice(), invoice.number);
    }

    /// An invoice \a overdue days past its due date, by a due date set on it.
    void saveOverdue(int number, int overdue, double amount = 100, const QString &customer = QStringLiteral("Ann Abbot"))
    {
        save({.number = number, .customer = customer, .date = kToday.addDays(-overdue - 10),
              .due = kToday.addDays(-overdue), .amount = amount});
    }

    void pay(int number, double amount)
    {
        Payment payment;
        payment.date = kToday;
        payment.amount = amount;
        payment.method = QStringLiteral("check");
        DocumentActions(context).recordPayment(number, payment);
    }

    [[nodiscard]] QList<Row> rows() { return Receivables::unpaidInvoices(context, kToday).rows; }

    [[nodiscard]] Row rowOf(int number)
    {
        for (const Row &row : rows()) {
            if (row.invoiceNumber == number)
                return row;
        }
        return {};
    }

    [[nodiscard]] QList<int> listed()
    {
        QList<int> numbers;
        for (const Row &row : rows())
            numbers << row.invoiceNumber;
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    [[nodiscard]] QString kindOf(int number)
    {
        const auto connection = db();
        Statement q = connection->prepare(
            QStringLiteral("SELECT strInvName || '|' || strFromInvNameNumber FROM tblInvHeader WHERE intInvNumber = ?"));
        q.bind(1, number);
        return q.step() ? q.textAt(0) : QStringLiteral("<none>");
    }
};

/// Records which document the editor was asked for, and does what the user would
/// do in it.
class EditorStandIn final : public WindowOpening
{
public:
    explicit EditorStandIn(AppContext &context)
        : m_context(context)
    {
    }

    QList<int> opened;
    std::function<void(int)> whileOpen;

    void openInvoiceEditor(QWidget *) override
    {
        opened << m_context.document.header.intInvNumber;
        if (whileOpen)
            whileOpen(m_context.document.header.intInvNumber);
    }
    bool openActivityEditor(const TrecActivityEdit &, QWidget *) override { return false; }
    void openJobView(int, QWidget *, bool) override {}
    void openCustomerStatement(const CustomerStatement::Customer &, QWidget *) override {}

private:
    AppContext &m_context;
};

qint64 cents(double amount)
{
    return Money::toCents(amount).value();
}

/// The listed cells of \a column, top to bottom.
QStringList columnTexts(const QAbstractItemModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

void select(QTableView *view, const QList<int> &rows)
{
    view->clearSelection();
    for (int row : rows)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class TestReceivables : public QObject
{
    Q_OBJECT

private slots:
    void debtsAgeIntoTheirBucketsAtTheBoundaries()
    {
        Ledger l;
        const QList<std::pair<int, Receivables::Bucket>> cases = {
            {0, Receivables::NotYetDue},   {1, Receivables::Days1To30},   {30, Receivables::Days1To30},
            {31, Receivables::Days31To60}, {60, Receivables::Days31To60}, {61, Receivables::Days61To90},
            {90, Receivables::Days61To90}, {91, Receivables::Over90}};
        for (qsizetype i = 0; i < cases.size(); ++i)
            l.saveOverdue(700 + int(i), cases.at(i).first);
        l.save({.number = 720, .date = kToday, .due = kToday.addDays(5)});

        for (qsizetype i = 0; i < cases.size(); ++i) {
            const Row row = l.rowOf(700 + int(i));
            QCOMPARE(row.daysOverdue, cases.at(i).first);
            QCOMPARE(row.bucket, cases.at(i).second);
        }
        QCOMPARE(l.rowOf(720).daysOverdue, -5);
        QCOMPARE(l.rowOf(720).bucket, Receivables::NotYetDue);

        // Shown: no days for what is not yet due, the bucket's caption as its age.
        ReceivablesModel model;
        model.setRows(l.rows(), l.context.locale);
        model.setSearch(QStringLiteral("70"));
        QCOMPARE(columnTexts(model, ReceivablesModel::DaysOverdue),
                 QStringList({"91", "90", "61", "60", "31", "30", "1", ""}));
        QCOMPARE(columnTexts(model, ReceivablesModel::Age),
                 QStringList({"Over 90 Days", "61-90 Days", "61-90 Days", "31-60 Days", "31-60 Days", "1-30 Days",
                              "1-30 Days", "Not Yet Due"}));
    }

    void dueDatesFollowThePaymentTerms()
    {
        Ledger l;
        l.save({.number = 801, .date = QDate(2026, 11, 1), .terms = QStringLiteral("Net 30")});
        l.save({.number = 802, .date = QDate(2026, 10, 15), .terms = QStringLiteral("Due on the 10th")});
        // The 31st of a month with 30 days is its last day.
        l.save({.number = 803, .date = QDate(2026, 10, 20), .terms = QStringLiteral("Due on the 31st")});
        l.save({.number = 804, .date = QDate(2026, 12, 2), .terms = QString()});
        // A due date set by hand wins over the terms.
        l.save({.number = 805, .date = QDate(2026, 11, 1), .terms = QStringLiteral("Net 30"), .due = QDate(2026, 12, 20)});

        QCOMPARE(l.rowOf(801).dueDate, QDate(2026, 12, 1));
        QCOMPARE(l.rowOf(801).daysOverdue, 8);
        QCOMPARE(l.rowOf(802).dueDate, QDate(2026, 11, 10));
        QCOMPARE(l.rowOf(802).daysOverdue, 29);
        QCOMPARE(l.rowOf(803).dueDate, QDate(2026, 11, 30));
        QCOMPARE(l.rowOf(803).bucket, Receivables::Days1To30);
        QCOMPARE(l.rowOf(804).dueDate, QDate(2026, 12, 2));
        QCOMPARE(l.rowOf(804).daysOverdue, 7);
        QCOMPARE(l.rowOf(805).dueDate, QDate(2026, 12, 20));
        QCOMPARE(l.rowOf(805).bucket, Receivables::NotYetDue);
    }

    void aNoticeStandsForItsInvoice()
    {
        Ledger l;
        l.saveOverdue(600, 45, 250);
        l.pay(600, 50);
        DocumentActions actions(l.context);
        const int first = actions.createPastDue(600);
        const int latest = actions.createPastDue(600);
        QVERIFY(first != latest);

        // Counted once, with what the invoice still owes and its latest notice.
        QCOMPARE(l.listed(), QList<int>({600}));
        const Row row = l.rowOf(600);
        QCOMPARE(row.noticeNumber, latest);
        QCOMPARE(row.balance, 200.0);
        QCOMPARE(ReceivablesModel::invoiceText(row), QStringLiteral("600 (notice %1)").arg(latest));

        // With the invoice gone, its notices are all that is left of the debt: still
        // counted once, shown with the latest notice.
        actions.remove(600);
        QCOMPARE(l.listed(), QList<int>({latest}));
        const Row alone = l.rowOf(latest);
        QCOMPARE(alone.balance, 200.0); // the invoice's payments stay with its notices
        QCOMPARE(alone.paid, 50.0);
        QCOMPARE(ReceivablesModel::invoiceText(alone), QString::number(latest));
    }

    void onlyWhatIsStillOwedIsListed()
    {
        Ledger l;
        l.saveOverdue(501, 10, 100);
        l.saveOverdue(502, 10, 100);
        DocumentActions(l.context).markPaidInFull(502);
        l.saveOverdue(503, 10, 100);
        DocumentActions(l.context).setRecurring(503, true);
        l.saveOverdue(504, 10, 100);
        l.pay(504, 40);
        l.saveOverdue(505, 10, 100);
        l.pay(505, 100); // paid to the cent: paid in full
        l.save({.number = 506, .kind = QStringLiteral("Estimate")});
        l.save({.number = 507, .kind = QStringLiteral("Credit")});

        QCOMPARE(l.listed(), QList<int>({501, 504}));
        const Row part = l.rowOf(504);
        QCOMPARE(part.total, 100.0);
        QCOMPARE(part.paid, 40.0);
        QCOMPARE(part.balance, 60.0);
        QCOMPARE(ReceivablesModel::cellText(part, ReceivablesModel::Balance, l.context.locale), QStringLiteral("$60.00"));
        QCOMPARE(ReceivablesModel::cellText(part, ReceivablesModel::Paid, l.context.locale), QStringLiteral("$40.00"));
    }

    void customerTotalsAddUpToTheCent()
    {
        Ledger l;
        const QList<double> amounts = {0.1, 0.2, 33.33, 66.67, 0.7, 1234.56, 19.99, 0.01, 5.05, 10.1};
        const QStringList customers = {"Ann Abbot", "Bob Brown", "Cy Carr"};
        for (qsizetype i = 0; i < amounts.size(); ++i)
            l.saveOverdue(900 + int(i), int(i) * 13, amounts.at(i), customers.at(i % customers.size()));
        const QList<Row> rows = l.rows();
        QCOMPARE(rows.size(), amounts.size());

        qint64 expected = 0;
        for (double amount : amounts)
            expected += cents(amount);
        qint64 byBucket = 0;
        for (double total : Receivables::bucketTotals(rows))
            byBucket += cents(total);
        qint64 byCustomer = 0;
        qint64 byCustomerBucket = 0;
        CustomerTotalsModel model;
        model.setRows(rows, l.context.locale);
        QCOMPARE(model.rowCount(), 3);
        for (const Receivables::CustomerTotal &total : model.totals()) {
            byCustomer += cents(total.balance);
            qint64 own = 0;
            for (double bucket : total.buckets)
                own += cents(bucket);
            QCOMPARE(own, cents(total.balance));
            byCustomerBucket += own;
        }
        QCOMPARE(byBucket, expected);
        QCOMPARE(byCustomer, expected);
        QCOMPARE(byCustomerBucket, expected);
    }

    void sortingComparesValuesNotTexts()
    {
        Ledger l;
        l.context.locale = QLocale(QLocale::German, QLocale::Germany);
        l.save({.number = 301, .customer = "bob", .date = QDate(2026, 2, 3), .amount = 9});
        l.save({.number = 302, .customer = "Ann", .date = QDate(2026, 12, 1), .amount = 1000.5});
        l.save({.number = 303, .customer = "Cyd", .date = QDate(2026, 3, 1), .amount = 25.5});
        ReceivablesModel model;
        model.setRows(l.rows(), l.context.locale);
        // Dates and amounts as the locale writes them...
        QCOMPARE(model.index(0, ReceivablesModel::Date).data().toString(), QStringLiteral("03.02.2026"));

        // ...but ordered by what they stand for.
        model.sort(ReceivablesModel::Balance, Qt::AscendingOrder);
        QCOMPARE(columnTexts(model, ReceivablesModel::Invoice), QStringList({"301", "303", "302"}));
        model.sort(ReceivablesModel::Balance, Qt::DescendingOrder);
        QCOMPARE(columnTexts(model, ReceivablesModel::Invoice), QStringList({"302", "303", "301"}));
        model.sort(ReceivablesModel::Date, Qt::AscendingOrder);
        QCOMPARE(columnTexts(model, ReceivablesModel::Invoice), QStringList({"301", "303", "302"}));
        model.sort(ReceivablesModel::Customer, Qt::AscendingOrder);
        QCOMPARE(columnTexts(model, ReceivablesModel::Customer), QStringList({"Ann", "bob", "Cyd"}));

        // The search keeps the sort, and finds a customer anywhere in the name or a number by its start.
        model.sort(ReceivablesModel::Total, Qt::DescendingOrder);
        model.setSearch(QStringLiteral("3"));
        QCOMPARE(columnTexts(model, ReceivablesModel::Invoice), QStringList({"302", "303", "301"}));
        model.setSearch(QStringLiteral("YD"));
        QCOMPARE(columnTexts(model, ReceivablesModel::Invoice), QStringList({"303"}));
        model.setSearch(QStringLiteral("03"));
        QCOMPARE(model.rowCount(), 0);

        CustomerTotalsModel customers;
        customers.setRows(l.rows(), l.context.locale);
        customers.sort(CustomerTotalsModel::Balance, Qt::DescendingOrder);
        QCOMPARE(columnTexts(customers, CustomerTotalsModel::Customer), QStringList({"Ann", "Cyd", "bob"}));
    }

    void windowListsFiltersAndTotals()
    {
        Ledger l;
        l.saveOverdue(401, 5, 100, "Ann Abbot");
        l.saveOverdue(402, 40, 50.25, "Bob Brown");
        l.saveOverdue(403, 100, 10, "Ann Abbot");
        l.save({.number = 404, .customer = "Zoë \"Ünal\"", .due = kToday.addDays(3), .amount = 7});
        TfrmReceivables window(l.context, kToday);
        auto *list = child<QTableView>(window, "lstvwReceivables");
        QCOMPARE(list->model()->rowCount(), 4);
        QCOMPARE(child<QLabel>(window, "lblAllTotal")->text(), QStringLiteral("$167.25"));
        QCOMPARE(child<QLabel>(window, "lblBucketTotal2")->text(), QStringLiteral("$50.25"));
        QCOMPARE(window.customerModel().rowCount(), 3);

        // Typing filters the list, the bucket totals and the customer totals together.
        typeText(child<QLineEdit>(window, "txtReceivablesSearch"), QStringLiteral("ann"));
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(child<QLabel>(window, "lblAllTotal")->text(), QStringLiteral("$110.00"));
        QCOMPARE(child<QLabel>(window, "lblBucketTotal2")->text(), QStringLiteral("$0.00"));
        QCOMPARE(child<QLabel>(window, "lblBucketTotal4")->text(), QStringLiteral("$10.00"));
        QCOMPARE(window.customerModel().rowCount(), 1);
        QVERIFY(child<QAction>(window, "actPrint")->isEnabled());
        typeText(child<QLineEdit>(window, "txtReceivablesSearch"), QStringLiteral("x"));
        QCOMPARE(list->model()->rowCount(), 0);
        QVERIFY(!child<QAction>(window, "actPrint")->isEnabled());
        QVERIFY(!child<QAction>(window, "actPastDueNotices")->isEnabled());
        QVERIFY(child<QAction>(window, "actPastDueNotices")->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_N)));

        // A click on a heading sorts by that column's value.
        child<QLineEdit>(window, "txtReceivablesSearch")->clear();
        list->horizontalHeader()->setSortIndicator(ReceivablesModel::Balance, Qt::DescendingOrder);
        QCOMPARE(columnTexts(*list->model(), ReceivablesModel::Invoice), QStringList({"401", "402", "403", "404"}));
    }

    void enterOpensTheInvoiceAndTheListFollows()
    {
        Ledger l;
        l.saveOverdue(401, 5);
        l.saveOverdue(402, 40);
        EditorStandIn editor(l.context);
        l.context.windows = &editor;
        editor.whileOpen = [&l](int number) { l.pay(number, 100); };
        TfrmReceivables window(l.context, kToday);
        auto *list = child<QTableView>(window, "lstvwReceivables");
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(list->hasFocus());
        list->setCurrentIndex(list->model()->index(0, ReceivablesModel::Customer));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(editor.opened, QList<int>({402})); // oldest due date first
        QCOMPARE(columnTexts(*list->model(), ReceivablesModel::Invoice), QStringList({"401"}));
    }

    void pastDueNoticesForEverySelectedInvoice()
    {
        Ledger l;
        l.saveOverdue(401, 5, 100, "Ann Abbot");
        l.saveOverdue(402, 40, 200, "Bob Brown");
        l.saveOverdue(403, 70, 300, "Cy Carr");
        RecordingPrintModule printing(l.context);
        TfrmReceivables window(l.context, kToday);
        auto *list = child<QTableView>(window, "lstvwReceivables");
        select(list, {0, 2}); // 403 and 401

        l.prompts.answers = {Prompts::Yes, Prompts::No, Prompts::Yes}; // make, no preview, print
        child<QAction>(window, "actPastDueNotices")->trigger();
        QCOMPARE(l.prompts.asked.at(0).message, QStringLiteral("Make past-due notices for the 2 selected invoices?"));
        QCOMPARE(l.prompts.asked.at(0).preferred, Prompts::Yes);
        QCOMPARE(l.prompts.asked.at(1).message, QStringLiteral("Past-due notices 404, 405 are saved.\nPreview them now?"));
        QCOMPARE(l.prompts.unplanned, 0);

        QCOMPARE(l.kindOf(404), QStringLiteral("Past Due|Invoice 403"));
        QCOMPARE(l.kindOf(405), QStringLiteral("Past Due|Invoice 401"));
        QCOMPARE(l.kindOf(406), QStringLiteral("<none>"));
        QCOMPARE(printing.calls, QStringList({"print 1", "print 1"}));
        QCOMPARE(printing.documentNumbers, QList<int>({404, 405}));

        // The notices show against their invoices, the debts still counted once.
        QCOMPARE(columnTexts(*list->model(), ReceivablesModel::Invoice),
                 QStringList({"403 (notice 404)", "402", "401 (notice 405)"}));
        QCOMPARE(child<QLabel>(window, "lblAllTotal")->text(), QStringLiteral("$600.00"));
    }

    void aFailedNoticeIsReportedAndTheOthersKept()
    {
        Ledger l;
        l.saveOverdue(401, 5);
        l.saveOverdue(402, 40);
        l.saveOverdue(403, 70);
        RecordingPrintModule printing(l.context);
        TfrmReceivables window(l.context, kToday);
        select(child<QTableView>(window, "lstvwReceivables"), {0, 1, 2});
        // Deleted elsewhere after the list was read.
        DocumentActions(l.context).remove(402);

        l.prompts.answers = {Prompts::Yes, Prompts::Yes}; // make, preview
        child<QAction>(window, "actPastDueNotices")->trigger();
        const QStringList errors = l.prompts.messages(QStringLiteral("Error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QStringLiteral("Invoice 402")), qPrintable(errors.first()));
        QVERIFY(errors.first().contains(QStringLiteral("404, 405")));
        QCOMPARE(l.kindOf(404), QStringLiteral("Past Due|Invoice 403"));
        QCOMPARE(l.kindOf(405), QStringLiteral("Past Due|Invoice 401"));
        QCOMPARE(printing.calls, QStringList({"preview 1", "preview 1"}));
    }

    void aNoticeStandingAloneGetsNoNoticeOfItsOwn()
    {
        Ledger l;
        l.saveOverdue(401, 40);
        const int notice = DocumentActions(l.context).createPastDue(401);
        DocumentActions(l.context).remove(401);
        l.prompts.answers = {Prompts::Yes};
        const QList<int> made = PastDueNotices(l.context).pMakeFor(l.rows());
        QVERIFY(made.isEmpty());
        QVERIFY(l.prompts.lastMessage().contains(QStringLiteral("Past Due %1").arg(notice)));
        QCOMPARE(l.listed(), QList<int>({notice}));
    }

    void withoutPreviewTheNoticesAreOfferedForPrinting()
    {
        Ledger l(Edition::Ostrev);
        l.saveOverdue(401, 40);
        RecordingPrintModule printing(l.context);
        l.prompts.answers = {Prompts::Yes, Prompts::Yes};
        QCOMPARE(PastDueNotices(l.context).pMakeFor(l.rows()), QList<int>({402}));
        QCOMPARE(l.prompts.asked.at(0).message, QStringLiteral("Make a past-due notice for Invoice 401?"));
        QCOMPARE(l.prompts.asked.at(1).message, QStringLiteral("Past-due notice 402 is saved.\nPrint it now?"));
        QCOMPARE(l.prompts.unplanned, 0);
        QCOMPARE(printing.calls, QStringList({"print 1"}));
        QCOMPARE(printing.documentNumbers, QList<int>({402}));
    }

    void printoutGroupsByAgeWithTotals()
    {
        Ledger l;
        l.saveOverdue(401, 5, 100, "Ann Abbot");
        l.saveOverdue(402, 10, 20.5, "Bob Brown");
        l.saveOverdue(403, 70, 300, "Ann Abbot");
        l.saveOverdue(404, 120, 1.25, "Cy Carr");
        RecordingPrintModule printing(l.context);
        TfrmReceivables window(l.context, kToday);
        child<QAction>(window, "actPrint")->trigger();
        QCOMPARE(printing.calls, QStringList({"print 9"}));
        const ListPrintout printout = printing.requests.last().printout;
        QCOMPARE(printout.parameters.value(TableParameters::title), QStringLiteral("Receivables"));
        QCOMPARE(printout.parameters.value(TableParameters::subTitle), QStringLiteral("As of 12/9/2026"));
        double width = 0;
        for (const QString &inches : printout.parameters.value(TableParameters::columnWidths).split(','))
            width += inches.toDouble();
        QVERIFY(width <= 7.9 + 1e-9);

        const QList<QStringList> rows = printout.rows.rows;
        QStringList firstCells;
        for (const QStringList &row : rows)
            firstCells << row.value(0);
        // Each group: its caption, its invoices, its total; then the grand total.
        const qsizetype group = firstCells.indexOf(QStringLiteral("=1-30 Days"));
        QVERIFY(group >= 0);
        QCOMPARE(rows.at(group + 1).value(1), QStringLiteral("402"));
        QCOMPARE(rows.at(group + 2).value(1), QStringLiteral("401"));
        QCOMPARE(rows.at(group + 3).value(0), QStringLiteral("=Total 1-30 Days"));
        QCOMPARE(rows.at(group + 3).value(6), QStringLiteral("$120.50"));
        QCOMPARE(rows.at(firstCells.indexOf(QStringLiteral("=Total 61-90 Days"))).value(6), QStringLiteral("$300.00"));
        QCOMPARE(rows.at(firstCells.indexOf(QStringLiteral("=Total Over 90 Days"))).value(6), QStringLiteral("$1.25"));
        QVERIFY(!firstCells.contains(QStringLiteral("=Not Yet Due")));
        QCOMPARE(rows.at(firstCells.indexOf(QStringLiteral("=Total"))).value(6), QStringLiteral("$421.75"));

        // Then what each customer owes by age, and the bucket totals across them.
        const qsizetype ann = firstCells.lastIndexOf(QStringLiteral("Ann Abbot"));
        QVERIFY(ann > firstCells.indexOf(QStringLiteral("=Total")));
        QCOMPARE(rows.at(ann), QStringList({"Ann Abbot", "", "", "$100.00", "", "$300.00", "", "$400.00"}));
        QCOMPARE(rows.last(), QStringList({"=Total", "", "", "$120.50", "", "$300.00", "$1.25", "$421.75"}));

        // A search prints only what it lists, and says so.
        typeText(child<QLineEdit>(window, "txtReceivablesSearch"), QStringLiteral("cy"));
        child<QAction>(window, "actPDF")->trigger();
        const ListPrintout filtered = printing.requests.last().printout;
        QCOMPARE(printing.calls.last(), QStringLiteral("pdf 9"));
        QVERIFY(filtered.parameters.value(TableParameters::subTitle).contains(QStringLiteral("\"cy\"")));
        QCOMPARE(filtered.rows.rows.last(), QStringList({"=Total", "", "", "", "", "", "$1.25", "$1.25"}));
    }
};

QTEST_MAIN(TestReceivables)
#include "test_receivables.moc"
