#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "editing/EditingSession.h"
#include "editing/MaintenanceQuery.h"
#include "editing/PaidAndDeposit.h"
#include "editing/TfrmPaidAndDeposit.h"
#include "invoice/CustomerCredit.h"
#include "invoice/CustomerStatement.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"
#include "invoice/Receivables.h"
#include "receivables/PastDueNotices.h"
#include "accounts/AccountTables.h"
#include "editing/TfrmRecordPayment.h"
#include "printing/PdfOutput.h"
#include "printing/PrintJobs.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <thread>

namespace {

using namespace DocumentKinds;
using Outcome = DocumentActions::PaymentOutcome;

const QDate kToday = QDate::currentDate();

Payment paid(double amount, QDate date = QDate(2026, 4, 1))
{
    Payment payment;
    payment.date = date;
    payment.amount = amount;
    payment.method = QStringLiteral("check");
    payment.reference = QStringLiteral("Check #7 \"Ünal\"");
    return payment;
}

/// A company file with documents of one customer, priced without tax so totals are
/// the labor typed.
struct Owed : TestSession
{
    Owed()
        : TestSession(Edition::Corvalo)
    {
        start();
    }

    CurrentDocument &doc() { return context.document; }

    int save(const QString &kind, double labor, const QString &customer = QStringLiteral("O'Brien \"Decks\""))
    {
        doc().header.blnNewInvoice = true;
        DocumentStore(context).pLoadInvoice();
        TrecInvHeader &h = doc().header;
        h.strInvName = kind;
        h.strInvDate = QDate(2026, 3, 15);
        h.strCustCmpnyName = customer;
        h.strCustPymntTerms = QStringLiteral("Net 30");
        doc().lines.appendPriceLine({QStringLiteral("Deck"), 1, labor, 0, false, false});
        return DocumentStore(context).pSaveInvoice();
    }

    CurrentDocument &open(int number)
    {
        doc().header.blnNewInvoice = false;
        doc().header.intInvNumber = number;
        DocumentStore(context).pLoadInvoice();
        return doc();
    }

    QString money(double amount) const { return Money::currencyText(amount, context.locale); }

    [[nodiscard]] double amountDue(int number)
    {
        const CustomerStatement::Customer customer = CustomerStatement::customerOf(context, number);
        return CustomerStatement::build(context, customer, QDate(2000, 1, 1), kToday.addYears(1)).amountDue;
    }

    [[nodiscard]] Receivables::CustomerTotal customerTotal()
    {
        const QList<Receivables::CustomerTotal> totals =
            Receivables::customerTotals(Receivables::unpaidInvoices(context, kToday).rows);
        return totals.isEmpty() ? Receivables::CustomerTotal{} : totals.first();
    }

    [[nodiscard]] double reportTotal()
    {
        Statement q = db()->prepare(QStringLiteral("SELECT IFNULL(SUM(dbLbrTotal + dbMatTotal), 0) FROM tblReport"));
        q.step();
        return Money::roundToCents(q.doubleAt(0));
    }

    /// Every stored paid amount is the sum of its payments, and every credit moved
    /// from one document arrived on another.
    void checkBooksAgree()
    {
        QCOMPARE(db()->queryInt(QStringLiteral(
                     "SELECT COUNT(*) FROM tblInvHeader h WHERE ABS(h.dbPaidAmount - (SELECT IFNULL(SUM(p.dbPaymentAmount), "
                     "0) FROM tblPayments p WHERE p.intInvNumber = h.intInvNumber)) > 0.004")),
                 0);
        Statement moved = db()->prepare(QStringLiteral(
            "SELECT IFNULL(ROUND(SUM(dbPaymentAmount), 2), 0) FROM tblPayments WHERE strPaymentMethod = 'credit'"));
        moved.step();
        QCOMPARE(moved.doubleAt(0), 0.0);
    }

