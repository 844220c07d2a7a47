#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "accounts/AccountTables.h"
#include "accounts/TfrmCustomerStatement.h"
#include "accounts/TfrmJobView.h"
#include "app/TfrmMain.h"
#include "core/Edition.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "editing/TfrmInvoiceStored.h"
#include "data/Database.h"
#include "invoice/CustomerStatement.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/JobSummary.h"
#include "invoice/Money.h"
#include "invoice/Payments.h"
#include "invoice/Totals.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using CustomerStatement::Customer;
namespace Kinds = DocumentKinds;

const Customer kAcme{7, QStringLiteral("Acme \"Roofing\""), QStringLiteral("Jo Smith")};

/// A Corvalo company whose documents are untaxed, so a total is its labor.
struct Books : TestSession
{
    Books()
        : TestSession(Edition::Corvalo)
    {
        start(QDate(2026, 12, 9));
    }

    int save(const QString &kind, QDate date, const Customer &customer, double labor, double deposit = 0)
    {
        DocumentStore store(context);
        TrecInvHeader &h = context.document.header;
        h.blnNewInvoice = true;
        store.pLoadInvoice();
        h.strInvName = kind;
        h.strInvDate = date;
        h.intCustomerID = customer.id;
        h.strCustCmpnyName = customer.company;
        h.strCustFullName = customer.name;
        h.strUseTax1 = h.strUseTax2 = h.strUseTax3 = false;
        h.dbDepositAmount = deposit;
        context.document.lines.appendPriceLine(
            {.description = QStringLiteral("Work"), .quantity = 1, .laborPrice = labor, .materialTaxable = false});
        Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);
        return store.pSaveInvoice();
    }

    /// A change order for the job of \a number with one line of \a labor (none for 0),
    /// saved as the user saves it.
    int saveChangeOrderFor(int number, double labor = 0)
    {
        DocumentActions(context).startChangeOrderFor(number);
        if (labor > 0) {
            context.document.lines.appendPriceLine(
                {.description = QStringLiteral("Change"), .quantity = 1, .laborPrice = labor, .materialTaxable = false});
        }
        return DocumentStore(context).pSaveInvoice();
    }

    void pay(int number, QDate date, double amount, const QString &reference = {})
    {
        DocumentActions(context).recordPayment(number, Payment{date, amount, QStringLiteral("check"), reference, {}});
    }

    /// Acme's year: invoices, part payments, a credit, a deposit on an estimate, a
    /// past-due notice that restates a debt, and another customer's invoice.
    void acmeYear()
    {
        const int first = save(Kinds::kInvoice, QDate(2026, 1, 10), kAcme, 500);
        pay(first, QDate(2026, 1, 20), 200);
        const int estimate = save(Kinds::kEstimate, QDate(2026, 2, 1), kAcme, 1000, 300);
        pay(estimate, QDate(2026, 2, 3), 300);
        const int second = save(Kinds::kInvoice, QDate(2026, 3, 5), kAcme, 250);
        pay(second, QDate(2026, 3, 10), 100, QStringLiteral("Check 42"));
        save(Kinds::kCredit, QDate(2026, 3, 12), kAcme, 50);
        DocumentActions(context).createPastDue(first);
        save(Kinds::kInvoice, QDate(2026, 2, 15), Customer{8, {}, QStringLiteral("Someone Else")}, 999);
    }
};

/// Acts on the next modal window as soon as it runs, then closes it; a window of
/// another class fails the test.
template<typename Window>
void whenWindowOpens(std::function<void(Window &)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *window = qobject_cast<Window *>(modal);
        if (!window) {
            if (modal)
                modal->close();
            QFAIL("the expected window did not open");
        }
        act(*window);
        if (window->isVisible())
            window->close();
    });
}

/// The modal windows \a act opens over \a window, each closed at once.
QStringList windowsOpenedOver(QWidget *window, const std::function<void()> &act)
{
    QStringList opened;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != window) {
            opened << modal->objectName();
            modal->close();
        }
    });
    closer.start(0);
    act();
    QCoreApplication::processEvents();
    return opened;
}

