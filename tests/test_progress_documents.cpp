#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "invoice/CentSplit.h"
#include "invoice/CustomerStatement.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/JobSummary.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"
#include "invoice/ProgressJobs.h"
#include "invoice/ReceivablesFigures.h"
#include "invoice/StoredDocuments.h"
#include "invoice/Totals.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

using namespace DocumentKinds;

const CustomerStatement::Customer kCustomer{41, QStringLiteral("O'Brien \"Decks\" – Zoë"), QStringLiteral("Ünal")};

double cents(double amount)
{
    return CentSplit::centsOf(amount);
}

/// The monthly report summed: work (labor + material) and each tax, in cents.
struct Posted
{
    double work = 0;
    std::array<double, 3> tax{};
};

struct Books : TestSession
{
    explicit Books(int edition = Edition::Corvalo)
        : TestSession(edition)
    {
        start(QDate(2026, 12, 9));
    }

    CurrentDocument &doc() { return context.document; }

    /// Starts a new document of the customer, with taxes 1 and 2 in use.
    void startDocument(const QString &kind, int discount = 0)
    {
        doc().header.blnNewInvoice = true;
        DocumentStore(context).pLoadInvoice();
        TrecInvHeader &h = doc().header;
        h.strInvName = kind;
        h.strInvDate = QDate(2026, 3, 2);
        h.intCustomerID = kCustomer.id;
        h.strCustCmpnyName = kCustomer.company;
        h.strCustFullName = kCustomer.name;
        h.intCustDiscountPercent = discount;
        h.strUseTax1 = true;
        h.dbTaxRate1 = 0.0725;
        h.strUseTax2 = true;
        h.dbTaxRate2 = 0.01;
    }

    void addLine(const QString &text, double labor, double material, bool laborTaxed = true, bool materialTaxed = true,
                 double quantity = 1)
    {
        if (context.edition().usesWorkSheets()) {
            WorkSheet sheet;
            sheet.strWorkSheetName = text;
            sheet.dbExtraChargesLabor = labor;
            sheet.dbExtraChargesMaterial = material;
            sheet.intAreaMultiplier = int(quantity);
            doc().lines.appendWorkSheet(sheet);
        } else {
            doc().lines.appendPriceLine({text, quantity, labor, material, laborTaxed, materialTaxed});
        }
    }

    int saveDocument() { return DocumentStore(context).pSaveInvoice(); }

    /// An estimate of two lines, 10 % off: 900.00 + 450.00 after the discount.
    int saveEstimate()
    {
        startDocument(kEstimate, 10);
        addLine(QStringLiteral("Framing"), 600, 400);
        addLine(QStringLiteral("Roof \"A\""), 300, 200, true, false);
        return saveDocument();
    }

    int saveChangeOrder(int jobDocument, double labor, double material)
    {
        DocumentActions(context).startChangeOrderFor(jobDocument);
        addLine(QStringLiteral("Extra"), labor, material);
        return saveDocument();
    }

    std::unique_ptr<CurrentDocument> load(int number)
    {
        auto loaded = std::make_unique<CurrentDocument>(context.edition());
        loaded->header.intInvNumber = number;
        DocumentStore(context, *loaded).pLoadInvoice();
        return loaded;
    }

