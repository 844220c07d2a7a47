#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/PaymentsStep.h"
#include "data/SchemaUpgrade.h"
#include "editing/EditingSession.h"
#include "editing/PaymentEntry.h"
#include "editing/TfrmInvoiceStored.h"
#include "editing/TfrmPaidAndDeposit.h"
#include "editing/TfrmRecordPayment.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/DueDates.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"
#include "invoice/Receivables.h"
#include "invoice/RecurringRun.h"
#include "invoice/StoredDocuments.h"
#include "invoice/Totals.h"
#include "worksheets/TfrmInvoiceHeddrin.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace {

using namespace DocumentKinds;

const QDate kToday = QDate::currentDate();

Payment paid(double amount, QDate date = QDate(2026, 4, 1), const QString &method = QStringLiteral("check"))
{
    Payment payment;
    payment.date = date;
    payment.amount = amount;
    payment.method = method;
    payment.reference = QStringLiteral("Check #1042 \"Ünal\"");
    return payment;
}

struct Books : TestSession
{
    explicit Books(int edition = Edition::Corvalo)
        : TestSession(edition)
    {
        start();
        context.company.invData.dbTaxRate1 = 0.08;
    }

    CurrentDocument &doc() { return context.document; }

    /// Saves a new document of one taxed line: \a labor + 8 % tax.
    int save(const QString &kind, double labor, double deposit = 0, QDate date = QDate(2026, 3, 15))
    {
        doc().header.blnNewInvoice = true;
        DocumentStore(context).pLoadInvoice();
        TrecInvHeader &h = doc().header;
        h.strInvName = kind;
        h.strInvDate = date;
        h.strCustCmpnyName = QStringLiteral("O'Brien \"Decks\"");
        h.strCustPymntTerms = QStringLiteral("Net 30");
        h.strUseTax1 = true;
        h.dbDepositAmount = deposit;
        doc().lines.appendPriceLine({QStringLiteral("Deck"), 1, labor, 0, true, false});
        return DocumentStore(context).pSaveInvoice();
    }

    /// Saves a new untaxed document whose total is \a amount: one price line, or in
    /// the edition of work sheets one sheet of that extra labor.
    int saveUntaxed(const QString &kind, double amount, double deposit = 0)
    {
        doc().header.blnNewInvoice = true;
        DocumentStore(context).pLoadInvoice();
        TrecInvHeader &h = doc().header;
        h.strInvName = kind;
        h.strInvDate = QDate(2026, 3, 15);
        h.strCustFullName = QStringLiteral("Zoë Ünal");
        h.dbDepositAmount = deposit;
        addWork(amount);
        return DocumentStore(context).pSaveInvoice();
    }

    void addWork(double amount)
    {
        if (context.edition().usesWorkSheets()) {
            WorkSheet sheet;
            sheet.strWorkSheetName = QStringLiteral("Porch");
            sheet.strExtraChargesName = QStringLiteral("Railing");
            sheet.dbExtraChargesLabor = amount;
            doc().lines.appendWorkSheet(sheet);
        } else {
            doc().lines.appendPriceLine({QStringLiteral("Railing"), 1, amount, 0, false, false});
        }
    }

    /// The amount Record Payment offers on the saved document \a number.
    QString offered(int number)
    {
        open(number);
        TfrmRecordPayment window(
            context, [](const Payment &) { return true; }, [](int) { return false; });
        return window.findChild<QLineEdit *>(QStringLiteral("txtPaymentAmount"))->text();
    }

    CurrentDocument &open(int number)
    {
        doc().header.blnNewInvoice = false;
        doc().header.intInvNumber = number;
        DocumentStore(context).pLoadInvoice();
        return doc();
    }

    [[nodiscard]] double reportTotal()
    {
        const auto connection = db();
        Statement q = connection->prepare(
            QStringLiteral("SELECT IFNULL(SUM(dbLbrTotal + dbMatTotal + dbLbrTax1Total), 0) FROM tblReport"));
        q.step();
        return Money::roundToCents(q.doubleAt(0));
    }