void selectDocument(TfrmInvoiceMaintenance &window, int number)
{
    auto *list = window.findChild<QTableView *>(QStringLiteral("lstvwInvMaintenance"));
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        if (window.listModel().row(row).intInvNumber == number)
            list->setCurrentIndex(list->model()->index(row, 0));
    }
}

QList<double> balances(const CustomerStatement::Account &account)
{
    QList<double> result;
    for (const CustomerStatement::Entry &entry : account.entries)
        result << entry.balance;
    return result;
}

} // namespace

class TestAccounts : public QObject
{
    Q_OBJECT

private slots:
    void statementRunsTheBalanceOverChargesPaymentsCreditsAndDeposits()
    {
        Books books;
        books.acmeYear();

        const auto whole = CustomerStatement::build(books.context, kAcme, QDate(2026, 1, 1), QDate(2026, 12, 31));
        QCOMPARE(whole.openingBalance, 0.0);
        QCOMPARE(balances(whole), (QList<double>{500, 300, 0, 250, 150, 100}));
        QList<double> amounts;
        for (const auto &entry : whole.entries)
            amounts << entry.amount;
        QCOMPARE(amounts, (QList<double>{500, -200, -300, 250, -100, -50}));
        QVERIFY(whole.entries.at(4).description.contains(QStringLiteral("Check 42")));
        QCOMPARE(whole.amountDue, 100.0);

        // Starting after some entries, they add up to the opening balance.
        const auto later = CustomerStatement::build(books.context, kAcme, QDate(2026, 2, 2), QDate(2026, 12, 31));
        QCOMPARE(later.openingBalance, 300.0);
        QCOMPARE(balances(later), (QList<double>{0, 250, 150, 100}));
        QCOMPARE(later.amountDue, 100.0);

        // Ending early, the amount due is what was owed then: the last running balance.
        const auto march = CustomerStatement::build(books.context, kAcme, QDate(2026, 2, 2), QDate(2026, 3, 10));
        QCOMPARE(march.amountDue, 150.0);
        QCOMPARE(march.amountDue, march.entries.last().balance);

        // A range with no movement still carries what is owed into it.
        const auto quiet = CustomerStatement::build(books.context, kAcme, QDate(2026, 6, 1), QDate(2026, 6, 30));
        QVERIFY(quiet.entries.isEmpty());
        QCOMPARE(quiet.openingBalance, 100.0);
        QCOMPARE(quiet.amountDue, 100.0);

        // Dates typed the wrong way round mean the same range.
        const auto reversed = CustomerStatement::build(books.context, kAcme, QDate(2026, 3, 10), QDate(2026, 2, 2));
        QCOMPARE(reversed.from, QDate(2026, 2, 2));
        QCOMPARE(balances(reversed), balances(march));
    }