    [[nodiscard]] QString listedTotal(int number)
    {
        for (const MaintenanceRow &row : MaintenanceQuery(context).run(MaintenanceType::ViewAll,
                                                                       QStringLiteral("All Invoice Types"), {})) {
            if (row.intInvNumber == number)
                return row.strInvTotal;
        }
        return {};
    }
};

/// The text of the PDF at \a path, blanks run together.
QString pdfText(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    tool.waitForFinished();
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

} // namespace

class TestOwed : public QObject
{
    Q_OBJECT

private slots:
    void aNoticeAsksForWhatItsInvoiceStillOwes()
    {
        Owed o;
        const int invoice = o.save(kInvoice, 1000);
        DocumentActions actions(o.context);
        QCOMPARE(actions.recordPayment(invoice, paid(600)), Outcome::Recorded);
        const int notice = actions.createPastDue(invoice);

        const CurrentDocument &printed = o.open(notice);
        QCOMPARE(printed.print.strDepositPaid, o.money(600));
        QCOMPARE(printed.print.strTotal, o.money(400));
        QVERIFY(printed.payments.isEmpty()); // the money stays on the invoice
        QCOMPARE(o.listedTotal(notice), o.money(400));

        // A later payment on the invoice shows on the notice and in the list at once.
        actions.recordPayment(invoice, paid(150));
        QCOMPARE(o.open(notice).print.strTotal, o.money(250));
        QCOMPARE(o.open(notice).print.strDepositPaid, o.money(750));
        QCOMPARE(o.listedTotal(notice), o.money(250));
        QCOMPARE(o.listedTotal(invoice), o.money(250));
        // Receivables and the statement count the debt once.
        QCOMPARE(o.customerTotal().balance, 250.0);
        QCOMPARE(o.amountDue(invoice), 250.0);

        // Gone invoice: the notice keeps what was paid on it and asks for the rest.
        actions.remove(invoice);
        const CurrentDocument &alone = o.open(notice);
        QVERIFY(!alone.invoiceOwed);
        QCOMPARE(alone.payments.size(), 2);
        QCOMPARE(alone.print.strDepositPaid, o.money(750));
        QCOMPARE(alone.print.strTotal, o.money(250));
        QCOMPARE(o.listedTotal(notice), o.money(250));
        QCOMPARE(o.customerTotal().balance, 250.0);
        QCOMPARE(o.amountDue(notice), 250.0);
        o.checkBooksAgree();
    }

    void aNoticeOfAPaidInvoiceAsksForNothing()
    {
        Owed o;
        const int invoice = o.save(kInvoice, 300);
        DocumentActions actions(o.context);
        const int notice = actions.createPastDue(invoice);
        QCOMPARE(o.listedTotal(notice), o.money(300));
        actions.markPaidInFull(invoice);
        QCOMPARE(o.open(notice).header.dbInvBalance, 0.0);
        QCOMPARE(o.listedTotal(notice), o.money(0));
        // Saving the notice again stores the invoice's figure, not the copied one.
        o.open(notice);
        DocumentStore(o.context).pSaveInvoice();
        Statement stored = o.db()->prepare(QStringLiteral("SELECT strInvTotal FROM tblInvHeader WHERE intInvNumber = ?"));
        stored.bindAll(notice);
        QVERIFY(stored.step());
        QCOMPARE(stored.textAt(0).toDouble(), 0.0);
    }

