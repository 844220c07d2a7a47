#include "ListWindows.h"
#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "context/WindowOpening.h"
#include "core/Edition.h"
#include "data/ChangeWatch.h"
#include "data/Database.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentStore.h"
#include "invoice/DueDates.h"
#include "data/IndexStep.h"
#include "data/StoredAmountFunction.h"
#include "data/StoredForm.h"
#include "data/SchemaUpgrade.h"
#include "invoice/Money.h"
#include "invoice/ReceivablesFigures.h"
#include "invoice/ReceivablesQuery.h"
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
#include <sqlite3.h>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <functional>
#include <limits>
#include <random>

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

    /// Lists the unpaid invoices in \a model as the window does.
    void listIn(ReceivablesModel &model)
    {
        model.setSource([this] { return db(); }, &context, kToday, context.locale, {});
        model.reload();
    }

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

/// Writes \a count documents straight into the file: every kind, paid, recurring and
/// overpaid ones, notices whose invoice is stored, deleted or never was, amounts that
/// do not read or round to nothing, names with quotes and non-ASCII letters, and due
/// dates around month ends.
void writeMixedBooks(Database &db, int count, unsigned seed)
{
    std::mt19937 random(seed);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const QStringList companies = {QString(), QStringLiteral("\u00d6lfen Bau GmbH"), QStringLiteral("O'Brien \"Roofs\""),
                                   QStringLiteral("Lindqvist & Sons"), QStringLiteral("\u5317\u4eac Painting"),
                                   QStringLiteral("100% Gutters_Co")};
    const QStringList names = {QString(), QStringLiteral("Ann Abbot"), QStringLiteral("\u00c9tienne \u0141ukasz"),
                               QStringLiteral("STRASSE \u00dfmith"), QStringLiteral("Zo\u00eb Lind")};
    const QStringList odd = {QStringLiteral("12,50"), QStringLiteral("abc"), QString(), QStringLiteral("0.004"),
                             QStringLiteral(" 75.25"), QStringLiteral("-0.001"), QStringLiteral("1e3"),
                             QStringLiteral("inf"), QStringLiteral("1e999"), QStringLiteral("+5"), QStringLiteral("-0.00")};
    const QDate firstDue(2026, 7, 29);
    Transaction tx(db);
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblInvHeader(strInvName,intInvNumber,strInvDate,strFromInvNameNumber,strRecurring,strPaidInFull,"
        "strCustCmpnyName,strCustFullName,intCustomerID,dbPaidAmount,strInvTotal,strDueDateStored,strCustPymntTerms) "
        "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,'Net 30')"));
    // The last tenth is numbered up to the largest number a document can have.
    const auto numberOf = [count](int i) { return i <= count - count / 10 ? i : std::numeric_limits<int>::max() - (count - i) * 7; };
    for (int i = 1; i <= count; ++i) {
        const int number = numberOf(i);
        const int k = pick(20);
        const QString kind = k < 11 ? QStringLiteral("Invoice")
                             : k < 16 ? (pick(2) ? QStringLiteral("Past Due") : QStringLiteral("PAST due"))
                             : k < 18 ? QStringLiteral("Credit")
                                      : QStringLiteral("Estimate");
        QString link;
        if (kind.compare(QStringLiteral("Past Due"), Qt::CaseInsensitive) == 0) {
            const int source = numberOf(1 + pick(count)) + (pick(20) == 0 ? 1 : 0); // some never written
            const QStringList links = {QStringLiteral("Invoice %1"), QStringLiteral("INVOICE %1"),
                                       QStringLiteral("Invoice 0%1"), QStringLiteral("Estimate %1"),
                                       QStringLiteral("Invoice %1x")};
            link = pick(8) == 0 ? QString() : links.at(pick(8) < 5 ? 0 : pick(int(links.size()))).arg(source);
        }
        const bool paid = pick(5) == 0;
        double paidAmount = pick(3) == 0 ? pick(20000) / 100.0 : 0;
        QString total = StoredForm::amountText((pick(500000) - 60000) / 100.0);
        if (pick(25) == 0)
            total = odd.at(pick(int(odd.size())));
        const QDate due = firstDue.addDays(pick(200));
        const QString dueText = pick(15) == 0 ? QString() : StoredForm::dateText(due);
        insert.bindAll(kind, number, StoredForm::dateText(due.addDays(-30)), link, pick(15) == 0 ? "-1" : "0",
                       paid ? "-1" : "0", companies.at(pick(int(companies.size()))), names.at(pick(int(names.size()))),
                       pick(4) == 0 ? qint64(1 + pick(4)) : qint64(0), paidAmount, total, dueText);
        insert.run();
        insert.reset();
    }
    tx.commit();
}