    void aDaysRowsStandAsEnteredAndACorrectionIsAPayment()
    {
        Books books;
        const QDate day(2026, 5, 4);
        const int first = books.save(Kinds::kInvoice, day, kAcme, 269.04);
        const int second = books.save(Kinds::kInvoice, day, kAcme, 80);
        books.pay(first, day, 100, QStringLiteral("CHK1001"));
        books.pay(second, day, 30, QStringLiteral("CHK2001"));
        books.pay(first, day, 60, QStringLiteral("CHK1002"));
        // An Amount Paid typed on the invoice, 210 then 190: +50, then a -20 correction.
        for (const double typed : {210.0, 190.0}) {
            books.context.document.header.blnNewInvoice = false;
            books.context.document.header.intInvNumber = first;
            DocumentStore(books.context).pLoadInvoice();
            books.context.document.header.dbPaidAmount = typed;
            DocumentStore(books.context).pSaveInvoice();
        }
        // Saving the second invoice again does not move its payment behind later ones.
        books.context.document.header.intInvNumber = second;
        DocumentStore(books.context).pLoadInvoice();
        books.context.document.header.strCustPONumber = QStringLiteral("PO 7");
        DocumentStore(books.context).pSaveInvoice();

        const auto statement = CustomerStatement::build(books.context, kAcme, QDate(2026, 1, 1), QDate(2030, 12, 31));
        QStringList described;
        QList<double> amounts;
        for (const auto &entry : statement.entries) {
            described << entry.description;
            amounts << entry.amount;
        }
        const QString firstName = QStringLiteral("Invoice %1").arg(first);
        QCOMPARE(described.mid(0, 5),
                 (QStringList{firstName, QStringLiteral("Invoice %1").arg(second),
                              QStringLiteral("Payment for %1 (CHK1001)").arg(firstName),
                              QStringLiteral("Payment for Invoice %1 (CHK2001)").arg(second),
                              QStringLiteral("Payment for %1 (CHK1002)").arg(firstName)}));
        QCOMPARE(amounts, (QList<double>{269.04, 80, -100, -30, -60, -50, 20}));
        // Never more owed than was billed.
        QCOMPARE(balances(statement), (QList<double>{269.04, 349.04, 249.04, 219.04, 159.04, 109.04, 129.04}));

        // The correction stands in the Payments column as a negative payment.
        const TablePrintout table = AccountTables::statement(statement, kAcme, {}, books.context.locale);
        const QStringList correction = table.rows.at(7);
        QVERIFY(correction.at(1).startsWith(QStringLiteral("Payment for %1").arg(firstName)));
        QCOMPARE(correction.at(2), QString());
        QCOMPARE(correction.at(3), Money::currencyText(-20, books.context.locale));
        QCOMPARE(table.rows.at(6).at(3), QStringLiteral("$50.00"));
        QCOMPARE(table.rows.at(1).at(2), QStringLiteral("$269.04"));
        QCOMPARE(table.rows.at(1).at(3), QString());
    }

    void paymentsStayInTheOrderRecordedWhateverIsSavedAgain()
    {
        Books books;
        QRandomGenerator random(33);
        const QList<QDate> days{QDate(2026, 6, 1), QDate(2026, 6, 2), QDate(2026, 6, 3)};
        QList<int> invoices;
        for (const QDate &day : days) {
            invoices << books.save(Kinds::kInvoice, day, kAcme, 5000);
            invoices << books.save(Kinds::kInvoice, day, kAcme, 7000);
        }
        for (int recorded = 1; recorded <= 60; ++recorded) {
            if (random.bounded(3) == 0) {
                books.context.document.header.blnNewInvoice = false;
                books.context.document.header.intInvNumber = invoices.at(random.bounded(invoices.size()));
                DocumentStore(books.context).pLoadInvoice();
                books.context.document.header.strCustPONumber = QString::number(recorded);
                DocumentStore(books.context).pSaveInvoice();
            }
            const int number = invoices.at(random.bounded(invoices.size()));
            books.pay(number, days.at(random.bounded(days.size())), 1 + random.bounded(40),
                      QStringLiteral("R%1").arg(recorded, 3, 10, QLatin1Char('0')));
        }

        const auto statement = CustomerStatement::build(books.context, kAcme, QDate(2026, 1, 1), QDate(2026, 12, 31));
        QCOMPARE(statement.entries.size(), invoices.size() + 60);
        // By date; on a date the documents first, then the payments as recorded.
        QDate date;
        bool paymentsStarted = false;
        QString lastReference;
        for (const auto &entry : statement.entries) {
            if (entry.date != date) {
                QVERIFY(entry.date > date);
                date = entry.date;
                paymentsStarted = false;
                lastReference.clear();
            }
            const bool isPayment = entry.description.startsWith(QStringLiteral("Payment for"));
            QVERIFY2(isPayment || !paymentsStarted, qPrintable(entry.description));
            paymentsStarted = paymentsStarted || isPayment;
            if (isPayment) {
                const QString reference = entry.description.section(QLatin1Char('('), 1).chopped(1);
                QVERIFY2(reference > lastReference, qPrintable(reference + QStringLiteral(" after ") + lastReference));
                lastReference = reference;
                QCOMPARE(entry.column, CustomerStatement::Entry::Column::Payments);
            }
        }
    }