    /// What the paid invoices and the credits should have put in the monthly report.
    [[nodiscard]] double postedByDocuments()
    {
        double sum = 0;
        const QList<int> all = StoredDocuments::numbers(context, QStringLiteral("SELECT intInvNumber FROM tblInvHeader"));
        for (const StoredDocuments::Summary &d : StoredDocuments::load(context, all)) {
            if (is(d.header.strInvName, kCredit))
                sum -= d.total;
            else if (is(d.header.strInvName, kInvoice) && d.header.strPaidInFull)
                sum += d.total;
        }
        return Money::roundToCents(sum);
    }

    /// The stored paid amount of every document is the sum of its payments.
    [[nodiscard]] qint64 paidAmountsOffTheirPayments()
    {
        return db()->queryInt(QStringLiteral(
            "SELECT COUNT(*) FROM tblInvHeader h WHERE ABS(h.dbPaidAmount - (SELECT IFNULL(SUM(p.dbPaymentAmount), 0) "
            "FROM tblPayments p WHERE p.intInvNumber = h.intInvNumber)) > 0.004"));
    }
};

} // namespace

class TestPayments : public QObject
{
    Q_OBJECT

private slots:
    void depositsTravelWithTheJobAndPayOffTheInvoice()
    {
        Books b;
        const int number = b.save(kEstimate, 1000, 300); // total 1,080.00
        DocumentActions actions(b.context);
        QCOMPARE(actions.recordPayment(number, paid(400)), DocumentActions::PaymentOutcome::Recorded);

        CurrentDocument &estimate = b.open(number);
        QCOMPARE(estimate.header.dbPaidAmount, 400.0);
        QCOMPARE(estimate.header.dbDepositAmount, 300.0); // the deposit asked for stays as it was
        QCOMPARE(estimate.header.dbInvBalance, 680.0);
        QCOMPARE(estimate.print.strDepositPaid, QStringLiteral("$300.00"));
        QCOMPARE(estimate.print.strDepositReceived, QStringLiteral("$400.00"));
        QCOMPARE(estimate.print.strTotal, QStringLiteral("$680.00"));
        QCOMPARE(estimate.payments.value(0).reference, QStringLiteral("Check #1042 \"Ünal\""));

        actions.convert(number, kWorkOrder);
        actions.convert(number, kInvoice);
        CurrentDocument &invoice = b.open(number);
        QCOMPARE(invoice.payments.size(), 1);
        QCOMPARE(invoice.header.dbPaidAmount, 400.0);
        QCOMPARE(invoice.header.dbInvBalance, 680.0);
        QVERIFY(invoice.print.strDepositReceived.isEmpty());
        QCOMPARE(b.reportTotal(), 0.0);

        QCOMPARE(actions.recordPayment(number, paid(679.99)), DocumentActions::PaymentOutcome::Recorded);
        QCOMPARE(b.reportTotal(), 0.0);
        QCOMPARE(actions.recordPayment(number, paid(0.01, kToday, QStringLiteral("cash"))),
                 DocumentActions::PaymentOutcome::PaidInFull);
        CurrentDocument &settled = b.open(number);
        QVERIFY(settled.header.strPaidInFull);
        QCOMPARE(settled.header.dbInvBalance, 0.0);
        QCOMPARE(settled.print.strTotal, QStringLiteral("Paid In Full"));
        QCOMPARE(settled.print.strDepositPaid, QStringLiteral("$1,080.00"));
        QCOMPARE(b.reportTotal(), 1080.0);
        QCOMPARE(b.reportTotal(), b.postedByDocuments());
        QCOMPARE(b.paidAmountsOffTheirPayments(), 0);

        // An estimate already marked paid becomes an invoice paid in full: what its
        // deposits left is recorded as paid then.
        const int marked = b.save(kEstimate, 100); // 108.00
        actions.recordPayment(marked, paid(8));
        b.open(marked).header.strPaidInFull = true;
        DocumentStore(b.context).pSaveInvoice();
        actions.convert(marked, kInvoice);
        const CurrentDocument &converted = b.open(marked);
        QCOMPARE(converted.payments.size(), 2);
        QCOMPARE(converted.payments.at(1).amount, 100.0);
        QCOMPARE(converted.header.dbPaidAmount, 108.0);
        QCOMPARE(b.reportTotal(), b.postedByDocuments());
    }