/// Writes debts, credits of paid and unpaid documents, and documents without a due
/// date, due on each day a row's age turns (and the days beside it), numbered from
/// \a firstNumber on.
void writeDebtsAtTheTurns(Database &db, int firstNumber)
{
    Transaction tx(db);
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblInvHeader(strInvName,intInvNumber,strInvDate,strFromInvNameNumber,strRecurring,strPaidInFull,"
        "strCustCmpnyName,strCustFullName,intCustomerID,dbPaidAmount,strInvTotal,strDueDateStored,strCustPymntTerms) "
        "VALUES('Invoice',?,?,'','0',?,'',?,0,0,?,?,'Net 30')"));
    int number = firstNumber;
    // Names the collation puts level with others: in another case, an accent written
    // as a mark of its own.
    const QStringList names = {QStringLiteral("Ann Abbot"), QStringLiteral("ANN abbot"), QStringLiteral("Lindqvist & Sons"),
                               QStringLiteral("E\u0301tienne \u0141ukasz")};
    const auto write = [&](const QString &due, const char *paid, const QString &total) {
        // Documents without a due date have no date either.
        insert.bindAll(number, due.isEmpty() ? QString() : StoredForm::dateText(kToday.addDays(-40)), paid,
                       names.at(number % names.size()), total, due);
        insert.run();
        insert.reset();
        ++number;
    };
    for (const int daysOverdue : {-1, 0, 1, 29, 30, 31, 59, 60, 61, 89, 90, 91}) {
        const QString due = StoredForm::dateText(kToday.addDays(-daysOverdue));
        write(due, "0", QStringLiteral("120.50"));
        write(due, "0", QStringLiteral("-20.25"));
        write(due, "-1", QStringLiteral("-7"));
        write(due, "0", QStringLiteral("64"));
    }
    for (const char *total : {"33", "-3", "10.1"})
        write(QString(), "0", QString::fromLatin1(total));
    write(QString(), "-1", QStringLiteral("-4.5"));
    tx.commit();
}

int byCustomer(const Row &a, const Row &b)
{
    return QString::localeAwareCompare(a.customer.toCaseFolded(), b.customer.toCaseFolded());
}

void compareRows(const QList<Row> &paged, const QList<Row> &reference)
{
    QCOMPARE(paged.size(), reference.size());
    for (qsizetype i = 0; i < paged.size(); ++i) {
        const Row &a = paged.at(i);
        const Row &b = reference.at(i);
        const QString where = QStringLiteral("row %1, document %2").arg(i).arg(b.invoiceNumber);
        QVERIFY2(a.invoiceNumber == b.invoiceNumber && a.noticeNumber == b.noticeNumber, qPrintable(where));
        QVERIFY2(a.customer == b.customer && a.customerId == b.customerId, qPrintable(where));
        QVERIFY2(a.date == b.date && a.dueDate == b.dueDate && a.daysOverdue == b.daysOverdue && a.bucket == b.bucket,
                 qPrintable(where));
        QVERIFY2(a.total == b.total && a.paid == b.paid && a.balance == b.balance, qPrintable(where));
    }
}

void compareFigures(const Receivables::Figures &summed, const Receivables::Figures &reference)
{
    QCOMPARE(summed.rows, reference.rows);
    QCOMPARE(summed.buckets, reference.buckets);
    QCOMPARE(summed.credit, reference.credit);
    QCOMPARE(summed.owed(), reference.owed());
    QCOMPARE(summed.customers.size(), reference.customers.size());
    for (qsizetype i = 0; i < summed.customers.size(); ++i) {
        const Receivables::CustomerTotal &a = summed.customers.at(i);
        const Receivables::CustomerTotal &b = reference.customers.at(i);
        QCOMPARE(a.customer, b.customer);
        QCOMPARE(a.buckets, b.buckets);
        QCOMPARE(a.credit, b.credit);
        QCOMPARE(a.balance, b.balance);
    }
}

} // namespace