    void aNoticeChargesOnlyOnceItsInvoiceIsGone()
    {
        Books books;
        const int invoice = books.save(Kinds::kInvoice, QDate(2026, 5, 1), kAcme, 120);
        books.pay(invoice, QDate(2026, 5, 10), 20);
        DocumentActions actions(books.context);
        actions.createPastDue(invoice);
        const int latest = actions.createPastDue(invoice);
        QCOMPARE(CustomerStatement::build(books.context, kAcme, QDate(2026, 1, 1), QDate(2026, 12, 31)).amountDue, 100.0);

        // Its latest notice now stands for the debt, keeping what was paid on the
        // deleted invoice: the customer is not asked for that again.
        actions.remove(invoice);
        const auto account = CustomerStatement::build(books.context, kAcme, QDate(2026, 1, 1), QDate(2026, 12, 31));
        QCOMPARE(account.entries.size(), 2);
        QCOMPARE(account.entries.first().description, QStringLiteral("Past Due %1").arg(latest));
        QCOMPARE(account.entries.first().amount, 120.0);
        QCOMPARE(account.amountDue, 100.0);
    }

    void aTypedCustomerHasAStatementOfTheirOwn()
    {
        Books books;
        const Customer walkIn{0, {}, QStringLiteral("Pat O'Neil")};
        books.save(Kinds::kInvoice, QDate(2026, 4, 1), walkIn, 120);
        books.save(Kinds::kInvoice, QDate(2026, 4, 2), Customer{0, QStringLiteral("Pat's Café"), walkIn.name}, 80);
        books.save(Kinds::kInvoice, QDate(2026, 4, 3), Customer{9, {}, walkIn.name}, 40);

        const QList<Customer> customers = CustomerStatement::customersWithDocuments(books.context);
        QCOMPARE(customers.size(), 3);
        const auto typed = std::find_if(customers.cbegin(), customers.cend(), [&](const Customer &c) {
            return c.id == 0 && c.company.isEmpty() && c.name == walkIn.name;
        });
        QVERIFY(typed != customers.cend());

        const auto account = CustomerStatement::build(books.context, *typed, QDate(2026, 1, 1), QDate(2026, 12, 31));
        QCOMPARE(account.entries.size(), 1);
        QCOMPARE(account.amountDue, 120.0);
    }

    void jobCountsBilledReceivedAndToBePaidOnce()
    {
        Books books;
        DocumentActions actions(books.context);
        const int estimate = books.save(Kinds::kEstimate, QDate(2026, 5, 1), kAcme, 1200, 400);
        books.pay(estimate, QDate(2026, 5, 2), 400);
        actions.convert(estimate, Kinds::kInvoice);
        const int change = books.saveChangeOrderFor(estimate, 300.25);
        {
            // The change order asks a deposit of its own.
            DocumentStore store(books.context);
            books.context.document.header.blnNewInvoice = false;
            books.context.document.header.intInvNumber = change;
            store.pLoadInvoice();
            books.context.document.header.dbDepositAmount = 100;
            store.pSaveInvoice();
        }
        books.pay(estimate, QDate(2026, 6, 1), 500.10);
        const int notice = actions.createPastDue(estimate);
        books.save(Kinds::kInvoice, QDate(2026, 5, 3), kAcme, 77); // another job

        for (int number : {estimate, change, notice}) {
            const JobSummary::Job job = JobSummary::ofDocument(books.context, number);
            QCOMPARE(job.jobId, estimate);
            QCOMPARE(job.documents.size(), 3);
            QCOMPARE(job.billed, 1200.0);
            QCOMPARE(job.toBeBilled, 300.25);
            QCOMPARE(job.depositsRequired, 100.0);
            QCOMPARE(job.received, 900.10);
            QCOMPARE(job.toBePaid, 600.15);
        }

        // Invoicing the change order moves it from to be billed to billed.
        actions.convert(change, Kinds::kInvoice);
        const JobSummary::Job invoiced = JobSummary::ofDocument(books.context, notice);
        QCOMPARE(invoiced.billed, 1500.25);
        QCOMPARE(invoiced.toBeBilled, 0.0);
        QCOMPARE(invoiced.toBePaid, 600.15);
    }