    int documentCount() { return int(db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader"))); }

    Posted posted()
    {
        const auto connection = db();
        Statement q = connection->prepare(QStringLiteral(
            "SELECT IFNULL(SUM(dbLbrTotal + dbMatTotal), 0), IFNULL(SUM(dbLbrTax1Total + dbMatTax1Total), 0), "
            "IFNULL(SUM(dbLbrTax2Total + dbMatTax2Total), 0), IFNULL(SUM(dbLbrTax3Total + dbMatTax3Total), 0) "
            "FROM tblReport"));
        q.step();
        return {cents(q.doubleAt(0)), {cents(q.doubleAt(1)), cents(q.doubleAt(2)), cents(q.doubleAt(3))}};
    }

    /// Saves a bill of \a book at \a percent of every item; fails the test when refused.
    int bill(const ProgressJobs::Book &book, double percent)
    {
        std::vector<double> completed;
        for (const ProgressStore::StoredItem &stored : book.items)
            completed.push_back(ProgressBilling::completedForPercent(stored.item, percent));
        const ProgressJobs::Saved saved = ProgressJobs::saveBill(context, book, completed);
        if (saved.refusal)
            qWarning("refused: %s", qPrintable(*saved.refusal));
        return saved.number;
    }
};

/// A document's own rules: Sub Total is its lines, no discount, Total = Sub Total + Tax.
void checkDocumentRules(const CurrentDocument &doc)
{
    double lines = 0;
    for (int row = 0; row < doc.lines.rowCount(); ++row)
        lines += cents(doc.lines.amounts(row).total);
    const auto &lt = doc.totals.LbrTotals;
    const auto &mt = doc.totals.MatTotals;
    const double subTotal = cents(lt[0]) + cents(mt[0]);
    double tax = 0;
    for (std::size_t t = 1; t < 4; ++t)
        tax += cents(lt[t]) + cents(mt[t]);
    QCOMPARE(subTotal, lines);
    QCOMPARE(doc.header.intCustDiscountPercent, 0);
    QCOMPARE(cents(PaymentRules::grandTotal(doc.totals)), subTotal + tax);
}

/// A job of random lines, as a contractor might write it.
int saveRandomEstimate(Books &b, QRandomGenerator &random, double &depositOut)
{
    b.startDocument(random.bounded(2) ? kEstimate : kWorkOrder, random.bounded(0, 16));
    const int lines = random.bounded(1, 9);
    for (int i = 0; i < lines; ++i) {
        const double labor = random.bounded(0, 500'000) / 100.0;
        const double material = random.bounded(0, 300'000) / 100.0;
        b.addLine(QStringLiteral("Line %1 \"ü\"").arg(i), labor, material, random.bounded(2) == 0,
                  random.bounded(3) != 0, random.bounded(1, 4));
    }
    const int number = b.saveDocument();
    depositOut = 0;
    if (random.bounded(2) == 0) {
        const double total = PaymentRules::grandTotal(b.load(number)->totals);
        depositOut = std::floor(total * random.bounded(0, 30) / 100.0 * 100.0) / 100.0;
        if (depositOut > 0) {
            DocumentActions(b.context).recordPayment(
                number, Payment{QDate(2026, 3, 3), depositOut, QStringLiteral("check"), {}, {}});
        }
    }
    return number;
}

/// Completed to date for the next bill: mostly further along, now and then lowered.
std::vector<double> nextCompleted(QRandomGenerator &random, const ProgressJobs::Book &book)
{
    std::vector<double> completed;
    for (std::size_t i = 0; i < book.items.size(); ++i) {
        const double value = book.items[i].item.valueCents();
        const double before = book.before.completedOf(i);
        const int roll = random.bounded(10);
        if (roll == 0)
            completed.push_back(std::round(before * random.generateDouble()));
        else if (roll < 3)
            completed.push_back(before);
        else
            completed.push_back(before + std::round((value - before) * random.generateDouble()));
    }
    return completed;
}

double contractCents(const ProgressJobs::Book &book)
{
    double sum = 0;
    for (const ProgressStore::StoredItem &stored : book.items)
        sum += stored.item.valueCents();
    return sum;
}

std::array<double, 3> contractTaxCents(const ProgressJobs::Book &book)
{
    double taxable = 0;
    for (const ProgressStore::StoredItem &stored : book.items) {
        const ProgressBilling::ScheduleItem &item = stored.item;
        taxable += (item.laborTaxed ? item.laborCents : 0) + (item.materialTaxed ? item.materialCents : 0);
    }
    std::array<double, 3> tax{};
    for (std::size_t t = 0; t < 3; ++t)
        tax[t] = CentSplit::productCents(taxable, book.terms.rates[t]);
    return tax;
}

} // namespace

class TestProgressDocuments : public QObject
{
    Q_OBJECT

private slots:
    void randomJobsThroughSavedBillsAddUp();
    void aBookOvertakenByAnotherBillIsRefused();
    void conversionsAndDeletionsOfABilledJobAreGuarded();
    void aFailureMidSaveLeavesNothing();
    void paymentsNoticesAndStatementsTreatItLikeAnInvoice();
    void loweredWorkIsSavedAsACredit();
    void heddrinBillsEachWorkSheetAsOneItem();
};

void TestProgressDocuments::randomJobsThroughSavedBillsAddUp()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const QByteArray context = "seed " + QByteArray::number(seed);
    Books b;
    for (int job = 0; job < 12; ++job) {
        const Posted postedBefore = b.posted();
        double deposit = 0;
        const int source = saveRandomEstimate(b, random, deposit);
        const double retainage = random.bounded(0, 16);
        ProgressJobs::Book book = ProgressJobs::open(b.context, source);
        QVERIFY2(!book.refusal, context);
        QVERIFY2(!ProgressJobs::setRetainage(b.context, book.jobId, retainage), context);

        QList<int> documents;
        const int bills = random.bounded(1, 13);
        for (int n = 0; n <= bills; ++n) {
            if (random.bounded(4) == 0)
                b.saveChangeOrder(source, random.bounded(-20'000, 200'000) / 100.0, random.bounded(0, 50'000) / 100.0);
            book = ProgressJobs::open(b.context, source);
            std::vector<double> completed = nextCompleted(random, book);
            if (n == bills) { // the last bill finishes every item
                for (std::size_t i = 0; i < completed.size(); ++i)
                    completed[i] = book.items[i].item.valueCents();
            }
            const ProgressJobs::Saved saved = ProgressJobs::saveBill(b.context, book, completed);
            if (saved.refusal) {
                // Only a bill that changes nothing may be refused.
                QVERIFY2(completed == ProgressJobs::open(b.context, source).before.completedCents, context);
                continue;
            }
            documents.append(saved.number);
            const auto stored = b.load(saved.number);
            checkDocumentRules(*stored);

            const ProgressJobs::Book after = ProgressJobs::open(b.context, source);
            QVERIFY2(after.before.completedCents == completed, context);
            QVERIFY2(after.before.depositsAppliedCents <= cents(deposit), context);
            const JobSummary::Job summary = JobSummary::ofDocument(b.context, source);
            QVERIFY2(summary.billedByProgress, context);
            QVERIFY2(cents(summary.retainageHeld) == after.before.retainageHeldCents(), context);
            QVERIFY2(cents(summary.toBeBilled) == contractCents(after) - cents(summary.completedToDate), context);
            // Each row of its continuation page: before + this period = to date <= value.
            const std::optional<ProgressJobs::Sheet> sheet = ProgressJobs::sheetOf(b.context, saved.number);
            QVERIFY2(sheet && sheet->items.size() == after.items.size(), context);
            for (std::size_t i = 0; i < sheet->bill.rows.size(); ++i) {
                const ProgressBilling::ItemRow &row = sheet->bill.rows[i];
                QVERIFY2(row.toDateCents() == completed[i], context);
                QVERIFY2(std::fabs(row.toDateCents()) <= std::fabs(row.valueCents), context);
            }
        }
        book = ProgressJobs::open(b.context, source);
        if (!book.nothingHeld()) {
            const ProgressJobs::Saved release = ProgressJobs::saveRelease(b.context, book);
            QVERIFY2(!release.refusal, context);
            documents.append(release.number);
        }
        for (int number : documents) {
            if (is(b.load(number)->header.strInvName, kInvoice))
                DocumentActions(b.context).markPaidInFull(number);
        }

        // Everything billed is the contract plus its taxes; what was asked, less the
        // deposits; the monthly report holds the work and taxes once, to the cent.
        book = ProgressJobs::open(b.context, source);
        const std::array<double, 3> taxes = contractTaxCents(book);
        double work = 0, asked = 0;
        std::array<double, 3> taxBilled{};
        for (int number : documents) {
            const auto loaded = b.load(number);
            const CurrentDocument &stored = *loaded;
            const double sign = is(stored.header.strInvName, kCredit) ? -1.0 : 1.0;
            const auto &lt = stored.totals.LbrTotals;
            const auto &mt = stored.totals.MatTotals;
            work += sign * (cents(lt[0]) + cents(mt[0]));
            for (std::size_t t = 0; t < 3; ++t)
                taxBilled[t] += sign * (cents(lt[t + 1]) + cents(mt[t + 1]));
            asked += sign * (cents(PaymentRules::grandTotal(stored.totals)) - cents(stored.progress->offTotal()));
        }
        QVERIFY2(work == contractCents(book), context);
        QVERIFY2(taxBilled == taxes, context);
        QVERIFY2(book.nothingHeld(), context);
        const double depositsApplied = std::min(cents(deposit), contractCents(book) + taxes[0] + taxes[1]);
        QVERIFY2(book.before.depositsAppliedCents == depositsApplied, context);
        QVERIFY2(asked == contractCents(book) + taxes[0] + taxes[1] - depositsApplied, context);
        const Posted postedAfter = b.posted();
        QVERIFY2(postedAfter.work - postedBefore.work == contractCents(book), context);
        for (std::size_t t = 0; t < 3; ++t)
            QVERIFY2(postedAfter.tax[t] - postedBefore.tax[t] == taxes[t], context);
        const JobSummary::Job summary = JobSummary::ofDocument(b.context, source);
        QVERIFY2(summary.toBeBilled == 0 && summary.balanceToFinish == 0 && summary.retainageHeld == 0, context);
        QVERIFY2(cents(summary.contractSum) == contractCents(book), context);
    }
}

void TestProgressDocuments::aBookOvertakenByAnotherBillIsRefused()
{
    Books b;
    const int estimate = b.saveEstimate();
    // Two windows (or two computers) open the job's progress invoice at once.
    const ProgressJobs::Book first = ProgressJobs::open(b.context, estimate);
    const ProgressJobs::Book second = ProgressJobs::open(b.context, estimate);
    QCOMPARE(first.items.size(), std::size_t(2));
    QVERIFY(b.bill(first, 40) != 0);
    const int documents = b.documentCount();
    const ProgressJobs::Saved late = ProgressJobs::saveBill(b.context, second, {50'000, 20'000});
    QVERIFY(late.refusal);
    QCOMPARE(late.number, 0);
    QCOMPARE(b.documentCount(), documents);

    // A change order saved and scheduled elsewhere overtakes a book read before it.
    const ProgressJobs::Book current = ProgressJobs::open(b.context, estimate);
    const int changeOrder = b.saveChangeOrder(estimate, 100, 50);
    // Saving it put its line in the schedule, so the job's contract sum has it.
    QCOMPARE(JobSummary::ofDocument(b.context, estimate).contractSum, 1350.0 + 135.0);
    const ProgressJobs::Book withChange = ProgressJobs::open(b.context, estimate);
    QCOMPARE(withChange.items.size(), std::size_t(3));
    QCOMPARE(withChange.items.back().sourceNumber, changeOrder);
    QCOMPARE(withChange.items.back().item.valueCents(), 13'500.0); // the estimate's 10 % off
    QVERIFY(ProgressJobs::saveBill(b.context, current, {45'000, 22'500}).refusal);
    QCOMPARE(b.documentCount(), documents + 1);
    // Opened again, the bill goes through with the change order's line.
    QVERIFY(b.bill(withChange, 60) != 0);
    QCOMPARE(ProgressJobs::open(b.context, estimate).before.completedCents.back(), 8'100.0);

    // A retainage changed meanwhile is not worked out with the old one.
    const ProgressJobs::Book stale = ProgressJobs::open(b.context, estimate);
    QVERIFY(!ProgressJobs::setRetainage(b.context, stale.jobId, 10));
    QVERIFY(ProgressJobs::saveBill(b.context, stale, {90'000, 45'000, 15'000}).refusal);
    QVERIFY(ProgressJobs::setRetainage(b.context, stale.jobId, 100.5));
    QCOMPARE(ProgressJobs::retainagePercent(b.context, stale.jobId), 10.0);

    // A release from a book another bill has overtaken would leave that bill's
    // retainage held.
    QVERIFY(b.bill(ProgressJobs::open(b.context, estimate), 80) != 0);
    const ProgressJobs::Book toRelease = ProgressJobs::open(b.context, estimate);
    QVERIFY(!toRelease.nothingHeld());
    QVERIFY(b.bill(ProgressJobs::open(b.context, estimate), 90) != 0);
    const int billed = b.documentCount();
    QVERIFY(ProgressJobs::saveRelease(b.context, toRelease).refusal);
    QCOMPARE(b.documentCount(), billed);
}

void TestProgressDocuments::conversionsAndDeletionsOfABilledJobAreGuarded()
{
    Books b;
    const int estimate = b.saveEstimate();
    const int changeOrder = b.saveChangeOrder(estimate, 100, 0);
    DocumentActions actions(b.context);
    // Before any progress invoice the estimate may still become a work order.
    actions.convert(estimate, kWorkOrder);
    const int firstBill = b.bill(ProgressJobs::open(b.context, estimate), 25);
    const int secondBill = b.bill(ProgressJobs::open(b.context, estimate), 50);
    QVERIFY(firstBill != 0 && secondBill > firstBill);

    for (int number : {estimate, changeOrder}) {
        QVERIFY_THROWS_EXCEPTION(DbError, actions.convert(number, kInvoice));
        QVERIFY(!is(b.load(number)->header.strInvName, kInvoice));
        b.doc().header.intInvNumber = number;
        QVERIFY_THROWS_EXCEPTION(DbError, DocumentStore(b.context).pDeleteInvoice());
    }
    const auto converted = b.load(changeOrder);
    const TrecSavedData stored = converted->saved;
    converted->header.strInvName = kInvoice;
    const std::optional<QString> why = ProgressJobs::saveRefusal(*b.db(), *converted, stored);
    QVERIFY(why && why->contains(QStringLiteral("Change Order %1 cannot become an invoice").arg(changeOrder)));
    // A progress invoice keeps its kind and lines; the editor's save is refused.
    QVERIFY_THROWS_EXCEPTION(DbError, actions.toCredit(firstBill));
    CurrentDocument &edited = b.doc();
    edited.header.blnNewInvoice = false;
    edited.header.intInvNumber = secondBill;
    DocumentStore(b.context).pLoadInvoice();
    edited.lines.setPriceLine(0, {QStringLiteral("typed over"), 1, 5, 0, true, true});
    QVERIFY_THROWS_EXCEPTION(DbError, DocumentStore(b.context).pSaveInvoice());

    // Only the latest bill can go, and it takes its share out of the job's books.
    b.doc().header.intInvNumber = firstBill;
    QVERIFY_THROWS_EXCEPTION(DbError, DocumentStore(b.context).pDeleteInvoice());
    QVERIFY(b.load(firstBill)->progress);
    actions.remove(secondBill);
    ProgressJobs::Book book = ProgressJobs::open(b.context, estimate);
    QCOMPARE(book.latestBill, firstBill);
    QCOMPARE(book.before.completedCents[0], 22'500.0);
    actions.remove(firstBill);
    book = ProgressJobs::open(b.context, estimate);
    QCOMPARE(book.latestBill, 0);
    QCOMPARE(book.before.completedCents, std::vector<double>(3, 0.0));

    // With no progress invoice left the job converts as any other.
    actions.convert(changeOrder, kInvoice);
    QVERIFY(is(b.load(changeOrder)->header.strInvName, kInvoice));
}

void TestProgressDocuments::aFailureMidSaveLeavesNothing()
{
    Books b;
    const int estimate = b.saveEstimate();
    const ProgressJobs::Book book = ProgressJobs::open(b.context, estimate);
    const int documents = b.documentCount();
    const int next = DocumentStore(b.context).GetInvoiceNumber();
    b.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblProgressInvoices "
                                "BEGIN SELECT RAISE(ABORT, 'disk full (simulated)'); END"));
    QVERIFY_THROWS_EXCEPTION(DbError, (void)ProgressJobs::saveBill(b.context, book, {45'000, 0}));
    QCOMPARE(b.documentCount(), documents);
    QCOMPARE(DocumentStore(b.context).GetInvoiceNumber(), next);
    QCOMPARE(b.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblProgressBilled")), qint64(0));
    QCOMPARE(b.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblReport")), qint64(0));

    // The same book saves once the disk has room again: nothing of the failure stayed.
    b.db()->exec(QStringLiteral("DROP TRIGGER refuse"));
    const ProgressJobs::Saved saved = ProgressJobs::saveBill(b.context, book, {45'000, 0});
    QVERIFY(!saved.refusal);
    QCOMPARE(saved.number, next);
}

void TestProgressDocuments::paymentsNoticesAndStatementsTreatItLikeAnInvoice()
{
    Books b;
    const int estimate = b.saveEstimate(); // 900.00 + 450.00, the roof's material untaxed
    DocumentActions(b.context).recordPayment(estimate, Payment{QDate(2026, 3, 3), 100, QStringLiteral("check"), {}, {}});
    ProgressJobs::Book book = ProgressJobs::open(b.context, estimate);
    QCOMPARE(book.customer, kCustomer.company);
    QVERIFY(!ProgressJobs::setRetainage(b.context, book.jobId, 10));
    book = ProgressJobs::open(b.context, estimate);

    // Half of the framing: 450.00 of work, 36.00 of tax (8.25 %: 32.63 + 4.50 is the
    // tax to date), 45.00 held, the 100.00 deposit applied.
    const ProgressJobs::Saved saved = ProgressJobs::saveBill(b.context, book, {45'000, 0});
    QVERIFY(!saved.refusal);
    const auto loaded = b.load(saved.number);
    const CurrentDocument &bill = *loaded;
    QCOMPARE(bill.header.strInvName, kInvoice);
    QCOMPARE(bill.header.intJobID, book.jobId);
    QCOMPARE(bill.lines.rowCount(), 1);
    QVERIFY(bill.lines.priceLine(0).description.contains(QStringLiteral("50 % of Framing")));
    const double total = 450.00 + 32.63 + 4.50;
    QCOMPARE(PaymentRules::grandTotal(bill.totals), total);
    QCOMPARE(bill.header.dbInvBalance, Money::roundToCents(total - 45 - 100));

    // A notice asks for what the bill still owes, and paying that settles it and posts
    // the whole sale, the part held back included.
    DocumentActions(b.context).recordPayment(saved.number, Payment{QDate(2026, 4, 1), 50, QStringLiteral("check"), {}, {}});
    const int notice = DocumentActions(b.context).createPastDue(saved.number);
    QCOMPARE(b.load(notice)->header.dbInvBalance, Money::roundToCents(total - 45 - 100 - 50));
    const double rest = b.load(saved.number)->header.dbInvBalance;
    QCOMPARE(DocumentActions(b.context).recordPayment(saved.number, Payment{QDate(2026, 4, 2), rest, QStringLiteral("check"), {}, {}}),
             DocumentActions::PaymentOutcome::PaidInFull);
    QCOMPARE(b.posted().work, 45'000.0);

    // The statement charges what is due now and shows the retainage apart.
    const CustomerStatement::Account account
        = CustomerStatement::build(b.context, kCustomer, QDate(2026, 1, 1), QDate(2026, 12, 31));
    QCOMPARE(account.retainageHeld, 45.0);
    QCOMPARE(account.amountDue, 0.0);
    const QList<ProgressJobs::RetainageHeld> held = ProgressJobs::retainageHeldByCustomer(*b.db());
    QCOMPARE(held.size(), 1);
    QCOMPARE(held.first().customerId, kCustomer.id);
    QCOMPARE(held.first().amount, 45.0);
    // Receivables shows it apart from what is owed now, for the customer a search names.
    const auto receivables = [&b](const QString &search) {
        return Receivables::figures([&b] { return b.db(); }, QDate(2026, 12, 31), search);
    };
    const Receivables::Figures listed = receivables({});
    QCOMPARE(listed.retainageHeld, 45.0);
    QCOMPARE(listed.owed(), 0.0);
    QCOMPARE(listed.customers.size(), 1);
    QCOMPARE(listed.customers.first().retainageHeld, 45.0);
    QCOMPARE(listed.customers.first().balance, 0.0);
    QCOMPARE(receivables(QStringLiteral("no such customer")).retainageHeld, 0.0);

    // The release asks for the retainage, posts nothing, and the statement then owes it.
    const int release = ProgressJobs::saveRelease(b.context, ProgressJobs::open(b.context, estimate)).number;
    QVERIFY(release != 0);
    QCOMPARE(b.load(release)->header.dbInvBalance, 45.0);
    QCOMPARE(CustomerStatement::build(b.context, kCustomer, QDate(2026, 1, 1), QDate(2026, 12, 31)).amountDue, 45.0);
    QCOMPARE(receivables({}).retainageHeld, 0.0);
    QCOMPARE(receivables({}).owed(), 45.0);
    DocumentActions(b.context).markPaidInFull(release);
    QCOMPARE(b.posted().work, 45'000.0);
    const CustomerStatement::Account settled
        = CustomerStatement::build(b.context, kCustomer, QDate(2026, 1, 1), QDate(2026, 12, 31));
    QCOMPARE(settled.retainageHeld, 0.0);
    QCOMPARE(settled.amountDue, 0.0);
    QVERIFY(ProgressJobs::retainageHeldByCustomer(*b.db()).isEmpty());
    QVERIFY(ProgressJobs::saveRelease(b.context, ProgressJobs::open(b.context, estimate)).refusal);

    const JobSummary::Job job = JobSummary::ofDocument(b.context, estimate);
    QCOMPARE(job.contractSum, 1350.0);
    QCOMPARE(job.completedToDate, 450.0);
    QCOMPARE(job.toBeBilled, 900.0);
    QCOMPARE(job.balanceToFinish, 900.0);
    QCOMPARE(job.retainageHeld, 0.0);
    QCOMPARE(job.toBePaid, 900.0);
}

void TestProgressDocuments::loweredWorkIsSavedAsACredit()
{
    Books b;
    const int estimate = b.saveEstimate();
    QVERIFY(!ProgressJobs::setRetainage(b.context, estimate, 10));
    QVERIFY(!ProgressJobs::saveBill(b.context, ProgressJobs::open(b.context, estimate), {45'000, 0}).refusal);
    // Framing lowered from 50 % to 20 %: 270.00 of work and its tax come back.
    const ProgressJobs::Saved saved = ProgressJobs::saveBill(b.context, ProgressJobs::open(b.context, estimate), {18'000, 0});
    QVERIFY(!saved.refusal);
    const auto loaded = b.load(saved.number);
    const CurrentDocument &credit = *loaded;
    QCOMPARE(credit.header.strInvName, kCredit);
    checkDocumentRules(credit);
    QVERIFY(credit.lines.priceLine(0).description.startsWith(QStringLiteral("30 % of Framing (20 % complete")));
    QCOMPARE(credit.lines.priceLine(0).laborPrice + credit.lines.priceLine(0).materialPrice, 270.0);
    // Tax to date less tax billed: 13.05 - 32.63 and 1.80 - 4.50.
    QCOMPARE(PaymentRules::grandTotal(credit.totals), 270.0 + 19.58 + 2.70);
    QCOMPARE(credit.header.dbInvBalance, Money::roundToCents(270.0 + 19.58 + 2.70 - 27.0));
    QCOMPARE(b.posted().work, -27'000.0);
    const CustomerStatement::Account account
        = CustomerStatement::build(b.context, kCustomer, QDate(2026, 1, 1), QDate(2026, 12, 31));
    QCOMPARE(account.retainageHeld, 18.0);
    QCOMPARE(account.amountDue, Money::roundToCents(450.0 + 32.63 + 4.50 - 45.0 - (270.0 + 19.58 + 2.70 - 27.0)));
}

void TestProgressDocuments::heddrinBillsEachWorkSheetAsOneItem()
{
    Books b(Edition::Heddrin);
    b.startDocument(kEstimate);
    b.addLine(QStringLiteral("Hall \"North\""), 120.10, 30.05, true, true, 2);
    b.addLine(QStringLiteral("Kitchen"), 80, 20);
    const int estimate = b.saveDocument();
    const ProgressJobs::Book book = ProgressJobs::open(b.context, estimate);
    QCOMPARE(book.items.size(), std::size_t(2));
    QCOMPARE(book.items[0].item.description, QStringLiteral("Hall \"North\""));
    QCOMPARE(book.items[0].item.laborCents, 24'020.0);
    QCOMPARE(book.items[0].item.materialCents, 6'010.0);

    const int number = b.bill(book, 33.3);
    QVERIFY(number != 0);
    const auto loaded = b.load(number);
    const CurrentDocument &bill = *loaded;
    checkDocumentRules(bill);
    QCOMPARE(bill.lines.workSheets().size(), 2);
    QVERIFY(bill.lines.workSheet(1).strWorkSheetName.contains(QStringLiteral("Kitchen")));
    QCOMPARE(cents(bill.totals.LbrTotals[0]) + cents(bill.totals.MatTotals[0]),
             ProgressJobs::open(b.context, estimate).before.completedCents[0]
                 + ProgressJobs::open(b.context, estimate).before.completedCents[1]);
}

QTEST_MAIN(TestProgressDocuments)
#include "test_progress_documents.moc"
