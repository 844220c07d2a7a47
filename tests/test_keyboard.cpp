#include "KeyboardDriving.h"
#include "ListWindows.h"
#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "app/TfrmMain.h"
#include "core/Edition.h"
#include "customers/TfrmCustomer.h"
#include "data/Database.h"
#include "editing/MaintenanceQuery.h"
#include "editing/TfrmInvoiceLunvard.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "editing/TfrmInvoiceStored.h"
#include "editing/TfrmPaidAndDeposit.h"
#include "editing/TfrmRecordPayment.h"
#include "invoice/DocumentStore.h"
#include "invoice/InvoiceLines.h"
#include "invoice/Payments.h"
#include "prices/TfrmPriceCorvalo.h"
#include "widgets/InputGuards.h"
#include "worksheets/TfrmInvoiceHeddrin.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QStyleHints>
#include <QTabBar>
#include <QToolTip>

using namespace KeyboardDriving;
using ListWindows::child;

namespace {

qint64 count(const TestSession &s, const QString &sql)
{
    return s.db()->queryInt(sql);
}

/// Chooses the maintenance type \a type in the closed drop-down with the arrow keys.
void chooseType(QComboBox *types, MaintenanceType type)
{
    QCOMPARE(focused(), types);
    press(Qt::Key_Home);
    for (int i = 0; i < types->count() && MaintenanceType(types->currentData().toInt()) != type; ++i)
        press(Qt::Key_Down);
    QCOMPARE(MaintenanceType(types->currentData().toInt()), type);
}

/// Adds row \a row of the price sheet to the document open in \a editor, with keys.
void addLineByKeys(TfrmInvoiceStored &editor, int row, const QString &quantity)
{
    auto added = whenOpen<TfrmPriceCorvalo>([row, quantity](TfrmPriceCorvalo &p) {
        QVERIFY(tabTo(child<QTableView>(p, "lstPrice")));
        press(Qt::Key_Home);
        for (int down = 0; down < row; ++down)
            press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(focused(), child<QLineEdit>(p, "txtQuantity"));
        type(quantity);
        press(Qt::Key_Return);
    });
    QVERIFY(tabTo(child<QPushButton>(editor, "btnAddPriceItem")));
    press(Qt::Key_Space);
    QTRY_VERIFY(*added);
}

/// A new document in the stored-document editor, opened as the main window opens it.
std::unique_ptr<TfrmInvoiceStored> newStoredEditor(TestSession &s)
{
    s.context.document.header.blnNewInvoice = true;
    DocumentStore(s.context).pLoadInvoice();
    auto editor = std::make_unique<TfrmInvoiceStored>(s.context);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    (void)QTest::qWaitForWindowActive(editor.get());
    return editor;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void corvaloEstimateFromNewToPaidWithKeysOnly()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        RecordingPrintModule printer(s.context);
        TfrmMain main(s.context);
        main.show();
        QApplication::setActiveWindow(&main);
        QVERIFY(QTest::qWaitForWindowActive(&main));

        auto edited = whenOpen<TfrmInvoiceStored>([&](TfrmInvoiceStored &e) {
            auto *kind = child<QComboBox>(e, "cmbInvoiceType");
            QCOMPARE(focused(), kind); // the first field
            QCOMPARE(kind->currentText(), QStringLiteral("Estimate"));

            // The date, in its closed panel: the panel's letter opens it.
            pressAltFor(child<QToolButton>(e, "CategoryPanelInvoice")->text());
            QTRY_VERIFY(child<QWidget>(e, "dateTimePickerInvoice")->isVisible());
            QVERIFY(tabTo(child<QWidget>(e, "dateTimePickerInvoice")));
            type(QStringLiteral("2026-10-01"));
            press(Qt::Key_Tab);
            QCOMPARE(s.context.document.header.strInvDate, QDate(2026, 10, 1));

            // The customer: the picker's search, Enter on the single match.
            auto picked = whenOpen<TfrmCustomer>([](TfrmCustomer &c) {
                auto *searchBy = child<QComboBox>(c, "cmboCustSearch");
                QVERIFY(tabTo(searchBy));
                while (searchBy->currentText() != QStringLiteral("Company Name"))
                    press(Qt::Key_Down);
                QCOMPARE(focused(), child<QLineEdit>(c, "txtCustSearch"));
                type(QStringLiteral("Janes"));
                press(Qt::Key_Return);
            });
            QVERIFY(tabTo(child<QPushButton>(e, "btnAddCustomer"), true));
            press(Qt::Key_Space);
            QTRY_VERIFY(*picked);
            QCOMPARE(s.context.document.header.strCustFullName, QStringLiteral("Jane Doe"));

            // Three lines from the price sheet.
            for (int i = 0; i < 3; ++i) {
                auto added = whenOpen<TfrmPriceCorvalo>([i](TfrmPriceCorvalo &p) {
                    QVERIFY(tabTo(child<QTableView>(p, "lstPrice")));
                    press(Qt::Key_Home);
                    for (int down = 0; down < i; ++down)
                        press(Qt::Key_Down);
                    press(Qt::Key_Return);
                    QCOMPARE(focused(), child<QLineEdit>(p, "txtQuantity"));
                    type(QString::number(i + 2));
                    press(Qt::Key_Return);
                });
                QVERIFY(tabTo(child<QPushButton>(e, "btnAddPriceItem")));
                press(Qt::Key_Space);
                QTRY_VERIFY(*added);
                QCOMPARE(s.context.document.lines.rowCount(), i + 1);
            }

            // The deposit, in the customer panel.
            pressAltFor(child<QToolButton>(e, "CategoryPanelCustomer")->text());
            QTRY_VERIFY(child<QWidget>(e, "btnPaidDeposit")->isVisible());
            auto deposit = whenOpen<TfrmPaidAndDeposit>([](TfrmPaidAndDeposit &d) {
                QCOMPARE(focused(), child<QLineEdit>(d, "txtPaidAndDeposit"));
                type(QStringLiteral("100"));
                press(Qt::Key_Return);
                QVERIFY(!d.isVisible());
            });
            QVERIFY(tabTo(child<QPushButton>(e, "btnPaidDeposit")));
            press(Qt::Key_Space);
            QTRY_VERIFY(*deposit);
            QCOMPARE(s.context.document.header.dbDepositAmount, 100.0);

            press(Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(s.prompts.messages("Error"), QStringList());
            press(Qt::Key_Escape); // saved: closes without a question
        });
        press(Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(*edited);
        QCOMPARE(count(s, "SELECT COUNT(*) FROM tblInvHeader WHERE strInvName = 'Estimate'"), 1);
        const int number = int(count(s, "SELECT MAX(intInvNumber) FROM tblInvHeader"));
        QCOMPARE(count(s, "SELECT COUNT(*) FROM tblInvData"), 3);

        auto maintained = whenOpen<TfrmInvoiceMaintenance>([&](TfrmInvoiceMaintenance &m) {
            auto *types = child<QComboBox>(m, "cmboInvMaintenanceType");
            auto *list = child<QTableView>(m, "lstvwInvMaintenance");
            chooseType(types, MaintenanceType::EstimateOrWorkOrderToInvoice);
            QCOMPARE(s.prompts.asked.size(), 0); // choosing a type acts on nothing
            QVERIFY(tabTo(list));
            s.prompts.answers = {Prompts::Yes};
            press(Qt::Key_Return);
            QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Convert Estimate %1 to Invoice?").arg(number));

            // A payment on the invoice.
            QVERIFY(tabTo(types, true));
            chooseType(types, MaintenanceType::ViewAll);
            QVERIFY(tabTo(list));
            QCOMPARE(list->model()->rowCount(), 1);
            auto paid = whenOpen<TfrmRecordPayment>([](TfrmRecordPayment &r) {
                QCOMPARE(focused(), child<QLineEdit>(r, "txtPaymentAmount"));
                QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
                type(QStringLiteral("50"));
                press(Qt::Key_Return);
                press(Qt::Key_Escape);
            });
            pressAltFor(child<QAction>(m, "actRecordPayment")->text());
            QTRY_VERIFY(*paid);

            // The invoice in the editor: preview, then close.
            QVERIFY(tabTo(list));
            auto previewed = whenOpen<TfrmInvoiceStored>([](TfrmInvoiceStored &e) {
                pressAltFor(child<QAction>(e, "actPrintPreview")->text());
                press(Qt::Key_Escape);
            });
            press(Qt::Key_Return);
            QTRY_VERIFY(*previewed);
            press(Qt::Key_Escape);
        });
        // Through the Invoice menu: its title's letter, then the command's.
        pressAltFor(child<QMenu>(main, "mnuInvoice")->title());
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(),
                        Qt::Key(markedLetter(child<QAction>(main, "actInvoiceMaintenance")->text()).unicode()));
        QTRY_VERIFY(*maintained);

        QCOMPARE(count(s, "SELECT COUNT(*) FROM tblInvHeader WHERE strInvName = 'Invoice'"), 1);
        QCOMPARE(count(s, QStringLiteral("SELECT COUNT(*) FROM tblPayments WHERE intInvNumber = %1 "
                                         "AND dbPaymentAmount = 50").arg(number)),
                 1);
        QVERIFY(printer.calls.contains(QStringLiteral("preview %1").arg(PrintKind::CurrentDocument)));
        QCOMPARE(s.prompts.messages("Error"), QStringList());
        QCOMPARE(s.prompts.unplanned, 0);
    }

    void mainWindowCommandsAnswerToTheirLetter()
    {
        TestSession s(Edition::Lunvard);
        s.start();
        TfrmMain main(s.context);
        main.show();
        QApplication::setActiveWindow(&main);
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto opened = whenOpen<TfrmInvoiceLunvard>([](TfrmInvoiceLunvard &) { press(Qt::Key_Escape); });
        pressAltFor(child<QAction>(main, "actNewInvoice")->text());
        QTRY_VERIFY(*opened);
    }

    void unsavableNewDocumentIsNotDiscardedByOneKey()
    {
        TestSession s(Edition::Corvalo);
        s.start();
        const auto editor = newStoredEditor(s);
        for (int i = 0; i < 3; ++i)
            addLineByKeys(*editor, i, QStringLiteral("1"));
        QCOMPARE(s.context.document.lines.rowCount(), 3);

        // No customer yet, so it cannot be saved: Escape asks, and No (the default) keeps it.
        s.prompts.answers = {Prompts::No};
        press(Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        QCOMPARE(s.prompts.asked.size(), 1);
        QCOMPARE(s.prompts.asked.last().kind, QStringLiteral("YesNo"));
        QCOMPARE(s.prompts.asked.last().message, QStringLiteral("Discard the unsaved Estimate 500?"));
        QCOMPARE(s.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(s.context.document.lines.rowCount(), 3);

        // An unanswered question (the box closed) keeps it too; only Yes discards.
        press(Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        s.prompts.answers = {Prompts::Yes};
        press(Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(count(s, "SELECT COUNT(*) FROM tblInvHeader"), 0);

        // A new document nothing was typed into closes without a word.
        const auto untouched = newStoredEditor(s);
        const qsizetype asked = s.prompts.asked.size();
        press(Qt::Key_Escape);
        QVERIFY(!untouched->isVisible());
        QCOMPARE(s.prompts.asked.size(), asked);
    }

    void unprintedChangesAreKeptByEnter()
    {
        TestSession s(Edition::Lunvard);
        s.start();
        s.context.document.header.blnNewInvoice = true;
        DocumentStore(s.context).pLoadInvoice();
        TfrmInvoiceLunvard editor(s.context);
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        s.context.document.lines.appendPriceLine({QStringLiteral("Gutter"), 1, 80, 20, true, true});
        child<QComboBox>(editor, "cmbInvoiceType")->setCurrentIndex(1); // a change the editor sees
        s.prompts.answers = {Prompts::No};
        press(Qt::Key_Escape);
        QVERIFY(editor.isVisible());
        QVERIFY(s.prompts.lastMessage().endsWith(QLatin1String("has changes that were not printed. Close it and discard them?")));
        QCOMPARE(s.prompts.asked.last().preferred, Prompts::No);
    }

    void choosingAMaintenanceTypeActsOnNothing()
    {
        TestSession s(Edition::Corvalo);
        s.start();
        s.context.document.header.blnNewInvoice = true;
        DocumentStore(s.context).pLoadInvoice();
        s.context.document.header.strInvName = QStringLiteral("Invoice");
        s.context.document.header.strCustFullName = QStringLiteral("Jane Doe");
        s.context.document.lines.appendPriceLine({QStringLiteral("Gutter"), 1, 80, 20, true, true});
        const int number = DocumentStore(s.context).pSaveInvoice();

        TfrmInvoiceMaintenance window(s.context);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *types = child<QComboBox>(window, "cmboInvMaintenanceType");
        QCOMPARE(focused(), types);
        // Through the open drop-down, as a user picks from it: Enter only chooses.
        for (MaintenanceType type : {MaintenanceType::InvoiceToCredit, MaintenanceType::AddRecurring,
                                     MaintenanceType::Delete, MaintenanceType::ViewAll}) {
            press(Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(types->view()->isVisible());
            const int index = types->findData(int(type));
            QVERIFY(index >= 0);
            types->view()->setCurrentIndex(types->model()->index(index, 0));
            QTest::keyClick(types->view(), Qt::Key_Return);
            QTRY_VERIFY(!types->view()->isVisible());
            QCOMPARE(types->currentIndex(), index);
            QCOMPARE(focused(), types);
            press(Qt::Key_Return); // Enter again on the closed drop-down acts on nothing either
        }
        QCOMPARE(s.prompts.asked.size(), 0);
        QCOMPARE(count(s, QStringLiteral("SELECT COUNT(*) FROM tblInvHeader WHERE intInvNumber = %1 AND "
                                         "strInvName = 'Invoice' AND strRecurring = '0'").arg(number)),
                 1);

        // Acting takes the list: a destructive type asks with No as the default.
        types->setCurrentIndex(types->findData(int(MaintenanceType::Delete)));
        QVERIFY(tabTo(child<QTableView>(window, "lstvwInvMaintenance")));
        s.prompts.answers = {Prompts::No};
        press(Qt::Key_Return);
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Delete Invoice %1?").arg(number));
        QCOMPARE(s.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(count(s, "SELECT COUNT(*) FROM tblInvHeader"), 1);
    }

    void doubleClickOnPrintPrintsOnceUnderOneNumber()
    {
        TestSession s(Edition::Lunvard);
        s.start();
        s.context.document.header.blnNewInvoice = true;
        DocumentStore(s.context).pLoadInvoice();
        s.context.document.header.strCustFullName = QStringLiteral("Jane Doe");
        s.context.document.lines.appendPriceLine({QStringLiteral("Gutter"), 1, 80, 20, true, true});
        TfrmInvoiceLunvard editor(s.context);
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        child<QComboBox>(editor, "cmbInvoiceType")->setCurrentIndex(0);
        RecordingPrintModule printer(s.context);
        QAction *print = child<QAction>(editor, "actPrint");
        QVERIFY(print->isEnabled());
        QToolButton *button = nullptr;
        for (QObject *shown : print->associatedObjects()) {
            if (auto *candidate = qobject_cast<QToolButton *>(shown))
                button = candidate;
        }
        QVERIFY(button);

        // While the job is sent, Print and PDF are off and a click there does nothing.
        bool offWhilePrinting = false;
        printer.whilePrinting = [&] {
            offWhilePrinting = !print->isEnabled();
            print->trigger();
        };
        QTest::mouseDClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton); // the rest of a quick double click
        QVERIFY(offWhilePrinting);
        QCOMPARE(printer.calls.size(), 1);
        QCOMPARE(printer.documentNumbers, QList<int>{500});
        QVERIFY(print->isEnabled());

        // A click after the double-click time is a new job with its own number.
        printer.whilePrinting = {};
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(printer.documentNumbers, QList<int>({500, 501}));
    }

    void readOnlyListsGoHomeAndEndAndLetTabOut()
    {
        TestSession s(Edition::Corvalo);
        s.start();
        TfrmCustomer customers(s.context);
        customers.show();
        QApplication::setActiveWindow(&customers);
        QVERIFY(QTest::qWaitForWindowActive(&customers));
        auto *list = child<QTableView>(customers, "lstvCustomers");
        const int rows = list->model()->rowCount();
        QVERIFY(rows >= 3);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(1, 1));
        press(Qt::Key_End);
        QCOMPARE(list->currentIndex().row(), rows - 1);
        press(Qt::Key_Home);
        QCOMPARE(list->currentIndex().row(), 0);
        press(Qt::Key_Tab);
        QVERIFY(focused() != list);
        QVERIFY(tabTo(list, true));
        QCOMPARE(list->currentIndex().row(), 0);
    }

    void searchTextLeadsToTheList()
    {
        TestSession s(Edition::Corvalo);
        s.start();
        s.context.document.header.blnNewInvoice = true;
        DocumentStore(s.context).pLoadInvoice();
        TfrmCustomer picker(s.context, nullptr, ListUse::PickForDocument);
        picker.show();
        QApplication::setActiveWindow(&picker);
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        auto *searchBy = child<QComboBox>(picker, "cmboCustSearch");
        searchBy->setFocus();
        searchBy->setCurrentIndex(searchBy->findText(QStringLiteral("Last Name")));
        auto *text = child<QLineEdit>(picker, "txtCustSearch");
        QCOMPARE(focused(), text);
        press(Qt::Key_Return); // every customer listed: Enter goes on to the list
        QCOMPARE(focused(), child<QTableView>(picker, "lstvCustomers"));
        QVERIFY(picker.isVisible());
        QVERIFY(tabTo(text, true));
        searchBy->setCurrentIndex(searchBy->findText(QStringLiteral("Company Name")));
        type(QStringLiteral("Janes"));
        press(Qt::Key_Return); // one match: Enter picks it
        QVERIFY(!picker.isVisible());
        QCOMPARE(s.context.document.header.strCustFullName, QStringLiteral("Jane Doe"));
    }

    void limitedFieldsSayWhenTextIsCutAndRefuseControlCharacters()
    {
        TestSession s(Edition::Corvalo);
        s.start();
        s.context.document.header.blnNewInvoice = true;
        DocumentStore(s.context).pLoadInvoice();
        QList<Payment> recorded;
        TfrmRecordPayment window(
            s.context, [&](const Payment &payment) { recorded << payment; return true; }, [](int) { return false; });
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *note = child<QLineEdit>(window, "txtPaymentNote");
        note->setFocus();

        // A paste longer than the field: what fits is taken, and the field says so.
        QToolTip::hideText();
        QApplication::clipboard()->setText(QString(300, QChar(u'\u00e9')));
        note->paste();
        QCOMPARE(note->text().size(), note->maxLength());
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(QString::number(note->maxLength())));

        // A NUL (or any control character) is refused whole, visibly, and nothing else is lost.
        note->clear();
        type(QStringLiteral("Paid \"cash\" O'Neil"));
        QToolTip::hideText();
        QApplication::clipboard()->setText(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"));
        note->paste();
        QCOMPARE(note->text(), QStringLiteral("Paid \"cash\" O'Neil"));
        QVERIFY(!note->text().contains(QChar(0)));
        QTRY_VERIFY(QToolTip::isVisible());
    }

    void heddrinFinancialFieldsFromTheKeyboard()
    {
        TestSession s(Edition::Heddrin);
        s.start();
        s.context.document.header.blnNewInvoice = true;
        DocumentStore(s.context).pLoadInvoice();
        s.context.document.header.strCustFullName = QStringLiteral("Jane Doe");
        TfrmInvoiceHeddrin editor(s.context);
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QVERIFY(editor.minimumWidth() < editor.maximumWidth()); // it can be made wider

        QTabBar *tabs = editor.findChild<QTabBar *>();
        QVERIFY(tabs);
        const int financial = [&] {
            for (int i = 0; i < tabs->count(); ++i) {
                if (QString(tabs->tabText(i)).remove(QLatin1Char('&')) == QStringLiteral("Financial"))
                    return i;
            }
            return -1;
        }();
        QVERIFY(financial >= 0);
        pressAltFor(tabs->tabText(financial));
        QCOMPARE(tabs->currentIndex(), financial);

        auto deposit = whenOpen<TfrmPaidAndDeposit>([](TfrmPaidAndDeposit &d) {
            QCOMPARE(focused(), child<QLineEdit>(d, "txtPaidAndDeposit"));
            type(QStringLiteral("100"));
            press(Qt::Key_Return);
        });
        QVERIFY(tabTo(child<QToolButton>(editor, "btnactPaidDeposit")));
        press(Qt::Key_Space);
        QTRY_VERIFY(*deposit);
        QCOMPARE(s.context.document.header.dbDepositAmount, 100.0);

        QVERIFY(tabTo(child<QSpinBox>(editor, "SpinEditCustDiscount")));
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        QCOMPARE(s.context.document.header.intCustDiscountPercent, 2);

        QVERIFY(tabTo(child<QLineEdit>(editor, "txtCustPO")));
        type(QStringLiteral("PO \"7\""));
        QVERIFY(tabTo(child<QLineEdit>(editor, "txtcustTaxExemptNumber")));
        type(QStringLiteral("EX-1"));
        QCOMPARE(s.context.document.header.strCustPONumber, QStringLiteral("PO \"7\""));
        QCOMPARE(s.context.document.header.strCustTaxExemptNum, QStringLiteral("EX-1"));

        QVERIFY(tabTo(child<QToolButton>(editor, "btnactTaxExempt")));
        press(Qt::Key_Space);
        QVERIFY(s.context.document.header.strCustTaxExempt);

        // The whole page is walked by Tab and Shift+Tab alike.
        QVERIFY(tabTo(child<QToolButton>(editor, "btnactPaidDeposit"), true));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