    void anOverpaymentIsAskedAboutAndBecomesTheCustomersCredit()
    {
        Owed o;
        const int invoice = o.save(kInvoice, 190);
        DocumentActions actions(o.context);

        // No is the default and records nothing.
        o.prompts.answers = {Prompts::No};
        QCOMPARE(actions.recordPayment(invoice, paid(1000)), Outcome::NotRecorded);
        QCOMPARE(o.prompts.lastMessage(),
                 QStringLiteral("This is $810.00 more than the $190.00 still owed. Record it as a credit for the "
                                "customer?"));
        QCOMPARE(o.prompts.asked.last().preferred, Prompts::No);
        QVERIFY(o.open(invoice).payments.isEmpty());

        // The same as an amount paid typed on the document: asked, and No keeps the dialog open.
        TrecInvHeader typed = o.open(invoice).header;
        typed.dbPaidAmount = 1000;
        o.prompts.answers = {Prompts::No};
        QVERIFY(!PaidAndDeposit::confirmPaidAmount(o.doc(), typed, o.prompts, o.context.locale));
        QVERIFY(o.prompts.lastMessage().startsWith(QStringLiteral("This is $810.00 more than the $190.00")));

        o.prompts.answers = {Prompts::Yes};
        QCOMPARE(actions.recordPayment(invoice, paid(1000)), Outcome::PaidInFull);
        const CurrentDocument &over = o.open(invoice);
        QCOMPARE(over.header.dbInvBalance, -810.0);
        QCOMPARE(over.print.strDepositPaid, o.money(1000)); // what was paid
        QCOMPARE(over.print.strTotal, o.money(-810));        // the credit
        QCOMPARE(o.listedTotal(invoice), o.money(-810));
        QCOMPARE(o.amountDue(invoice), -810.0);
        const Receivables::CustomerTotal total = o.customerTotal();
        QCOMPARE(total.credit, -810.0);
        QCOMPARE(total.balance, -810.0);
        // A credit is no debt: no past-due notice is made for it.
        const QList<Receivables::Row> rows = Receivables::unpaidInvoices(o.context, kToday).rows;
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.first().isCredit());
        const PastDueNotices::Outcome none = PastDueNotices(o.context).make(rows);
        QVERIFY(none.notices.isEmpty());
        QCOMPARE(none.failures.size(), 1);
        QCOMPARE(o.reportTotal(), 190.0);

        // A second invoice is paid from the credit, not from new money.
        const int second = o.save(kInvoice, 300);
        QCOMPARE(o.customerTotal().balance, -510.0);
        QCOMPARE(CustomerCredit::available(o.context, o.open(second).header), 810.0);
        QVERIFY_THROWS_EXCEPTION(DbError, actions.applyCredit(second, 300.01, kToday)); // more than owed
        actions.applyCredit(second, 300, kToday);
        QVERIFY(o.open(second).header.strPaidInFull);
        QCOMPARE(o.open(second).header.dbInvBalance, 0.0);
        QCOMPARE(o.open(invoice).header.dbInvBalance, -510.0);
        QCOMPARE(o.amountDue(invoice), -510.0);
        QCOMPARE(o.customerTotal().credit, -510.0);
        QCOMPARE(o.reportTotal(), 490.0);

        // More than is left is refused, and so is giving back more than is held.
        const int third = o.save(kInvoice, 600);
        QVERIFY_THROWS_EXCEPTION(DbError, actions.applyCredit(third, 510.01, kToday));
        QVERIFY_THROWS_EXCEPTION(DbError, actions.recordRefund(invoice, 510.01, kToday));
        QVERIFY_THROWS_EXCEPTION(DbError, actions.recordRefund(third, 1, kToday)); // owes, holds no credit
        actions.recordRefund(invoice, 510, kToday);
        QCOMPARE(o.open(invoice).header.dbInvBalance, 0.0);
        QVERIFY(o.open(invoice).header.strPaidInFull);
        QCOMPARE(o.customerTotal().credit, 0.0);
        QCOMPARE(o.amountDue(invoice), 600.0);
        QCOMPARE(CustomerCredit::available(o.context, o.open(third).header), 0.0);
        o.checkBooksAgree();
        QCOMPARE(o.prompts.unplanned, 0);
    }