    void paidInFullAndRemovalKeepTheReportInStep()
    {
        Books b;
        const int number = b.save(kInvoice, 500); // 540.00
        DocumentActions actions(b.context);
        actions.recordPayment(number, paid(40));
        actions.markPaidInFull(number);
        CurrentDocument &marked = b.open(number);
        QCOMPARE(marked.payments.size(), 2);
        QCOMPARE(marked.payments.at(1).amount, 500.0); // what it still owed
        QCOMPARE(marked.payments.at(1).date, kToday);
        QCOMPARE(b.reportTotal(), 540.0);

        // Kept: No is the default of both questions.
        b.prompts.answers = {Prompts::No};
        QVERIFY(!actions.removePayment(number, 0));
        QCOMPARE(b.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(b.open(number).payments.size(), 2);

        // Removed, but still marked: it owes nothing and stays in the report.
        b.prompts.answers = {Prompts::Yes, Prompts::No};
        QVERIFY(actions.removePayment(number, 0));
        QCOMPARE(b.prompts.asked.last().preferred, Prompts::No);
        QVERIFY(b.open(number).header.strPaidInFull);
        QCOMPARE(b.open(number).header.dbInvBalance, 0.0);
        QCOMPARE(b.reportTotal(), 540.0);

        // Removed and un-marked: the posting goes, the balance is owed again.
        b.prompts.answers = {Prompts::Yes, Prompts::Yes};
        QVERIFY(actions.removePayment(number, 0));
        CurrentDocument &owed = b.open(number);
        QVERIFY(!owed.header.strPaidInFull);
        QCOMPARE(owed.header.dbInvBalance, 540.0);
        QCOMPARE(b.reportTotal(), 0.0);

        // A paid invoice turned into a credit: its sale stays posted and the credit reverses it.
        const int other = b.save(kInvoice, 100);
        actions.markPaidInFull(other);
        QCOMPARE(b.reportTotal(), b.postedByDocuments());
        actions.toCredit(other);
        QCOMPARE(b.reportTotal(), 0.0);
        QCOMPARE(b.paidAmountsOffTheirPayments(), 0);
        QCOMPARE(b.prompts.unplanned, 0);
    }

    void aFailedPaymentChangesNothing()
    {
        Books b;
        const int number = b.save(kInvoice, 100); // 108.00
        b.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblPayments WHEN NEW.dbPaymentAmount > 100 "
                                    "BEGIN SELECT RAISE(ABORT, 'disk full (simulated)'); END"));
        // Paying it off would post the sale and store the payment: both or neither.
        QVERIFY_THROWS_EXCEPTION(DbError, DocumentActions(b.context).recordPayment(number, paid(108)));
        QCOMPARE(b.reportTotal(), 0.0);
        const CurrentDocument &after = b.open(number);
        QVERIFY(!after.header.strPaidInFull);
        QVERIFY(after.payments.isEmpty());
        QCOMPARE(after.header.dbInvBalance, 108.0);