    void anInvoiceTurnedIntoACreditCancelsItsSale()
    {
        Books books;
        const int invoice = books.save(Kinds::kInvoice, QDate(2026, 7, 1), kAcme, 1000);
        books.pay(invoice, QDate(2026, 7, 5), 400);
        DocumentActions(books.context).toCredit(invoice);

        // Nothing is sold any more; what was paid is owed back.
        const JobSummary::Job job = JobSummary::ofDocument(books.context, invoice);
        QCOMPARE(job.billed, 0.0);
        QCOMPARE(job.received, 400.0);
        QCOMPARE(job.toBePaid, -400.0);
        const auto account = CustomerStatement::build(books.context, kAcme, QDate(2026, 1, 1), QDate(2026, 12, 31));
        QCOMPARE(account.amountDue, job.toBePaid);
    }

    void statementWindowListsAndPrintsTheStatement()
    {
        Books books;
        books.context.company.company.strCompName = QStringLiteral("Tarn Builders");
        books.acmeYear();
        RecordingPrintModule printer(books.context);

        TfrmCustomerStatement window(books.context, kAcme);
        auto *from = window.findChild<DateField *>(QStringLiteral("dtpFrom"));
        auto *to = window.findChild<DateField *>(QStringLiteral("dtpTo"));
        from->setDate(QDate(2026, 2, 2));
        to->setDate(QDate(2026, 12, 31));

        const TableListModel &model = window.listModel();
        QCOMPARE(model.rowCount(), 6); // opening, four movements, amount due
        QCOMPARE(model.text(0, 1), QStringLiteral("Opening balance"));
        QVERIFY(model.isTotal(0));
        QCOMPARE(model.text(0, 4), Money::currencyText(300, books.context.locale));
        QCOMPARE(model.text(2, 2), Money::currencyText(250, books.context.locale));
        QCOMPARE(model.text(2, 3), QString());
        QCOMPARE(model.text(3, 3), Money::currencyText(100, books.context.locale));
        QCOMPARE(model.text(5, 1), QStringLiteral("Amount Due"));
        QCOMPARE(model.text(5, 4), Money::currencyText(100, books.context.locale));
        QVERIFY(model.isTotal(5) && !model.isTotal(4));

        // The dates count as soon as they change.
        to->setDate(QDate(2026, 3, 10));
        QCOMPARE(model.text(model.rowCount() - 1, 4), Money::currencyText(150, books.context.locale));

        window.findChild<QAction *>(QStringLiteral("actPrint"))->trigger();
        window.findChild<QAction *>(QStringLiteral("actPDF"))->trigger();
        QCOMPARE(printer.calls, (QStringList{QStringLiteral("print %1").arg(PrintKind::Table),
                                             QStringLiteral("pdf %1").arg(PrintKind::Table)}));
        const ListPrintout &printed = printer.requests.first().printout;
        QCOMPARE(printed.rows.rows, model.table().rows);
        QCOMPARE(printed.parameters.value(TableParameters::title), QStringLiteral("Statement"));
        const QString subTitle = printed.parameters.value(TableParameters::subTitle);
        QVERIFY(subTitle.contains(QStringLiteral("Tarn Builders")));
        QVERIFY(subTitle.contains(kAcme.company));
        QVERIFY(subTitle.contains(QStringLiteral("2/2/2026")));

        // Typed, a name that names no customer states nothing; a whole one is taken at once.
        auto *customers = window.findChild<QComboBox *>(QStringLiteral("cmbCustomer"));
        customers->lineEdit()->selectAll();
        QTest::keyClicks(customers->lineEdit(), QStringLiteral("someone"));
        QVERIFY(!window.customer());
        QVERIFY(window.account().entries.isEmpty());
        QVERIFY(!window.findChild<QAction *>(QStringLiteral("actPrint"))->isEnabled());
        QTest::keyClicks(customers->lineEdit(), QStringLiteral(" else"));
        QCOMPARE(window.customer()->id, 8);
        QCOMPARE(window.account().entries.size(), 1);
        QCOMPARE(window.account().amountDue, 999.0);
        QVERIFY(window.findChild<QAction *>(QStringLiteral("actPrint"))->isEnabled());
        QVERIFY(books.prompts.asked.isEmpty());
    }