    void aPaymentRacingAnotherIsAskedAboutAgainstWhatIsStoredNow()
    {
        Owed o;
        const int invoice = o.save(kInvoice, 108);
        // A second copy of the program on the same file.
        ScriptedPrompts otherPrompts;
        AppContext other(Edition::get(Edition::Corvalo), otherPrompts, o.saving);
        other.locale = o.context.locale;
        other.company = o.context.company;

        // This copy shows the invoice owing 108 ...
        QCOMPARE(o.open(invoice).header.dbInvBalance, 108.0);
        // ... while the other records the whole of it.
        QCOMPARE(DocumentActions(other).recordPayment(invoice, paid(108)), Outcome::PaidInFull);
        // The same payment here would now pay twice: asked, and No keeps it out.
        o.prompts.answers = {Prompts::No};
        QCOMPARE(DocumentActions(o.context).recordPayment(invoice, paid(108)), Outcome::NotRecorded);
        QVERIFY(o.prompts.lastMessage().startsWith(QStringLiteral("This is $108.00 more than the $0.00 still owed")));
        QCOMPARE(o.open(invoice).payments.size(), 1);
        QCOMPARE(otherPrompts.unplanned, 0);
        o.checkBooksAgree();
    }

    void creditUsedByTwoCopiesAtOnceIsSpentOnce()
    {
        Owed o;
        const int source = o.save(kInvoice, 190);
        o.prompts.answers = {Prompts::Yes};
        DocumentActions(o.context).recordPayment(source, paid(1000)); // 810 of credit
        const int first = o.save(kInvoice, 500);
        const int second = o.save(kInvoice, 500);

        std::atomic<int> refused = 0;
        const auto copy = [&](int number) {
            ScriptedPrompts prompts;
            AppContext context(Edition::get(Edition::Corvalo), prompts, o.saving);
            context.locale = o.context.locale;
            context.company = o.context.company;
            try {
                DocumentActions(context).applyCredit(number, 500, kToday);
            } catch (const DbError &) {
                ++refused;
            }
        };
        std::thread a(copy, first);
        std::thread b(copy, second);
        a.join();
        b.join();
        QCOMPARE(refused.load(), 1);
        QCOMPARE(o.open(source).header.dbInvBalance, -310.0);
        const bool firstPaid = o.open(first).header.strPaidInFull;
        QVERIFY(firstPaid != o.open(second).header.strPaidInFull);
        QCOMPARE(o.customerTotal().credit, -310.0);
        QCOMPARE(o.customerTotal().balance, 190.0); // 500 owed less 310 of credit
        o.checkBooksAgree();
    }