        // The editor keeps what was recorded when its save fails, to be saved again.
        EditingSession session(b.context);
        session.open();
        session.recordPayment(paid(108));
        QVERIFY(!session.save());
        QCOMPARE(b.prompts.messages(QStringLiteral("Error")).size(), 1);
        QCOMPARE(session.document().payments.size(), 1);
        QVERIFY(session.isModified());
        b.db()->exec(QStringLiteral("DROP TRIGGER refuse"));
        QVERIFY(session.save());
        QCOMPARE(b.reportTotal(), 108.0);
    }

    void theEditorSavesPaymentsWithTheDocument()
    {
        Books b;
        const int number = b.save(kInvoice, 200); // 216.00
        b.open(number);
        EditingSession session(b.context);
        session.open();
        session.recordPayment(paid(16));
        QVERIFY(session.isModified());
        QCOMPARE(b.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblPayments")), 0); // nothing until saved
        session.recordPayment(paid(200));
        QVERIFY(session.header().strPaidInFull);
        QVERIFY(session.save());
        QCOMPARE(b.reportTotal(), 216.0);

        // An amount paid typed in the older dialog is kept as a payment of the difference.
        const int typed = b.save(kInvoice, 100);
        b.open(typed);
        b.doc().header.dbPaidAmount = 25;
        DocumentStore(b.context).pSaveInvoice();
        b.doc().header.dbPaidAmount = 30;
        DocumentStore(b.context).pSaveInvoice();
        const QList<Payment> payments = b.open(typed).payments;
        QCOMPARE(payments.size(), 2);
        QCOMPARE(payments.at(1).amount, 5.0);
        QCOMPARE(payments.at(1).date, kToday);
        QCOMPARE(b.paidAmountsOffTheirPayments(), 0);
    }

    void copiesStartWithNoPaymentsAndChangeOrdersJoinTheJob()
    {
        Books b;
        const int estimate = b.save(kEstimate, 300);
        DocumentActions actions(b.context);
        actions.recordPayment(estimate, paid(50));
        actions.startChangeOrderFor(estimate);
        b.doc().lines.appendPriceLine({QStringLiteral("Railing"), 1, 40, 0, true, false});
        const int change = DocumentStore(b.context).pSaveInvoice();
        CurrentDocument &order = b.open(change);
        QCOMPARE(order.header.strInvName, kChangeOrder);
        QCOMPARE(order.header.intJobID, estimate);
        QCOMPARE(order.header.strFromInvNameNumber, QStringLiteral("Estimate %1").arg(estimate));
        QCOMPARE(order.header.strCustCmpnyName, QStringLiteral("O'Brien \"Decks\""));
        QCOMPARE(order.header.strInvDate, kToday);
        QCOMPARE(order.lines.rowCount(), 1); // only what was added to it
        QVERIFY(order.payments.isEmpty());

        actions.convert(estimate, kInvoice);
        const int notice = actions.createPastDue(estimate);
        CurrentDocument &pastDue = b.open(notice);
        QVERIFY(pastDue.payments.isEmpty());
        QCOMPARE(pastDue.header.dbPaidAmount, 0.0);
        QCOMPARE(pastDue.header.intJobID, estimate);
        QCOMPARE(b.open(estimate).payments.size(), 1); // the invoice keeps what was paid
        // Its debt is paid on the invoice, never on the notice as well.
        QCOMPARE(Receivables::debtCarrier(b.context, notice), estimate);
        QCOMPARE(Receivables::debtCarrier(b.context, estimate), estimate);
        b.open(notice);
        QVERIFY(!EditingSession(b.context).canRecordPayment());

        // A recurring copy: a fresh debt of its own, due counted from the day it is made.
        const int recurring = b.save(kInvoice, 80);
        actions.recordPayment(recurring, paid(10));
        actions.setRecurring(recurring, true);
        const RecurringRun::Outcome outcome = RecurringRun(b.context, [](const DocumentContext &) {}).pPrintRecurring(kToday);
        QCOMPARE(outcome.saved.size(), 1);
        CurrentDocument &copy = b.open(outcome.saved.first().second);
        QVERIFY(copy.payments.isEmpty());
        QCOMPARE(copy.header.intJobID, copy.header.intInvNumber);
        QCOMPARE(DueDates::dueDate(copy.header), kToday.addDays(30));
        QCOMPARE(b.paidAmountsOffTheirPayments(), 0);

        // From the editor: the saved document's editor goes on with the new change order.
        b.open(estimate);
        EditingSession session(b.context);
        session.open();
        QVERIFY(session.startChangeOrder());
        QCOMPARE(session.header().strInvName, kChangeOrder);
        QCOMPARE(session.header().intJobID, estimate);
        QVERIFY(!session.isModified());
    }

    void dueDatesFollowTheTermsUntilChosen_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("terms");
        QTest::addColumn<QDate>("due");
        QTest::newRow("net 30") << QDate(2027, 1, 15) << "Net 30" << QDate(2027, 2, 14);
        QTest::newRow("days") << QDate(2027, 1, 15) << "45 days" << QDate(2027, 3, 1);
        QTest::newRow("day of month") << QDate(2027, 1, 31) << "Due on the 10th" << QDate(2027, 2, 10);
        QTest::newRow("by the 15th") << QDate(2027, 3, 20) << "Due by the 15th" << QDate(2027, 4, 15);
        QTest::newRow("day past a short month") << QDate(2027, 1, 15) << "due on the 31st" << QDate(2027, 2, 28);
        QTest::newRow("year end") << QDate(2027, 12, 20) << "Net 15" << QDate(2028, 1, 4);
        QTest::newRow("on receipt") << QDate(2027, 1, 15) << "Due upon receipt" << QDate(2027, 1, 15);
        QTest::newRow("no terms") << QDate(2027, 1, 15) << "" << QDate(2027, 1, 15);
        QTest::newRow("no date") << QDate() << "Net 30" << QDate();
    }

    void dueDatesFollowTheTermsUntilChosen()
    {
        QFETCH(QDate, date);
        QFETCH(QString, terms);
        QFETCH(QDate, due);
        QCOMPARE(DueDates::fromTerms(date, terms), due);
    }

    void aChosenDueDateIsKeptAndTheTermsDateIsNot()
    {
        Books b;
        const int number = b.save(kInvoice, 10, 0, QDate(2027, 1, 15));
        b.open(number);
        EditingSession session(b.context);
        session.open();
        QCOMPARE(session.dueDate(), QDate(2027, 2, 14));
        session.setDueDate(QDate(2027, 3, 1));
        QVERIFY(session.save());
        QCOMPARE(b.open(number).header.strDueDate, QDate(2027, 3, 1));
        session.setPaymentTerms(QStringLiteral("Net 10"));
        QCOMPARE(session.dueDate(), QDate(2027, 3, 1));
        session.setDueDate(QDate(2027, 1, 25)); // what the terms give: follows them again
        QVERIFY(!session.header().strDueDate.isValid());
        session.setPaymentTerms(QStringLiteral("Net 20"));
        QCOMPARE(session.dueDate(), QDate(2027, 2, 4));
    }

    void anOlderFileIsUpgradedOnce()
    {
        Books b;
        const int paidPart = b.save(kInvoice, 100, 0, QDate(2025, 6, 2));
        b.doc().header.dbPaidAmount = 30;
        DocumentStore(b.context).pSaveInvoice();
        const int marked = b.save(kInvoice, 100);
        DocumentActions(b.context).markPaidInFull(marked);
        const int notice = DocumentActions(b.context).createPastDue(paidPart);
        qint64 customer = 0;
        {
            const auto db = b.db();
            customer = db->queryInt(QStringLiteral("SELECT intCustomerID FROM tblCustomers "
                                                   "WHERE strCustFirstName = 'Jane' AND strCustLastName = 'Doe'"));
            // As an older version left it: no payment rows, no links, and a
            // paid-in-full invoice whose paid amount never reached its total.
            db->exec(QStringLiteral("DROP TABLE tblPayments; DROP INDEX idxInvHeaderJob; DROP INDEX idxInvHeaderCustomer; "
                                    "DROP INDEX idxInvHeaderOwedDue; DROP INDEX idxInvHeaderUnpaidCustomer; "
                                    "DROP INDEX idxInvHeaderOwedDate; "
                                    "ALTER TABLE tblInvHeader DROP COLUMN strDueDate; "
                                    "ALTER TABLE tblInvHeader DROP COLUMN intCustomerID; "
                                    "ALTER TABLE tblInvHeader DROP COLUMN intJobID"));
            db->prepare(QStringLiteral("UPDATE tblInvHeader SET dbPaidAmount = 0 WHERE intInvNumber = ?"))
                .bindAll(marked)
                .run();
            db->prepare(QStringLiteral("UPDATE tblInvHeader SET strCustCmpnyName = 'Janes Place', "
                                       "strCustFullName = 'Jane Doe' WHERE intInvNumber = ?"))
                .bindAll(paidPart)
                .run();
            db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?"))
                .bindAll(PaymentsStep::kLevel - 1)
                .run();
        }
        const QString path = b.context.databasePath();
        const SchemaUpgrade::UpgradeReport report = b.upgrade();
        QCOMPARE(report.fromLevel, PaymentsStep::kLevel - 1);
        QVERIFY(QFileInfo::exists(report.safetyCopyPath));

        const CurrentDocument &part = b.open(paidPart);
        QCOMPARE(part.payments.size(), 1);
        QCOMPARE(part.payments.at(0).amount, 30.0);
        QCOMPARE(part.payments.at(0).date, QDate(2025, 6, 2));
        QCOMPARE(part.header.intCustomerID, customer);
        QCOMPARE(part.header.intJobID, paidPart);
        const TrecInvHeader full = b.open(marked).header;
        QVERIFY(b.doc().payments.isEmpty());
        QCOMPARE(full.dbInvBalance, 0.0); // marked paid: owes nothing, whatever was recorded
        QCOMPARE(b.open(notice).header.intJobID, paidPart);

        const SchemaUpgrade::UpgradeReport again = b.upgrade();
        QCOMPARE(again.fromLevel, again.toLevel);
        QCOMPARE(b.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblPayments")), 1);
        QCOMPARE(b.db()->queryInt(QStringLiteral("PRAGMA user_version")), Edition::Corvalo);
    }

    void theRecordPaymentWindowFollowsTheKeyboard()
    {
        Books b;
        const int number = b.save(kInvoice, 100); // 108.00
        DocumentActions(b.context).recordPayment(number, paid(8));
        b.open(number);
        QList<Payment> recorded;
        QList<int> removed;
        TfrmRecordPayment window(
            b.context,
            [&](const Payment &payment) {
                recorded << payment;
                return true;
            },
            [&](int index) {
                removed << index;
                return true;
            });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The amount offered is what is owed; typing replaces it, Enter records.
        auto *amount = window.findChild<QLineEdit *>(QStringLiteral("txtPaymentAmount"));
        QCOMPARE(amount->text(), QStringLiteral("100.00"));
        QCOMPARE(QApplication::focusWidget(), amount);
        QTest::keyClicks(amount, QStringLiteral("25.50"));
        QTest::keyClick(amount, Qt::Key_Return);
        QCOMPARE(recorded.size(), 1);
        QCOMPARE(recorded.first().amount, 25.5);
        QCOMPARE(recorded.first().date, kToday);
        QVERIFY(window.changedDocument());
        QVERIFY(window.isVisible()); // recording does not close it

        // A refused amount records nothing and says why.
        amount->setText(QStringLiteral("0"));
        QTest::keyClick(amount, Qt::Key_Return);
        QCOMPARE(recorded.size(), 1);
        QCOMPARE(b.prompts.messages(QStringLiteral("Error")).size(), 1);

        // Delete on the list removes the chosen payment (the opener asks).
        auto *list = window.findChild<QTableWidget *>(QStringLiteral("lstPayments"));
        list->setFocus();
        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(removed, QList<int>{0});

        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void recordPaymentOffersTheDepositLeftOrTheBalance_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("locale");
        for (const int edition : {Edition::Corvalo, Edition::Heddrin, Edition::Ostrev}) {
            for (const char *locale : {"en_US", "de_DE"}) {
                const QString row = Edition::get(edition).GetEditionName() + QLatin1Char(' ') + QLatin1String(locale);
                QTest::newRow(qPrintable(row)) << edition << QString::fromLatin1(locale);
            }
        }
    }

    void recordPaymentOffersTheDepositLeftOrTheBalance()
    {
        QFETCH(int, edition);
        QFETCH(QString, locale);
        Books b(edition);
        b.context.locale = QLocale(locale);
        const QString mark = b.context.locale.decimalPoint();
        const auto amount = [&mark](const char *whole, const char *cents) {
            return QLatin1String(whole) + mark + QLatin1String(cents);
        };
        DocumentActions actions(b.context);

        // An estimate of 269.04 asking 100.00: what is asked for, less what came in.
        const int estimate = b.saveUntaxed(kEstimate, 269.04, 100);
        QCOMPARE(PaymentRules::grandTotal(b.open(estimate).totals), 269.04);
        QCOMPARE(b.offered(estimate), amount("100", "00"));
        actions.recordPayment(estimate, paid(30));
        QCOMPARE(b.offered(estimate), amount("70", "00"));
        actions.recordPayment(estimate, paid(80)); // more than asked: nothing more is asked
        QCOMPARE(b.offered(estimate), QString());
        QCOMPARE(b.open(estimate).header.dbInvBalance, 159.04);

        // Converted, the job is billed: the balance is offered.
        actions.convert(estimate, kInvoice);
        QCOMPARE(b.offered(estimate), amount("159", "04"));

        // An invoice: its balance, whole amounts with their cents.
        const int invoice = b.saveUntaxed(kInvoice, 269.04);
        QCOMPARE(b.offered(invoice), amount("269", "04"));
        actions.recordPayment(invoice, paid(99.04));
        QCOMPARE(b.offered(invoice), amount("170", "00"));
        actions.recordPayment(invoice, paid(170));
        QCOMPARE(b.offered(invoice), QString());

        // The deposit and paid dialog shows its amount the same way.
        b.saveUntaxed(kWorkOrder, 500, 120);
        TfrmPaidAndDeposit deposit(b.context);
        QCOMPARE(deposit.findChild<QLineEdit *>(QStringLiteral("txtPaidAndDeposit"))->text(), amount("120", "00"));
        b.open(invoice);
        TfrmPaidAndDeposit paidDialog(b.context);
        QCOMPARE(paidDialog.findChild<QLineEdit *>(QStringLiteral("txtPaidAndDeposit"))->text(), amount("269", "04"));
        QCOMPARE(b.prompts.unplanned, 0);
    }

    void aChangeOrderIsNewAndUnsavedWhereTheEditionHasThem_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<bool>("hasChangeOrders");
        QTest::newRow("Corvalo") << int(Edition::Corvalo) << true;
        QTest::newRow("Heddrin") << int(Edition::Heddrin) << true;
        QTest::newRow("Ostrev") << int(Edition::Ostrev) << false;
    }

    void aChangeOrderIsNewAndUnsavedWhereTheEditionHasThem()
    {
        QFETCH(int, edition);
        QFETCH(bool, hasChangeOrders);
        Books b(edition);
        const int invoice = b.saveUntaxed(kInvoice, 120);
        const auto storedDocuments = [&b] { return b.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader")); };
        const int next = DocumentStore(b.context).GetInvoiceNumber();

        // The editor's command: there only where the kind is.
        b.open(invoice);
        {
            std::unique_ptr<QDialog> editor;
            if (edition == Edition::Heddrin)
                editor = std::make_unique<TfrmInvoiceHeddrin>(b.context);
            else
                editor = std::make_unique<TfrmInvoiceStored>(b.context);
            editor->show();
            auto *command = editor->findChild<QAction *>(QStringLiteral("actChangeOrder"));
            QVERIFY(command);
            QCOMPARE(command->isVisible(), hasChangeOrders);
            QCOMPARE(command->isEnabled(), hasChangeOrders);
            command->trigger();
            if (hasChangeOrders) {
                QCOMPARE(editor->windowTitle(), QStringLiteral("Change Order %1").arg(next));
                QVERIFY(b.doc().header.blnNewInvoice);
            } else {
                QCOMPARE(editor->windowTitle(), QStringLiteral("Invoice %1").arg(invoice));
            }
            // Nothing was stored, and nothing is when it closes unchanged.
            QCOMPARE(storedDocuments(), 1);
            QCOMPARE(DocumentStore(b.context).GetInvoiceNumber(), next);
            editor->close();
            QVERIFY(!editor->isVisible());
            QCOMPARE(storedDocuments(), 1);
            QCOMPARE(DocumentStore(b.context).GetInvoiceNumber(), next);
        }

        // The session: a new document of the job, stored only by Save.
        b.open(invoice);
        EditingSession session(b.context);
        session.open();
        QCOMPARE(session.canStartChangeOrder(), hasChangeOrders);
        QCOMPARE(session.startChangeOrder(), hasChangeOrders);
        if (!hasChangeOrders) {
            QCOMPARE(session.header().strInvName, kInvoice);
            QCOMPARE(session.header().intInvNumber, invoice);
            QCOMPARE(b.prompts.unplanned, 0);
            return;
        }
        QCOMPARE(session.header().strInvName, kChangeOrder);
        QVERIFY(session.kinds().kinds.contains(kChangeOrder));
        QCOMPARE(session.header().intInvNumber, next);
        QCOMPARE(session.header().strCustFullName, QStringLiteral("Zoë Ünal"));
        QVERIFY(!session.canSave()); // no line yet
        QCOMPARE(storedDocuments(), 1);
        b.addWork(40);
        session.documentEdited();
        QVERIFY(session.canSave());
        QCOMPARE(storedDocuments(), 1);
        QVERIFY(session.save());
        CurrentDocument &order = b.open(next);
        QCOMPARE(order.header.strInvName, kChangeOrder);
        QCOMPARE(order.header.intJobID, invoice);
        QCOMPARE(order.header.strFromInvNameNumber, QStringLiteral("Invoice %1").arg(invoice));
        QCOMPARE(storedDocuments(), 2);
        QCOMPARE(DocumentStore(b.context).GetInvoiceNumber(), next + 1);
        QCOMPARE(b.prompts.unplanned, 0);
    }

    void typedPaymentsAreReadOrRefused_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<double>("read"); // 0: refused
        QTest::newRow("plain") << "en_US" << "12.5" << 12.5;
        QTest::newRow("grouped") << "en_US" << "1,234.56" << 0.0; // the field takes no thousands separator
        QTest::newRow("German") << "de_DE" << "1234,56" << 1234.56;
        QTest::newRow("cents rounded") << "en_US" << "10.005" << 10.01;
        QTest::newRow("empty") << "en_US" << "  " << 0.0;
        QTest::newRow("text") << "en_US" << "twelve" << 0.0;
        QTest::newRow("zero") << "en_US" << "0.00" << 0.0;
        QTest::newRow("negative") << "en_US" << "-5" << 0.0;
        QTest::newRow("huge") << "en_US" << "99999999999999" << 0.0;
    }

    void typedPaymentsAreReadOrRefused()
    {
        QFETCH(QString, locale);
        QFETCH(QString, amount);
        QFETCH(double, read);
        const PaymentEntry::Typed typed{QDate(2027, 1, 2), amount, QStringLiteral("card"), QStringLiteral(" 77 "), {}};
        const std::variant<Payment, QString> result = PaymentEntry::read(typed, QLocale(locale));
        if (read == 0) {
            QVERIFY(std::holds_alternative<QString>(result));
            QVERIFY(!std::get<QString>(result).isEmpty());
            return;
        }
        QVERIFY(std::holds_alternative<Payment>(result));
        QCOMPARE(std::get<Payment>(result).amount, read);
        QCOMPARE(std::get<Payment>(result).method, QStringLiteral("card"));
        QCOMPARE(std::get<Payment>(result).reference, QStringLiteral("77"));
    }
};

QTEST_MAIN(TestPayments)
#include "test_payments.moc"