class TestReceivables : public QObject
{
    Q_OBJECT

private slots:
    void pagesAndSummedFiguresAgreeWithTheFullReading()
    {
        Ledger l;
        {
            const auto db = l.db();
            writeMixedBooks(*db, 900, 77);
            writeDebtsAtTheTurns(*db, 1000);
        }
        const Receivables::Listing all = Receivables::unpaidInvoices(l.context, kToday);
        QVERIFY(all.rows.size() > 2 * Receivables::Pages::kPageRows);
        const auto connect = [&l] { return l.db(); };
        {
            QList<int> unreadable = all.unreadable;
            std::sort(unreadable.begin(), unreadable.end());
            QVERIFY(!unreadable.isEmpty());
            QCOMPARE(Receivables::figures(connect, kToday, {}).unreadable, unreadable);
        }
        int notices = 0, credits = 0;
        for (const Row &row : all.rows) {
            notices += row.noticeNumber != 0 ? 1 : 0;
            credits += row.isCredit() ? 1 : 0;
        }
        QVERIFY(notices > 10 && credits > 10);

        const QStringList searches = {QString(), QStringLiteral("a"), QStringLiteral("lind"), QStringLiteral("\u00f6LF"),
                                      QStringLiteral("\u00e9tienne"), QStringLiteral("SS"), QStringLiteral("1"),
                                      QStringLiteral("12"), QStringLiteral("  45 "), QStringLiteral("123"), QStringLiteral("51"),
                                      QStringLiteral("7-"), QStringLiteral("017"), QStringLiteral("o'brien \"r"),
                                      QStringLiteral("100%"), QStringLiteral("s_c"), QStringLiteral("\u5317"),
                                      QStringLiteral("zzz")};
        // Invoices found only by the number of their latest notice.
        QStringList bySearch = searches;
        for (const Row &row : all.rows) {
            const QString notice = QString::number(row.noticeNumber);
            if (row.noticeNumber != 0 && !QString::number(row.invoiceNumber).startsWith(notice) && bySearch.size() < 20)
                bySearch << notice;
        }
        bySearch << QStringLiteral("214748") << QString::number(std::numeric_limits<int>::max());
        // Every page is a round trip to the server: there, pages of one row and the
        // orders under the plans not chosen are left to the file, which reads the same SQL.
        const bool server = TestCompanyOnServer::selected();
        const QList<int> pageSizes = server ? QList<int>{Receivables::Pages::kPageRows, 37}
                                            : QList<int>{Receivables::Pages::kPageRows, 1, 37};
        for (const QString &search : bySearch) {
            QList<Row> reference;
            for (const Row &row : all.rows) {
                if (Receivables::matchesSearch(row, search))
                    reference.append(row);
            }
            // Walking every row in due order, and reading only the rows a search can keep.
            for (const auto plan : {Receivables::Pages::Plan::Choose, Receivables::Pages::Plan::WalkByDueDate,
                                    Receivables::Pages::Plan::Candidates}) {
                Receivables::Pages pages([&l] { return l.db(); }, kToday, search, plan);
                while (!pages.complete())
                    pages.readMore();
                compareRows(pages.rows(), reference);
                // End first, then up until the rows read from the end meet those read
                // from the start; pages of odd sizes end on every kind of row.
                for (const int rows : pageSizes) {
                    Receivables::Pages fromEnd([&l] { return l.db(); }, kToday, search, plan);
                    fromEnd.readLast(rows);
                    QVERIFY(fromEnd.endRead());
                    const qsizetype tail = fromEnd.complete() ? 0 : fromEnd.rows().size() - fromEnd.gapRow();
                    compareRows(fromEnd.rows().mid(fromEnd.rows().size() - tail), reference.mid(reference.size() - tail));
                    while (!fromEnd.complete())
                        fromEnd.readBeforeTail(rows);
                    compareRows(fromEnd.rows(), reference);
                }
                // From both sides, then the rest in one reading.
                Receivables::Pages bothSides([&l] { return l.db(); }, kToday, search, plan);
                bothSides.readLast(50);
                bothSides.readMore(3);
                bothSides.readBeforeTail(20);
                bothSides.readAll();
                compareRows(bothSides.rows(), reference);
                // The orders the engine lists in are those a stable sort of the full
                // reading gives, from the start and from the end.
                using Order = Receivables::Pages::Order;
                const QList<std::pair<Order, std::function<bool(const Row &, const Row &)>>> orders = {
                    {Order::DueDateDescending, [](const Row &a, const Row &b) { return a.dueDate > b.dueDate; }},
                    {Order::Number, [](const Row &a, const Row &b) { return a.invoiceNumber < b.invoiceNumber; }},
                    {Order::NumberDescending, [](const Row &a, const Row &b) { return a.invoiceNumber > b.invoiceNumber; }},
                    {Order::DaysOverdue, [](const Row &a, const Row &b) { return a.daysOverdue < b.daysOverdue; }},
                    {Order::DaysOverdueDescending, [](const Row &a, const Row &b) { return a.daysOverdue > b.daysOverdue; }},
                    {Order::Age, [](const Row &a, const Row &b) { return a.bucket < b.bucket; }},
                    {Order::AgeDescending, [](const Row &a, const Row &b) { return a.bucket > b.bucket; }},
                    {Order::Date, [](const Row &a, const Row &b) { return a.date < b.date; }},
                    {Order::DateDescending, [](const Row &a, const Row &b) { return a.date > b.date; }},
                    {Order::Customer, [](const Row &a, const Row &b) { return byCustomer(a, b) < 0; }},
                    {Order::CustomerDescending, [](const Row &a, const Row &b) { return byCustomer(a, b) > 0; }}};
                for (const auto &[order, before] : orders) {
                    if (server && plan != Receivables::Pages::Plan::Choose)
                        break;
                    QList<Row> sorted = reference;
                    std::stable_sort(sorted.begin(), sorted.end(), before);
                    Receivables::Pages forwards([&l] { return l.db(); }, kToday, search, plan, order);
                    while (!forwards.complete())
                        forwards.readMore(41);
                    compareRows(forwards.rows(), sorted);
                    Receivables::Pages backwards([&l] { return l.db(); }, kToday, search, plan, order);
                    backwards.readLast(29);
                    while (!backwards.complete())
                        backwards.readBeforeTail(29);
                    compareRows(backwards.rows(), sorted);
                    // From both sides at once, meeting anywhere.
                    Receivables::Pages meeting([&l] { return l.db(); }, kToday, search, plan, order);
                    meeting.readLast(11);
                    for (int turn = 0; !meeting.complete(); ++turn)
                        turn % 2 ? meeting.readBeforeTail(17) : meeting.readMore(13);
                    compareRows(meeting.rows(), sorted);
                }
            }
            const Receivables::Figures summed = Receivables::figures(connect, kToday, search);
            compareFigures(summed, Receivables::figuresOf(reference));
            // The same pass names the unreadable documents the search keeps.
            for (const int number : all.unreadable) {
                Row unreadable;
                unreadable.invoiceNumber = number;
                if (Receivables::matchesSearch(unreadable, search))
                    QVERIFY2(summed.unreadable.contains(number), qPrintable(QString::number(number)));
            }
            for (const int number : summed.unreadable)
                QVERIFY2(all.unreadable.contains(number), qPrintable(QString::number(number)));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("searching for \"%1\"").arg(search)));
        }
    }

    void readingsFromBothEndsTakeEveryRowOnce()
    {
        // Keys in the order the rows are walked (due date as bytes, then number): many
        // share a due date, some the whole key, and bytes above 0x7f sort last.
        const std::vector<std::string> dues = {"", "2026-07-31", "2026-08-01", "2026-08-01x", "\xc3\xa9t\xc3\xa9", "zz"};
        std::mt19937 random(5);
        for (int round = 0; round < 2000; ++round) {
            std::vector<std::pair<std::string, int>> keys(random() % 30);
            for (auto &[due, number] : keys)
                due = dues.at(random() % dues.size()), number = int(random() % 4) - 1;
            std::sort(keys.begin(), keys.end());
            // One side may run far ahead of the other, or both go step by step.
            const unsigned startShare = random() % 11;
            Receivables::Meeting meeting;
            std::vector<int> taken(keys.size(), 0);
            std::size_t next = 0, last = keys.size();
            bool startDone = false, endDone = false;
            while (!startDone || !endDone) {
                const bool start = !startDone && (endDone || random() % 10 < startShare);
                const std::size_t at = start ? next : last - 1;
                if (start ? next == keys.size() : last == 0) {
                    meeting.end(start ? Receivables::Meeting::FromStart : Receivables::Meeting::FromEnd);
                    (start ? startDone : endDone) = true;
                    continue;
                }
                const QByteArrayView due(keys[at].first.data(), qsizetype(keys[at].first.size()));
                if (!meeting.take(start ? Receivables::Meeting::FromStart : Receivables::Meeting::FromEnd, due,
                                  keys[at].second)) {
                    (start ? startDone : endDone) = true;
                    continue;
                }
                ++taken[at];
                start ? ++next : --last;
            }
            for (std::size_t i = 0; i < taken.size(); ++i)
                QVERIFY2(taken[i] == 1, qPrintable(QStringLiteral("round %1, row %2 of %3").arg(round).arg(i).arg(taken.size())));
            // A side that read to its end took every row: rows a later state of the file
            // adds beyond it are not the other's to take.
            if (next == keys.size() && last == keys.size())
                QVERIFY(!meeting.take(Receivables::Meeting::FromEnd, "\xff", 7));
            if (last == 0 && next == 0)
                QVERIFY(!meeting.take(Receivables::Meeting::FromStart, "", -7));
        }
    }

    void sumsOfTwoPartsMergeIntoTheSumsOfAll()
    {
        // Rows as stored, oldest due first, as the reference reads them into rows: names
        // shown alike from different parts, bytes that are not UTF-8, amounts that do
        // not read or round to nothing, credits, due dates on the bucket boundaries.
        struct Stored
        {
            QByteArray due;
            int number;
            qint64 id;
            QByteArray company, name, amount;
        };
        const QList<QByteArray> companies = {"", "A, B", "A", "\xc3\x96lfen", "\xff", "\xfe"};
        const QList<QByteArray> names = {"", "B", "Ann", "\xc3\xa9mile"};
        const QList<QByteArray> amounts = {"100", "-25.5", "0.004", "abc", "", "12,50", "1e999", "0.01", "-0.01", "7.12"};
        std::mt19937 random(9);
        QList<Stored> stored;
        for (int i = 0; i < 160; ++i) {
            const int days = int(random() % 8) * 15 - 1 + int(random() % 3);
            const QByteArray due = random() % 12 == 0 ? QByteArray() : StoredForm::dateText(kToday.addDays(-days)).toUtf8();
            stored.append({due, 1 + int(random() % 120), random() % 3 == 0 ? qint64(1 + random() % 3) : 0,
                           companies.at(random() % companies.size()), names.at(random() % names.size()),
                           amounts.at(random() % amounts.size())});
        }
        std::sort(stored.begin(), stored.end(),
                  [](const Stored &a, const Stored &b) { return std::pair(a.due, a.number) < std::pair(b.due, b.number); });
        QList<Row> reference;
        for (const Stored &r : stored) {
            const std::optional<double> balance = StoredForm::readAmount(QString::fromUtf8(r.amount));
            if (!balance || std::abs(*balance) < 0.005)
                continue;
            Row row;
            row.invoiceNumber = r.number;
            row.customer = Receivables::customerText(QString::fromUtf8(r.company), QString::fromUtf8(r.name));
            row.customerId = r.id;
            row.dueDate = StoredForm::readDate(QString::fromUtf8(r.due)).value_or(QDate());
            row.balance = *balance;
            row.settle(kToday);
            reference.append(row);
        }
        const auto add = [](Receivables::FigureSums &sums, const Stored &r) {
            sums.add(r.due, r.number, r.id, r.company, r.name, r.amount);
        };
        Receivables::FigureSums whole(kToday);
        for (const Stored &r : stored)
            add(whole, r);
        const Receivables::Figures all = whole.figures();
        compareFigures(all, Receivables::figuresOf(reference));
        QVERIFY(!all.unreadable.isEmpty() && all.credit < 0);
        QVERIFY(all.customers.size() > 5 && all.customers.size() < 30);
        // Split anywhere, the second part read from its end, as the two readings do.
        for (qsizetype split = 0; split <= stored.size(); ++split) {
            Receivables::FigureSums first(kToday), second(kToday);
            for (qsizetype i = 0; i < split; ++i)
                add(first, stored.at(i));
            for (qsizetype i = stored.size() - 1; i >= split; --i)
                add(second, stored.at(i));
            first.merge(second);
            const Receivables::Figures merged = first.figures();
            compareFigures(merged, all);
            QCOMPARE(merged.unreadable, all.unreadable);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("split after %1 rows").arg(split)));
        }
    }

    void readingsFromBothEndsOfTheFileSumWhatOneReadingSums()
    {
        Ledger l;
        {
            const auto db = l.db();
            writeMixedBooks(*db, 700, 21);
        }
        std::mt19937 random(3);
        for (const QString &search : {QString(), QStringLiteral("lind"), QStringLiteral("1"), QStringLiteral("\u00e9tienne")}) {
            Receivables::Meeting alone;
            const auto one = l.db();
            Receivables::OwedReading all(*one, kToday, search, Receivables::Meeting::FromStart, alone);
            int rows = 0;
            while (all.readNext())
                ++rows;
            QVERIFY(rows > 40);
            const Receivables::Figures reference = all.sums().figures();
            for (int schedule = 0; schedule < 6; ++schedule) {
                Receivables::Meeting meeting;
                const auto a = l.db();
                const auto b = l.db();
                Receivables::OwedReading start(*a, kToday, search, Receivables::Meeting::FromStart, meeting);
                Receivables::OwedReading end(*b, kToday, search, Receivables::Meeting::FromEnd, meeting);
                const unsigned startShare = 1 + unsigned(schedule) * 2;
                bool startMore = true, endMore = true;
                while (startMore || endMore) {
                    if (startMore && (!endMore || random() % 12 < startShare))
                        startMore = start.readNext();
                    else
                        endMore = end.readNext();
                }
                Receivables::FigureSums sums = start.sums();
                sums.merge(end.sums());
                const Receivables::Figures both = sums.figures();
                compareFigures(both, reference);
                QCOMPARE(both.unreadable, reference.unreadable);
                if (QTest::currentTestFailed())
                    QFAIL(qPrintable(QStringLiteral("searching for \"%1\", schedule %2").arg(search).arg(schedule)));
            }
        }
    }

    void aFailedSecondReadingLeavesItsRowsToTheFirst()
    {
        if (TestCompanyOnServer::selected())
            QSKIP("the server is read by one statement; its functions are not this process's");
        Ledger l;
        {
            const auto db = l.db();
            writeMixedBooks(*db, 2400, 77);
        }
        const Receivables::Figures reference = Receivables::figuresOf(l.rows());
        // The second connection cannot be had.
        std::atomic<int> connections = 0;
        const auto noSecond = [&] {
            if (++connections > 1)
                throw DbError(SQLITE_CANTOPEN, QStringLiteral("unable to open database file"));
            return l.db();
        };
        compareFigures(Receivables::figures(noSecond, kToday, {}), reference);
        // The second fails part way, after taking rows of its own: the first waits,
        // where it asks whether the figures are still wanted, until then.
        struct Amounts
        {
            std::mutex mutex;
            std::condition_variable failed;
            int readBySecond = 0;
        } amounts;
        const auto failing = [](sqlite3_context *context, int, sqlite3_value **values) {
            auto *shared = static_cast<Amounts *>(sqlite3_user_data(context));
            const std::lock_guard lock(shared->mutex);
            if (++shared->readBySecond > 20) {
                shared->failed.notify_all();
                sqlite3_result_error(context, "disk I/O error", -1);
                return;
            }
            const auto *text = sqlite3_value_text(values[0]);
            const std::optional<double> read = StoredAmountFunction::read(
                text ? QByteArrayView(text, sqlite3_value_bytes(values[0])) : QByteArrayView());
            if (read)
                sqlite3_result_double(context, *read);
            else
                sqlite3_result_null(context);
        };
        connections = 0;
        const auto failingSecond = [&] {
            auto db = l.db();
            if (++connections > 1)
                sqlite3_create_function_v2(db->handle(), "stored_amount", 1, SQLITE_UTF8, &amounts, failing, nullptr,
                                           nullptr, nullptr);
            return db;
        };
        const std::thread::id first = std::this_thread::get_id();
        const auto firstWaits = [&] {
            if (std::this_thread::get_id() == first) {
                std::unique_lock lock(amounts.mutex);
                amounts.failed.wait_for(lock, std::chrono::seconds(30), [&] { return amounts.readBySecond > 20; });
            }
            return true;
        };
        compareFigures(*Receivables::figuresWhileWanted(failingSecond, kToday, {}, firstWaits), reference);
        QVERIFY(amounts.readBySecond > 20);
        // The first reading's failure is the caller's to report.
        connections = 0;
        const auto noFirst = [&]() -> std::unique_ptr<Database> {
            ++connections;
            throw DbError(SQLITE_BUSY, QStringLiteral("database is locked"));
        };
        QVERIFY_THROWS_EXCEPTION(DbError, (void)Receivables::figures(noFirst, kToday, {}));
    }

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
        l.listIn(model);
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

    void storedDueDatesFollowDatesTermsAndEdits()
    {
        // Every terms text the company record offers, and ones typed by hand.
        const QStringList terms = {QStringLiteral("Due on day of completion"), QStringLiteral("Due on the 10th"),
                                   QStringLiteral("Due on the 20th"), QStringLiteral("Net Due on the 20th"),
                                   QStringLiteral("Due upon receipt"), QStringLiteral("Due by the 15th"),
                                   QStringLiteral("Due on the 31st"), QStringLiteral("Net 30"),
                                   QStringLiteral("net15"), QStringLiteral("45 days"), QStringLiteral("1 day"),
                                   QStringLiteral("Net 9999"), QString(), QStringLiteral("Zahlbar in 14 Tagen \u00e4'\""),
                                   QStringLiteral("Due on the 32nd")};
        Ledger l;
        std::mt19937 random(32);
        const auto pick = [&random](int count) { return int(random() % unsigned(count)); };
        // Month ends, leap days and turns of the year are where due dates go wrong.
        const QDate first(2023, 12, 25);
        QHash<int, QDate> expected;
        for (int number = 600; number < 700; ++number) {
            Invoice invoice{.number = number,
                            .date = first.addDays(pick(5) == 0 ? 0 : pick(1200)),
                            .terms = terms.at(pick(int(terms.size())))};
            if (pick(5) == 0)
                invoice.due = invoice.date.addDays(pick(90));
            l.save(invoice);
            expected.insert(number, invoice.due.isValid() ? invoice.due
                                                          : DueDates::fromTerms(invoice.date, invoice.terms));
        }
        const auto stored = [&l]() {
            QHash<int, QDate> dates;
            const auto db = l.db();
            Statement q = db->prepare(QStringLiteral("SELECT intInvNumber, strDueDateStored FROM tblInvHeader"));
            // Stored text that does not read stands out as year 1.
            while (q.step()) {
                const QString text = q.textAt(1);
                dates.insert(q.intAt(0), text.isEmpty() ? QDate() : StoredForm::readDate(text).value_or(QDate(1, 1, 1)));
            }
            return dates;
        };
        QCOMPARE(stored(), expected);
        const auto listedDueDates = [&l]() {
            QHash<int, QDate> dates;
            for (const Row &row : l.rows())
                dates.insert(row.invoiceNumber, row.dueDate);
            return dates;
        };
        QCOMPARE(listedDueDates(), expected);

        // Edits of the date, the terms and the due date each move the stored date.
        DocumentStore store(l.context);
        TrecInvHeader &h = l.context.document.header;
        for (int round = 0; round < 40; ++round) {
            const int number = 600 + pick(100);
            h.blnNewInvoice = false;
            h.intInvNumber = number;
            store.pLoadInvoice();
            switch (round % 4) {
            case 0:
                h.strInvDate = h.strInvDate.addDays(pick(400) - 200);
                break;
            case 1:
                h.strCustPymntTerms = terms.at(pick(int(terms.size())));
                break;
            case 2:
                h.strDueDate = h.strInvDate.addDays(pick(60));
                break;
            case 3:
                h.strDueDate = {};
                break;
            }
            QCOMPARE(store.pSaveInvoice(), number);
            expected.insert(number, DueDates::dueDate(h));
        }
        QCOMPARE(stored(), expected);

        // A file from before the column gets it filled at upgrade, the same dates.
        {
            const auto db = l.db();
            db->exec(QStringLiteral("DROP INDEX idxInvHeaderOwedDue; DROP INDEX idxInvHeaderUnpaidCustomer; "
                                    "DROP INDEX idxInvHeaderOwedDate; "
                                    "ALTER TABLE tblInvHeader DROP COLUMN strDueDateStored; "
                                    "UPDATE tblSchemaLevel SET intSchemaLevel = 8"));
        }
        // A due date set by hand that no longer reads leaves the terms to decide.
        {
            const auto db = l.db();
            db->exec(QStringLiteral("UPDATE tblInvHeader SET strDueDate = '31.31.2026' WHERE intInvNumber = 650"));
            Statement q = db->prepare(
                QStringLiteral("SELECT strInvDate, strCustPymntTerms FROM tblInvHeader WHERE intInvNumber = 650"));
            QVERIFY(q.step());
            expected.insert(650, DueDates::fromTerms(*StoredForm::readDate(q.textAt(0)), q.textAt(1)));
            // Neither date reads: no due date rather than the unread text.
            db->exec(QStringLiteral("UPDATE tblInvHeader SET strDueDate = '31.31.2026', "
                                    "strInvDate = 'Date:____/____/________' WHERE intInvNumber = 651"));
            expected.insert(651, QDate());
        }
        const SchemaUpgrade::UpgradeReport report = l.upgrade(kToday);
        QCOMPARE(report.fromLevel, 8);
        QCOMPARE(stored(), expected);
        QCOMPARE(listedDueDates(), expected);
    }

    void aFileUpgradedFromTheLevelBeforeListsThroughTheOwedIndexes()
    {
        Ledger l;
        for (int n = 0; n < 5; ++n)
            l.saveOverdue(700 + n, 10 * n, 100 + n);
        const auto indexes = [&l] {
            QStringList names;
            Statement q = l.db()->prepare(QStringLiteral(
                "SELECT name FROM sqlite_master WHERE type = 'index' AND (name LIKE 'idxInvHeader%Due' "
                "OR name LIKE 'idxInvHeader%Date') ORDER BY name"));
            while (q.step())
                names << q.textAt(0);
            return names;
        };
        {
            // As the level before left it: one due-date index holding every unpaid kind.
            const auto db = l.db();
            db->exec(QStringLiteral("DROP INDEX idxInvHeaderOwedDue; DROP INDEX idxInvHeaderOwedDate; "
                                    "CREATE INDEX idxInvHeaderUnpaidDue ON tblInvHeader(strDueDateStored, intInvNumber) "
                                    "WHERE strPaidInFull = '0' AND strRecurring = '0'"));
            db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?"))
                .bind(1, IndexStep::kOwedIndexesLevel - 1)
                .run();
        }
        QCOMPARE(l.upgrade(kToday).fromLevel, IndexStep::kOwedIndexesLevel - 1);
        if (!TestCompanyOnServer::selected())
            QCOMPARE(indexes(), QStringList({"idxInvHeaderOwedDate", "idxInvHeaderOwedDue"}));
        Receivables::Pages pages([&l] { return l.db(); }, kToday, {}, Receivables::Pages::Plan::Choose,
                                 Receivables::Pages::Order::DateDescending);
        QList<int> numbers;
        for (const Row &row : pages.rows())
            numbers << row.invoiceNumber;
        QCOMPARE(numbers, QList<int>({700, 701, 702, 703, 704}));
        const Receivables::Pages byDue([&l] { return l.db(); }, kToday, {});
        QCOMPARE(byDue.rows().size(), 5);
        QCOMPARE(Receivables::figures([&l] { return l.db(); }, kToday, {}).rows, 5);
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
        l.listIn(model);
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

    void theListReadsPagesAsItScrollsAndReportsAFailedRead()
    {
        Ledger l;
        {
            const auto db = l.db();
            writeMixedBooks(*db, 700, 5);
        }
        QList<Row> all = l.rows();
        ReceivablesModel model;
        l.listIn(model);
        QCOMPARE(model.rowCount(), Receivables::Pages::kPageRows);
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), all.size());
        QCOMPARE(model.everyRow().size(), all.size());
        // Another order reads every row; back to the oldest due first, pages again.
        model.sort(ReceivablesModel::Balance, Qt::DescendingOrder);
        QCOMPARE(model.rowCount(), all.size());
        QVERIFY(model.row(0).balance >= model.row(1).balance);
        model.sort(ReceivablesModel::DueDate, Qt::AscendingOrder);
        QCOMPARE(model.rowCount(), Receivables::Pages::kPageRows);
        QCOMPARE(model.row(0).invoiceNumber, all.first().invoiceNumber);

        // End goes to the last row, read or not.
        TfrmReceivables window(l.context, kToday);
        auto *list = child<QTableView>(window, "lstvwReceivables");
        // The documents whose amount does not read are named, even to one who types.
        typeText(child<QLineEdit>(window, "txtReceivablesSearch"), QStringLiteral("z"));
        child<QLineEdit>(window, "txtReceivablesSearch")->clear();
        QTRY_COMPARE(l.prompts.messages(QStringLiteral("Error")).size(), 1);
        QVERIFY(l.prompts.messages(QStringLiteral("Error")).first().contains(QStringLiteral("cannot be read")));
        QCOMPARE(list->model()->rowCount(), Receivables::Pages::kPageRows);
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentIndex().row(), list->model()->rowCount() - 1);
        QCOMPARE(list->currentIndex().siblingAtColumn(ReceivablesModel::Invoice).data().toString(),
                 ReceivablesModel::invoiceText(all.last()));

        // A read that fails leaves the list as it was and says why.
        child<QLineEdit>(window, "txtReceivablesSearch")->setText(QStringLiteral("1"));
        const QStringList before = columnTexts(*list->model(), ReceivablesModel::Invoice);
        l.db()->exec(QStringLiteral("ALTER TABLE tblInvHeader RENAME TO tblInvHeaderAway"));
        QTest::keyClick(child<QLineEdit>(window, "txtReceivablesSearch"), Qt::Key_Backspace);
        QCOMPARE(columnTexts(*list->model(), ReceivablesModel::Invoice), before);
        const QStringList errors = l.prompts.messages(QStringLiteral("Error"));
        QCOMPARE(errors.size(), 2);
        QVERIFY2(errors.last().contains(QStringLiteral("tblInvHeader"), Qt::CaseInsensitive), qPrintable(errors.last()));
    }

    void endReadsTheLastPageAndTheListFillsInAsItScrollsUp()
    {
        Ledger l;
        {
            const auto db = l.db();
            writeMixedBooks(*db, 2400, 11);
        }
        const QList<Row> unsorted = l.rows();
        QVERIFY(unsorted.size() > 6 * Receivables::Pages::kPageRows);
        {
            // Figures no longer wanted are given up, never handed out half summed; both
            // readings ask.
            const auto connect = [&l] { return l.db(); };
            std::atomic<int> asked = 0;
            QVERIFY(!Receivables::figuresWhileWanted(connect, kToday, {}, [&asked] { return ++asked < 2; }));
            QVERIFY(asked >= 2 && asked <= 3);
            asked = 0;
            const auto whole = Receivables::figuresWhileWanted(connect, kToday, {}, [&asked] { return ++asked > 0; });
            QVERIFY(whole && asked >= 2);
            compareFigures(*whole, Receivables::figuresOf(unsorted));
        }
        // In the oldest-due-first order, and in orders listed in stretches of it.
        using M = ReceivablesModel;
        const QList<std::tuple<int, Qt::SortOrder, std::function<bool(const Row &, const Row &)>>> sorts = {
            {M::DueDate, Qt::AscendingOrder, [](const Row &a, const Row &b) { return a.dueDate < b.dueDate; }},
            {M::DaysOverdue, Qt::AscendingOrder, [](const Row &a, const Row &b) { return a.daysOverdue < b.daysOverdue; }},
            {M::Age, Qt::DescendingOrder, [](const Row &a, const Row &b) { return a.bucket > b.bucket; }},
            {M::Customer, Qt::DescendingOrder, [](const Row &a, const Row &b) { return byCustomer(a, b) > 0; }}};
        for (const auto &[column, order, before] : sorts) {
            QList<Row> all = unsorted;
            std::stable_sort(all.begin(), all.end(), before);
            TfrmReceivables window(l.context, kToday);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            auto *list = child<QTableView>(window, "lstvwReceivables");
            list->horizontalHeader()->setSortIndicator(column, order);
            const auto &model = window.listModel();
            const auto invoiceAt = [&model](int row) { return model.row(row).invoiceNumber; };
            // The rows in view follow one another as in the full reading.
            const auto checkView = [&] {
                const int top = list->rowAt(0);
                const qsizetype first = std::find_if(all.cbegin(), all.cend(), [&](const Row &r) {
                                            return r.invoiceNumber == invoiceAt(top);
                                        }) - all.cbegin();
                for (int row = top; row <= list->rowAt(list->viewport()->height() - 1); ++row)
                    QVERIFY2(first + row - top < all.size() && invoiceAt(row) == all.at(first + row - top).invoiceNumber,
                             qPrintable(QStringLiteral("row %1 below %2").arg(row).arg(top)));
            };

            list->setFocus();
            QTest::keyClick(list, Qt::Key_End);
            QVERIFY(model.rowCount() < all.size());
            if (const QString shot = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !shot.isEmpty())
                window.grab().save(shot + QStringLiteral("/receivables-end-by-column-%1.png").arg(column));
            QCOMPARE(list->currentIndex().row(), model.rowCount() - 1);
            QCOMPARE(invoiceAt(list->currentIndex().row()), all.last().invoiceNumber);
            checkView();

            // A refresh from another PC keeps the user's row and selection at the end.
            QTest::keyClick(list, Qt::Key_Up);
            QTest::keyClick(list, Qt::Key_Up, Qt::ShiftModifier);
            const int current = invoiceAt(list->currentIndex().row());
            QCOMPARE(current, all.at(all.size() - 3).invoiceNumber);
            emit window.findChild<ChangeWatch *>()->changedElsewhere();
            QCOMPARE(invoiceAt(list->currentIndex().row()), current);
            QList<int> selected;
            for (const QModelIndex &index : list->selectionModel()->selectedRows())
                selected << invoiceAt(index.row());
            std::sort(selected.begin(), selected.end());
            QList<int> expected{all.at(all.size() - 2).invoiceNumber, current};
            std::sort(expected.begin(), expected.end());
            QCOMPARE(selected, expected);

            // Page Up to the first row passes every row once, in order.
            for (int presses = 0; list->currentIndex().row() > 0 && presses < all.size(); ++presses) {
                QTest::keyClick(list, Qt::Key_PageUp);
                checkView();
                // Rows read in above it do not push the current row out of view.
                QVERIFY(list->currentIndex().row() >= list->rowAt(0));
                QVERIFY(list->currentIndex().row() <= list->rowAt(list->viewport()->height() - 1));
                if (QTest::currentTestFailed())
                    return;
            }
            QCOMPARE(list->currentIndex().row(), 0);
            compareRows(model.listed(), all);

            // Home goes back over rows not read; selecting all holds them too.
            list->setFocus();
            child<QLineEdit>(window, "txtReceivablesSearch")->setText(QStringLiteral("x"));
            child<QLineEdit>(window, "txtReceivablesSearch")->clear();
            QTest::keyClick(list, Qt::Key_End);
            QTest::keyClick(list, Qt::Key_Home);
            QCOMPARE(invoiceAt(list->currentIndex().row()), all.first().invoiceNumber);
            QVERIFY(model.gapRow() > 0);
            QTest::keySequence(list, QKeySequence::SelectAll);
            QCOMPARE(list->selectionModel()->selectedRows().size(), all.size());
            compareRows(model.listed(), all);
        }
    }

    void homeAndEndSelectTheRowTheCommandsActOn()
    {
        Ledger l;
        {
            const auto db = l.db();
            writeMixedBooks(*db, 1200, 13);
        }
        const QList<Row> all = l.rows();
        QVERIFY(all.size() > 2 * Receivables::Pages::kPageRows);
        TfrmReceivables window(l.context, kToday);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *list = child<QTableView>(window, "lstvwReceivables");
        const auto &model = window.listModel();
        const auto selectedInvoices = [&] {
            QList<int> numbers;
            for (const QModelIndex &index : list->selectionModel()->selectedRows())
                numbers << model.row(index.row()).invoiceNumber;
            std::sort(numbers.begin(), numbers.end());
            return numbers;
        };
        const auto invoicesOf = [&](qsizetype from, qsizetype to) {
            QList<int> numbers;
            for (qsizetype i = from; i <= to; ++i)
                numbers << all.at(i).invoiceNumber;
            std::sort(numbers.begin(), numbers.end());
            return numbers;
        };
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(selectedInvoices(), invoicesOf(2, 2));

        // The row End goes to is the one selected, not the one left behind.
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(selectedInvoices(), invoicesOf(all.size() - 1, all.size() - 1));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(selectedInvoices(), invoicesOf(0, 0));
        // Pressed again where it already is, it keeps the row selected.
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(selectedInvoices(), invoicesOf(0, 0));

        // Shift extends from where the selection began, over rows not read yet too.
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(selectedInvoices(), invoicesOf(1, 3));
        QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(selectedInvoices(), invoicesOf(1, all.size() - 1));
        QTest::keyClick(list, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(selectedInvoices(), invoicesOf(0, 1));
        compareRows(model.listed(), all);
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
        QTRY_COMPARE(child<QLabel>(window, "lblAllTotal")->text(), QStringLiteral("$167.25"));
        QTRY_COMPARE(child<QLabel>(window, "lblBucketTotal2")->text(), QStringLiteral("$50.25"));
        QTRY_COMPARE(window.customerModel().rowCount(), 3);
        QTRY_COMPARE(child<QLabel>(window, "lblRowCount")->text(), QStringLiteral("4 listed"));

        // Typing filters the list at once; the bucket and customer totals follow, and
        // no figure of the search before stands beside the new list meanwhile.
        typeText(child<QLineEdit>(window, "txtReceivablesSearch"), QStringLiteral("ann"));
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(child<QLabel>(window, "lblAllTotal")->text().isEmpty());
        QTRY_COMPARE(child<QLabel>(window, "lblAllTotal")->text(), QStringLiteral("$110.00"));
        QTRY_COMPARE(child<QLabel>(window, "lblBucketTotal2")->text(), QStringLiteral("$0.00"));
        QTRY_COMPARE(child<QLabel>(window, "lblBucketTotal4")->text(), QStringLiteral("$10.00"));
        QTRY_COMPARE(window.customerModel().rowCount(), 1);
        QTRY_COMPARE(child<QLabel>(window, "lblRowCount")->text(), QStringLiteral("2 listed"));
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
        QTRY_COMPARE(child<QLabel>(window, "lblAllTotal")->text(), QStringLiteral("$600.00"));
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