    void jobWindowListsTheDocumentsAndPrintsTheSummary()
    {
        Books books;
        DocumentActions actions(books.context);
        const int estimate = books.save(Kinds::kEstimate, QDate(2026, 5, 1), kAcme, 1200, 400);
        books.pay(estimate, QDate(2026, 5, 2), 400);
        actions.convert(estimate, Kinds::kInvoice);
        const int change = books.saveChangeOrderFor(estimate, 300);
        RecordingPrintModule printer(books.context);

        TfrmJobView window(books.context, change, false);
        QCOMPARE(window.windowTitle(), QStringLiteral("Job %1").arg(estimate));
        const TableListModel &model = window.listModel();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.text(0, 0), QStringLiteral("Invoice %1").arg(estimate));
        QCOMPARE(model.text(0, 5), Money::currencyText(400, books.context.locale));
        QCOMPARE(model.text(0, 6), Money::currencyText(800, books.context.locale));
        QCOMPARE(model.text(1, 0), QStringLiteral("Change Order %1").arg(change));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblToBePaid"))->text(),
                 Money::currencyText(1100, books.context.locale));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblToBeBilled"))->text(),
                 Money::currencyText(300, books.context.locale));

        window.findChild<QAction *>(QStringLiteral("actPrint"))->trigger();
        QCOMPARE(printer.calls, QStringList{QStringLiteral("print %1").arg(PrintKind::Table)});
        const ListPrintout &printed = printer.requests.first().printout;
        QCOMPARE(printed.parameters.value(TableParameters::title), QStringLiteral("Job %1").arg(estimate));
        QCOMPARE(printed.rows.rows.mid(0, 2), model.table().rows);
        const QList<QStringList> summary = printed.rows.rows.mid(2);
        QCOMPARE(summary.size(), 5);
        QCOMPARE(summary.last().first(), QStringLiteral("="));
        QCOMPARE(summary.last().at(2), QStringLiteral("To be paid"));
        QCOMPARE(summary.last().at(3), Money::currencyText(1100, books.context.locale));
    }

    void maintenanceOpensTheJobAndTheStatementOfTheSelectedDocument()
    {
        Books books;
        const Customer walkIn{0, {}, QStringLiteral("Pat O'Neil")};
        const int acme = books.save(Kinds::kInvoice, QDate(2026, 4, 1), kAcme, 300);
        const int typed = books.save(Kinds::kInvoice, QDate(2026, 4, 2), walkIn, 120);
        const int change = books.saveChangeOrderFor(acme);
        TfrmInvoiceMaintenance window(books.context);

        selectDocument(window, typed);
        bool shown = false;
        whenWindowOpens<TfrmCustomerStatement>([&](TfrmCustomerStatement &statement) {
            shown = true;
            QCOMPARE(statement.customer()->id, 0);
            QCOMPARE(statement.customer()->name, walkIn.name);
            QCOMPARE(statement.account().to, QDate::currentDate());
        });
        window.findChild<QAction *>(QStringLiteral("actStatement"))->trigger();
        QVERIFY(shown);

        selectDocument(window, change);
        shown = false;
        whenWindowOpens<TfrmJobView>([&](TfrmJobView &job) {
            shown = true;
            QCOMPARE(job.job().jobId, acme);
            QCOMPARE(job.listModel().rowCount(), 2);
        });
        window.findChild<QAction *>(QStringLiteral("actJob"))->trigger();
        QVERIFY(shown);
        QCOMPARE(books.prompts.unplanned, 0);
    }

    void mainWindowOpensTheStatementOnTheFirstCustomer()
    {
        Books books;
        TfrmMain main(books.context);
        bool shown = false;
        whenWindowOpens<TfrmCustomerStatement>([&](TfrmCustomerStatement &statement) {
            shown = true;
            // Nothing to state yet: nothing to print either.
            QVERIFY(!statement.customer());
            QVERIFY(!statement.findChild<QAction *>(QStringLiteral("actPrint"))->isEnabled());
            QCOMPARE(statement.listModel().text(statement.listModel().rowCount() - 1, 4),
                     Money::currencyText(0, books.context.locale));
        });
        main.findChild<QAction *>(QStringLiteral("actCustomerStatement"))->trigger();
        QVERIFY(shown);

        books.acmeYear();
        shown = false;
        whenWindowOpens<TfrmCustomerStatement>([&](TfrmCustomerStatement &statement) {
            shown = true;
            // "Acme ..." before "Someone Else", though only Acme has a company.
            QCOMPARE(statement.customer()->id, kAcme.id);
            QVERIFY(statement.findChild<QAction *>(QStringLiteral("actPrint"))->isEnabled());
        });
        main.findChild<QAction *>(QStringLiteral("actCustomerStatement"))->trigger();
        QVERIFY(shown);
    }

    void jobViewOpensADocumentOnlyWhenNoEditorHoldsOne()
    {
        Books books;
        const int invoice = books.save(Kinds::kInvoice, QDate(2026, 4, 1), kAcme, 300);
        const int change = books.saveChangeOrderFor(invoice);

        {
            TfrmJobView listing(books.context, invoice, false);
            listing.show();
            auto *list = listing.findChild<QTableView *>(QStringLiteral("lstvwJob"));
            QCOMPARE(windowsOpenedOver(&listing, [&] { QTest::keyClick(list, Qt::Key_Return); }), QStringList());
        }
        TfrmJobView view(books.context, invoice, true);
        view.show();
        auto *list = view.findChild<QTableView *>(QStringLiteral("lstvwJob"));
        list->setCurrentIndex(list->model()->index(1, 0));
        bool edited = false;
        whenWindowOpens<TfrmInvoiceStored>([&](TfrmInvoiceStored &) {
            edited = true;
            QCOMPARE(books.context.document.header.intInvNumber, change);
        });
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(edited);

        // The editor's Job command: only for a saved document, and the view it opens lists only.
        books.context.document.header.blnNewInvoice = true;
        DocumentStore(books.context).pLoadInvoice();
        TfrmInvoiceStored fresh(books.context);
        fresh.show();
        QVERIFY(!fresh.findChild<QAction *>(QStringLiteral("actJob"))->isEnabled());
        fresh.close();

        books.context.document.header.blnNewInvoice = false;
        books.context.document.header.intInvNumber = change;
        DocumentStore(books.context).pLoadInvoice();
        TfrmInvoiceStored editor(books.context);
        editor.show();
        QAction *job = editor.findChild<QAction *>(QStringLiteral("actJob"));
        QVERIFY(job->isEnabled());
        bool listed = false;
        whenWindowOpens<TfrmJobView>([&](TfrmJobView &opened) {
            listed = true;
            QCOMPARE(opened.job().jobId, invoice);
            auto *list = opened.findChild<QTableView *>(QStringLiteral("lstvwJob"));
            QCOMPARE(windowsOpenedOver(&opened, [&] { QTest::keyClick(list, Qt::Key_Return); }), QStringList());
        });
        job->trigger();
        QVERIFY(listed);
        QCOMPARE(books.context.document.header.intInvNumber, change);
    }
};

QTEST_MAIN(TestAccounts)
#include "test_accounts.moc"
