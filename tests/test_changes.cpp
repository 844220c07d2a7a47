#include "ListWindows.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "customers/CustomerStore.h"
#include "customers/TfrmCustomer.h"
#include "data/ChangeWatch.h"
#include "data/Database.h"
#include "data/OfficeServer.h"
#include "data/PgConnection.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "planner/ActivityListModel.h"
#include "planner/ActivityStore.h"
#include "planner/TfrmPlanner.h"
#include "prices/PriceStore.h"
#include "prices/TfrmPriceCorvalo.h"
#include "receivables/TfrmReceivables.h"
#include "report/TfrmReport.h"
#include "worksheets/TfrmPriceHeddrin.h"
#include "worksheets/WorkSheetPriceStore.h"
#include "invoice/Money.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace ListWindows;

namespace {

// A refresh is due within a second or two; this leaves room for a loaded machine.
constexpr int kRefreshMs = 5000;

int saveInvoice(AppContext &context, const QString &customer)
{
    CurrentDocument &doc = context.document;
    doc.header.blnNewInvoice = true;
    DocumentStore(context).pLoadInvoice();
    doc.header.strInvName = DocumentKinds::kInvoice;
    doc.header.strInvDate = QDate(2026, 11, 2);
    doc.header.strCustCmpnyName = customer;
    doc.header.strCustPymntTerms = QStringLiteral("Net 30");
    doc.lines.appendPriceLine({QStringLiteral("Gate"), 1, 120, 30, false, false});
    return DocumentStore(context).pSaveInvoice();
}

void renameCustomerOf(AppContext &context, int number, const QString &customer)
{
    CurrentDocument &doc = context.document;
    doc.header.blnNewInvoice = false;
    doc.header.intInvNumber = number;
    DocumentStore(context).pLoadInvoice();
    doc.header.strCustCmpnyName = customer;
    DocumentStore(context).pSaveInvoice();
}

/// Waits until \a window hears of commits: its server connection is made on another
/// thread, and a commit before it listens is not told.
bool watching(const QWidget &window)
{
    const auto *watch = window.findChild<ChangeWatch *>();
    if (!watch)
        return false;
    return QTest::qWaitFor([watch] { return watch->isWatching(); }, kRefreshMs);
}

/// A second copy of the program on the company of \a first (another PC's, on the server).
struct SecondCopy
{
    explicit SecondCopy(const TestSession &first)
        : context(first.context.edition(), prompts, saving)
    {
        context.locale = first.context.locale;
        context.company = first.context.company;
    }
    ScriptedPrompts prompts;
    NoSavingIndicator saving;
    AppContext context;
};

} // namespace

class TestChanges : public QObject
{
    Q_OBJECT

private slots:
    void aCommitElsewhereIsToldAndNothingElse()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        ChangeWatch watch(session.context.databasePath());
        QSignalSpy told(&watch, &ChangeWatch::changedElsewhere);
        QTRY_VERIFY_WITH_TIMEOUT(watch.isWatching(), kRefreshMs);

        SecondCopy other(session);
        saveInvoice(other.context, QStringLiteral("Ünal \"Decks\""));
        QVERIFY(told.wait(kRefreshMs));

        // Reading is not changing: no refresh without a commit.
        told.clear();
        (void)DocumentStore(other.context).GetInvoiceNumber();
        QVERIFY(!told.wait(2 * ChangeWatch::kPollMs + 200));