    void aFailureWhileCreditMovesLeavesNothingHalfDone()
    {
        Owed o;
        const int source = o.save(kInvoice, 100);
        o.prompts.answers = {Prompts::Yes};
        DocumentActions(o.context).recordPayment(source, paid(400)); // 300 of credit
        const int target = o.save(kInvoice, 250);
        const double reported = o.reportTotal();
        // The credit leaves its document last: fail exactly there.
        o.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblPayments WHEN NEW.dbPaymentAmount < 0 "
                                    "BEGIN SELECT RAISE(ABORT, 'disk full (simulated)'); END"));
        QVERIFY_THROWS_EXCEPTION(DbError, DocumentActions(o.context).applyCredit(target, 250, kToday));
        QVERIFY(o.open(target).payments.isEmpty());
        QVERIFY(!o.open(target).header.strPaidInFull);
        QCOMPARE(o.open(target).header.dbInvBalance, 250.0);
        QCOMPARE(o.open(source).payments.size(), 1);
        QCOMPARE(o.open(source).header.dbInvBalance, -300.0);
        QCOMPARE(o.reportTotal(), reported);
        o.db()->exec(QStringLiteral("DROP TRIGGER refuse"));
        DocumentActions(o.context).applyCredit(target, 250, kToday);
        QCOMPARE(o.open(source).header.dbInvBalance, -50.0);
        o.checkBooksAgree();
    }

    void aRecurringOriginalTakesNoPayment()
    {
        Owed o;
        const int original = o.save(kInvoice, 80);
        DocumentActions actions(o.context);
        actions.setRecurring(original, true);
        QCOMPARE(actions.recordPayment(original, paid(10)), Outcome::NotRecorded);
        QCOMPARE(o.prompts.messages(QStringLiteral("Error")).size(), 1);
        QVERIFY(o.prompts.lastMessage().contains(QStringLiteral("printed copies")));
        QVERIFY(o.open(original).payments.isEmpty());
        QVERIFY_THROWS_EXCEPTION(DbError, actions.applyCredit(original, 10, kToday));

        // Nor from its editor, nor as an amount paid typed on it.
        o.open(original);
        EditingSession session(o.context);
        session.open();
        QVERIFY(!session.recordPayment(paid(10)));
        QVERIFY(!session.isModified());
        TrecInvHeader typed = o.doc().header;
        typed.dbPaidAmount = 10;
        QVERIFY(!PaidAndDeposit::confirmPaidAmount(o.doc(), typed, o.prompts, o.context.locale));
        QCOMPARE(o.prompts.messages(QStringLiteral("Error")).size(), 3);
        QCOMPARE(o.prompts.unplanned, 0);
    }

    void takingThePaidMarkOffOffersToRemoveWhatMarkingRecorded()
    {
        Owed o;
        DocumentActions actions(o.context);
        const auto markedInvoice = [&] {
            const int number = o.save(kInvoice, 500);
            actions.recordPayment(number, paid(40));
            actions.markPaidInFull(number);
            return number;
        };
        const auto untick = [&o](int number, Prompts::Answer answer) {
            o.open(number);
            o.prompts.answers = {answer};
            TfrmPaidAndDeposit dialog(o.context);
            dialog.show();
            auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("ckbxPaidInFull"));
            QVERIFY(box->isChecked());
            box->click();
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("tlbtnOK")), Qt::LeftButton);
            QCOMPARE(o.prompts.asked.last().preferred, Prompts::Yes);
            QVERIFY(o.prompts.lastMessage().contains(o.money(460)));
            DocumentStore(o.context).pSaveInvoice();
        };

        // The default: the marking's payment goes, so it owes what it owed before.
        const int removed = markedInvoice();
        QCOMPARE(o.open(removed).payments.last().method, Payments::kMarkedPaid);
        QCOMPARE(o.reportTotal(), 500.0);
        untick(removed, Prompts::Yes);
        const CurrentDocument &owed = o.open(removed);
        QVERIFY(!owed.header.strPaidInFull);
        QCOMPARE(owed.header.dbInvBalance, 460.0);
        QCOMPARE(owed.payments.size(), 1);
        QCOMPARE(o.reportTotal(), 0.0);

        // No keeps the payment: no longer marked, and owing nothing, as the user chose.
        const int kept = markedInvoice();
        untick(kept, Prompts::No);
        QVERIFY(!o.open(kept).header.strPaidInFull);
        QCOMPARE(o.open(kept).header.dbInvBalance, 0.0);
        QCOMPARE(o.open(kept).payments.size(), 2);

        // Files from before marking had a method of its own: the note tells it.
        const int older = markedInvoice();
        o.db()->exec(QStringLiteral("UPDATE tblPayments SET strPaymentMethod = 'other' WHERE strPaymentMethod = 'marked'"));
        untick(older, Prompts::Yes);
        QCOMPARE(o.open(older).header.dbInvBalance, 460.0);
        o.checkBooksAgree();
        QCOMPARE(o.prompts.unplanned, 0);
    }

    void theNoticeTheStatementAndRecordPaymentShowWhatIsOwed()
    {
        // Kept for a look when TARNWICK_KEEP_OUTPUT names a folder.
        QTemporaryDir temporary;
        const QString folder = qEnvironmentVariable("TARNWICK_KEEP_OUTPUT", temporary.path());
        Owed o;
        DocumentActions actions(o.context);
        const int invoice = o.save(kInvoice, 1000);
        actions.recordPayment(invoice, paid(600));
        const int notice = actions.createPastDue(invoice);
        o.open(notice);
        const QString noticePdf = folder + QStringLiteral("/notice.pdf");
        PdfOutput::writeFile(PrintJobs::RvSystemPrntDocsPrint(o.context, PrintRequest::of(PrintKind::CurrentDocument)),
                             noticePdf);
        const QString printed = pdfText(noticePdf);
        QVERIFY2(printed.contains(QStringLiteral("$600.00")), qPrintable(printed));
        QVERIFY2(printed.contains(QStringLiteral("$400.00")), qPrintable(printed));

        const int overpaid = o.save(kInvoice, 190);
        o.prompts.answers = {Prompts::Yes};
        actions.recordPayment(overpaid, paid(1000));
        actions.remove(notice);
        const CustomerStatement::Account account = CustomerStatement::build(
            o.context, CustomerStatement::customerOf(o.context, invoice), QDate(2026, 1, 1), kToday.addDays(1));
        const QString statementPdf = folder + QStringLiteral("/statement.pdf");
        const TablePrintout table =
            AccountTables::statement(account, CustomerStatement::customerOf(o.context, invoice),
                                     QStringLiteral("Tarnwick Test Co."), o.context.locale);
        PdfOutput::writeFile(PrintJobs::RvSystemPrntDocsPrint(
                                 o.context, PrintRequest::list(PrintKind::Table, table.toListPrintout())),
                             statementPdf);
        QVERIFY2(pdfText(statementPdf).contains(o.money(-410)), qPrintable(pdfText(statementPdf)));

        // Record Payment on the invoice still owing offers the other invoice's credit.
        o.open(invoice);
        TfrmRecordPayment window(o.context, [](const Payment &) { return true; }, [](int) { return false; });
        window.offerCredit([&o] { return CustomerCredit::available(o.context, o.doc().header); },
                           [](double, QDate) { return true; }, [](double, QDate) { return true; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChild<QPushButton *>(QStringLiteral("btnApplyCredit"))->isVisible());
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("btnRecordRefund"))->isVisible());
        QVERIFY(window.findChild<QLabel *>(QStringLiteral("lblCustomerCredit"))->text().contains(o.money(810)));
        window.grab().save(folder + QStringLiteral("/recordpayment.png"));
    }

    void overpaymentsOverGeneratedBooksAddUp()
    {
        // Random payments, credits and refunds on one customer's invoices: the
        // statement, Receivables and the documents always tell the same figure.
        Owed o;
        QRandomGenerator random(27);
        QList<int> invoices;
        DocumentActions actions(o.context);
        for (int step = 0; step < 60; ++step) {
            const int choice = int(random.bounded(4));
            if (invoices.isEmpty() || choice == 0) {
                invoices << o.save(kInvoice, double(random.bounded(1, 50000)) / 100);
                continue;
            }
            const int number = invoices.at(int(random.bounded(qsizetype(invoices.size()))));
            const double amount = double(random.bounded(1, 60000)) / 100;
            o.prompts.answers = {random.bounded(2) ? Prompts::Yes : Prompts::No};
            try {
                if (choice == 1)
                    (void)actions.recordPayment(number, paid(amount));
                else if (choice == 2)
                    actions.applyCredit(number, amount, kToday);
                else
                    actions.recordRefund(number, amount, kToday);
            } catch (const DbError &) {
                // Refused: more than owed, held or left.
            }
            double documents = 0;
            for (int each : invoices)
                documents = Money::roundToCents(documents + o.open(each).header.dbInvBalance);
            QCOMPARE(o.amountDue(invoices.first()), documents);
            QCOMPARE(o.customerTotal().balance, documents);
            QVERIFY(o.customerTotal().credit <= 0);
        }
        o.checkBooksAgree();
    }
};

QTEST_MAIN(TestOwed)
#include "test_owed.moc"