        // A commit that failed tells nothing either.
        {
            const auto db = other.context.openDatabase();
            Transaction tx(*db);
            db->prepare(QStringLiteral("UPDATE tblInvHeader SET strCustPONumber = 'never'")).run();
        }
        QVERIFY(!told.wait(2 * ChangeWatch::kPollMs + 200));
    }

    void aLostServerConnectionIsMadeAgainAndTheListsLookAgain()
    {
        if (!TestCompanyOnServer::selected())
            QSKIP("the file has no connection to lose");
        TestSession session(Edition::Corvalo);
        session.start();
        ChangeWatch watch(session.context.databasePath());
        QSignalSpy told(&watch, &ChangeWatch::changedElsewhere);
        QTRY_VERIFY_WITH_TIMEOUT(watch.isWatching(), kRefreshMs);

        // The server ends the listening connection, as a restart of it would.
        const auto db = session.db();
        db->server()->runPlain(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                              "WHERE query LIKE 'LISTEN%' AND pid <> pg_backend_pid()"));
        QVERIFY(told.wait(kRefreshMs));
        QTRY_VERIFY_WITH_TIMEOUT(watch.isWatching(), kRefreshMs);
        told.clear();
        saveInvoice(session.context, QStringLiteral("After the restart"));
        QVERIFY(told.wait(kRefreshMs));
    }

    void theMaintenanceListShowsAnotherCopysSaveWhereTheUserWas()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        SecondCopy other(session);
        QList<int> numbers;
        for (int i = 0; i < 80; ++i)
            numbers << saveInvoice(other.context, QStringLiteral("Customer %1").arg(i));

        TfrmInvoiceMaintenance window(session.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *list = child<QTableView>(window, "lstvwInvMaintenance");
        const int chosen = rowShowing(list, MaintenanceListModel::Number, QString::number(numbers[50]));
        QVERIFY(chosen >= 0);
        // Chosen with the keyboard's current row: a click would open the document.
        list->setCurrentIndex(list->model()->index(chosen, MaintenanceListModel::Number));
        list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtCenter);
        const int scrolled = list->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);

        // Another copy adds a document and renames the customer of the chosen one.
        const int added = saveInvoice(other.context, QStringLiteral("Newcomer"));
        renameCustomerOf(other.context, numbers[50], QStringLiteral("Zoë's \"Renamed\""));
        QTRY_VERIFY_WITH_TIMEOUT(rowShowing(list, MaintenanceListModel::Number, QString::number(added)) >= 0,
                                 kRefreshMs);
        QTRY_COMPARE_WITH_TIMEOUT(
            list->currentIndex().siblingAtColumn(MaintenanceListModel::Company).data().toString(),
            QStringLiteral("Zoë's \"Renamed\""), kRefreshMs);
        QCOMPARE(list->currentIndex().siblingAtColumn(MaintenanceListModel::Number).data().toString(),
                 QString::number(numbers[50]));
        QCOMPARE(list->verticalScrollBar()->value(), scrolled);
    }

    void aCustomerBeingTypedStaysWhileTheListRefreshes()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmCustomer window(session.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *list = child<QTableView>(window, "lstvCustomers");
        const int before = list->model()->rowCount();
        QVERIFY(before > 0);
        clickRow(list, 0);
        auto *company = child<QLineEdit>(window, "txtCustCmpnyName");
        company->setFocus();
        company->selectAll();
        typeText(company, QStringLiteral("Ünal & Söhne \"Dächer\""));

        SecondCopy other(session);
        CustomerRecord added;
        added.strCustCompany = QStringLiteral("Added elsewhere");
        added.strCustFirstName = QStringLiteral("Ana");
        added.strCustLastName = QStringLiteral("Lima");
        CustomerStore(other.context).save(added);
        QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), before + 1, kRefreshMs);

        QCOMPARE(company->text(), QStringLiteral("Ünal & Söhne \"Dächer\""));
        QVERIFY(company->hasFocus());
        QVERIFY(action(window, "actSave")->isEnabled());
    }

    void receivablesKeepTheirSelectionWhenAPaymentArrivesElsewhere()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        SecondCopy other(session);
        QList<int> numbers;
        for (int i = 0; i < 5; ++i)
            numbers << saveInvoice(other.context, QStringLiteral("Owing %1").arg(i));

        TfrmReceivables window(session.context, QDate(2026, 12, 20));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *list = child<QTableView>(window, "lstvwReceivables");
        const int first = rowShowing(list, ReceivablesModel::Invoice, QString::number(numbers[1]));
        const int second = rowShowing(list, ReceivablesModel::Invoice, QString::number(numbers[3]));
        clickRow(list, first);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(list->model()->index(second, 1)).center());
        QCOMPARE(list->selectionModel()->selectedRows().size(), 2);

        Payment payment;
        payment.date = QDate(2026, 12, 19);
        payment.amount = 150;
        payment.reference = QStringLiteral("paid in full elsewhere");
        QCOMPARE(DocumentActions(other.context).recordPayment(numbers[2], payment),
                 DocumentActions::PaymentOutcome::PaidInFull);
        QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 4, kRefreshMs);

        QStringList selected;
        for (const QModelIndex &index : list->selectionModel()->selectedRows(ReceivablesModel::Invoice))
            selected << index.data().toString();
        selected.sort();
        QCOMPARE(selected, (QStringList{QString::number(numbers[1]), QString::number(numbers[3])}));
    }

    void thePriceSheetShowsChangesElsewhereAndKeepsAnItemBeingTyped()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        SecondCopy other(session);
        PriceItem renamed;
        renamed.strPrcItemName = QStringLiteral("Zz last of the list");
        renamed.dbLbrPrc = 10;
        renamed.intPrcItemNumID = PriceStore(other.context).save(renamed);

        TfrmPriceCorvalo window(session.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *list = child<QTableView>(window, "lstPrice");
        const int before = list->model()->rowCount();
        const int chosen = rowShowing(list, PriceListModel::Description, renamed.strPrcItemName);
        QVERIFY(chosen > 0);
        // Chosen with the keyboard's current row: a click would open the item.
        list->setCurrentIndex(list->model()->index(chosen, PriceListModel::Description));
        const qint64 id = renamed.intPrcItemNumID;

        renamed = *PriceStore(other.context).find(id);
        renamed.strPrcItemName = QStringLiteral("Zz \"Ünal's\" rail");
        (void)PriceStore(other.context).save(renamed);
        QTRY_COMPARE_WITH_TIMEOUT(list->currentIndex().siblingAtColumn(PriceListModel::Description).data().toString(),
                                  renamed.strPrcItemName, kRefreshMs);
        QCOMPARE(list->currentIndex().siblingAtColumn(PriceListModel::PriceItmID).data().toString(), QString::number(id));

        // An item being typed keeps what was typed while the list takes another's new item.
        clickRow(list, 0);
        auto *description = child<QLineEdit>(window, "txtPriceItmDiscription");
        description->setFocus();
        description->selectAll();
        typeText(description, QStringLiteral("Tür \"Eiche\" 2'"));
        PriceItem added;
        added.strPrcItemName = QStringLiteral("Added elsewhere");
        (void)PriceStore(other.context).save(added);
        QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), before + 1, kRefreshMs);
        QCOMPARE(description->text(), QStringLiteral("Tür \"Eiche\" 2'"));
        QVERIFY(description->hasFocus());
        QVERIFY(action(window, "actSave")->isEnabled());
    }

    void thePlannerShowsAnActivityAddedElsewhereWhereTheUserWas()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QDate today = QDate::currentDate();
        SecondCopy other(session);
        for (const QString &what : {QStringLiteral("First"), QStringLiteral("Second")}) {
            TrecActivityEdit activity = TrecActivityEdit::newOn(today);
            activity.strActivity = what;
            (void)ActivityStore(*other.context.openDatabase()).save(activity);
        }

        TfrmPlanner window(session.context, nullptr, today);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *list = child<QTableView>(window, "lvActivityEdit");
        const int before = list->model()->rowCount();
        const int chosen = rowShowing(list, ActivityListModel::Activity, QStringLiteral("Second"));
        QVERIFY(chosen >= 0);
        list->setCurrentIndex(list->model()->index(chosen, ActivityListModel::Activity));

        TrecActivityEdit activity = TrecActivityEdit::newOn(today);
        activity.strActivity = QStringLiteral("Added elsewhere: Zoë's \"visit\"");
        (void)ActivityStore(*other.context.openDatabase()).save(activity);
        QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), before + 1, kRefreshMs);
        QCOMPARE(list->currentIndex().siblingAtColumn(ActivityListModel::Activity).data().toString(),
                 QStringLiteral("Second"));
    }

    void theSalesReportShowsAPostingMadeElsewhere()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TfrmReport window(session.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *totals = child<QLabel>(window, "lblReportTotals");
        const QString before = totals->text();

        // A paid invoice of this month, saved on another PC, posts its amounts.
        SecondCopy other(session);
        CurrentDocument &doc = other.context.document;
        doc.header.blnNewInvoice = true;
        DocumentStore(other.context).pLoadInvoice();
        doc.header.strInvName = DocumentKinds::kInvoice;
        doc.header.strInvDate = QDate::currentDate();
        doc.header.strCustCmpnyName = QStringLiteral("Paid elsewhere");
        doc.header.strPaidInFull = true;
        doc.lines.appendPriceLine({QStringLiteral("Gate"), 1, 120, 30, false, false});
        (void)DocumentStore(other.context).pSaveInvoice();
        QTRY_VERIFY_WITH_TIMEOUT(totals->text() != before, kRefreshMs);
        QVERIFY2(totals->text().contains(QStringLiteral("150.00")), qPrintable(totals->text()));
    }

    void theWorkSheetPriceSheetShowsAPriceChangedElsewhereAndKeepsOneBeingTyped()
    {
        TestSession session(Edition::Heddrin);
        session.start();
        TfrmPriceHeddrin window(session.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(watching(window));
        auto *list = child<QTableView>(window, "lstPrice");
        QVERIFY(list->model()->rowCount() >= 3);
        const QString changed = list->model()->index(2, TfrmPriceHeddrin::PriceItmID).data().toString();
        clickRow(list, 0);
        auto *labor = child<QLineEdit>(window, "txtLaborPrice");
        labor->setFocus();
        labor->selectAll();
        typeText(labor, QStringLiteral("12.5"));

        SecondCopy other(session);
        WorkSheetPriceStore(other.context).saveCompanyPrice(changed.toInt(), 98.75, 1.25);
        QTRY_COMPARE_WITH_TIMEOUT(
            list->model()
                ->index(rowShowing(list, TfrmPriceHeddrin::PriceItmID, changed), TfrmPriceHeddrin::LabPrice)
                .data()
                .toString(),
            Money::decimalText(98.75, session.context.locale), kRefreshMs);
        QCOMPARE(labor->text(), QStringLiteral("12.5"));
        QVERIFY(labor->hasFocus());
        QVERIFY(action(window, "actSave")->isEnabled());
    }
};

QTEST_MAIN(TestChanges)
#include "test_changes.moc"
