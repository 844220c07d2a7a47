#include "ListWindows.h"
#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "customers/CustomerListModel.h"
#include "customers/TfrmCustomer.h"
#include "data/Database.h"
#include "editing/TfrmInvoiceStored.h"
#include "invoice/DocumentStore.h"
#include "prices/TfrmPriceCorvalo.h"
#include "printing/TmodPrintData.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

using namespace ListWindows;

namespace {

const QString kHostile = QStringLiteral("PO \"7\" O'Neil \u00c5ngstr\u00f6m");

/// Acts on the next modal window as soon as its own event loop runs; a window of
/// another class fails the test and is closed, so nothing hangs.
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

/// A program of one edition with the editor opened the way the main window opens it.
struct Session
{
    explicit Session(int edition)
        : s(edition)
    {
        s.start();
    }

    /// Starts a new document, or loads the saved one numbered \a number.
    std::unique_ptr<TfrmInvoiceStored> open(int number = 0)
    {
        TrecInvHeader &header = s.context.document.header;
        header.blnNewInvoice = number == 0;
        header.intInvNumber = number;
        DocumentStore(s.context).pLoadInvoice();
        auto editor = std::make_unique<TfrmInvoiceStored>(s.context);
        editor->show();
        return editor;
    }

    qint64 count(const QString &sql) { return s.db()->queryInt(sql); }
    int headers() { return int(count(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader"))); }
    int lines() { return int(count(QStringLiteral("SELECT COUNT(*) FROM tblInvData"))); }
    QString savedText(const QString &column, int number)
    {
        const std::unique_ptr<Database> db = s.db();
        Statement st = db->prepare(QStringLiteral("SELECT %1 FROM tblInvHeader WHERE intInvNumber = ?").arg(column));
        st.bind(1, number);
        return st.step() ? st.textAt(0) : QStringLiteral("<none>");
    }

    TestSession s;
};

void pickCustomer(TfrmInvoiceStored &editor, const QString &name)
{
    whenWindowOpens<TfrmCustomer>([name](TfrmCustomer &w) {
        auto *list = child<QTableView>(w, "lstvCustomers");
        clickRow(list, rowShowing(list, CustomerListModel::CustomerName, name));
    });
    QTest::mouseClick(child<QPushButton>(editor, "btnAddCustomer"), Qt::LeftButton);
}

void pickPriceItem(TfrmInvoiceStored &editor, int row, const QString &quantity)
{
    whenWindowOpens<TfrmPriceCorvalo>([row, quantity](TfrmPriceCorvalo &w) {
        clickRow(child<QTableView>(w, "lstPrice"), row);
        QTest::keyClicks(child<QLineEdit>(w, "txtQuantity"), quantity);
        QTest::mouseClick(child<QPushButton>(w, "btnAddPriceItnToInvoice"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(editor, "btnAddPriceItem"), Qt::LeftButton);
}

/// A new document with one customer and two lines.
void fillIn(TfrmInvoiceStored &editor)
{
    pickCustomer(editor, QStringLiteral("Jane Doe"));
    pickPriceItem(editor, 0, QStringLiteral("3"));
    pickPriceItem(editor, 1, QStringLiteral("2"));
}

/// Opens the Corvalo panel that holds the purchase order field, as the user would.
QLineEdit *purchaseOrder(TfrmInvoiceStored &editor)
{
    if (auto *panel = editor.findChild<QToolButton *>(QStringLiteral("CategoryPanelCustomer")))
        QTest::mouseClick(panel, Qt::LeftButton);
    return child<QLineEdit>(editor, "txtCustPO");
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

class TestEditorStored : public QObject
{
    Q_OBJECT

private slots:
    void editions_data()
    {
        QTest::addColumn<int>("edition");
        QTest::newRow("corvalo") << int(Edition::Corvalo);
        QTest::newRow("ostrev") << int(Edition::Ostrev);
    }

    void editions()
    {
        QFETCH(int, edition);
        Session t(edition);
        auto editor = t.open();
        const bool corvalo = edition == Edition::Corvalo;
        const QStringList kinds = items(child<QComboBox>(*editor, "cmbInvoiceType"));
        QCOMPARE(kinds.contains(QStringLiteral("Change Order")), corvalo);
        QCOMPARE(kinds.first(), QStringLiteral("Estimate"));
        QCOMPARE(editor->findChild<QSpinBox *>(QStringLiteral("SpinEditCustDiscount")) != nullptr, corvalo);
        QCOMPARE(editor->findChild<QLineEdit *>(QStringLiteral("txtInvoiceDiscount")) != nullptr, corvalo);
        QCOMPARE(editor->findChild<QCheckBox *>(QStringLiteral("ckbxRecurring")) != nullptr, corvalo);
        QCOMPARE(editor->findChild<QCheckBox *>(QStringLiteral("ckbxAddContract")) != nullptr, corvalo);
        QCOMPARE(action(*editor, "actPrintPreview")->isVisible(), corvalo);
        for (const char *name : {"actSave", "actDelete", "actPDF", "actPrint"})
            QVERIFY2(!action(*editor, name)->isEnabled(), name);

        if (corvalo) {
            // The panels open one at a time, and Tab follows the panels' order.
            QTest::mouseClick(child<QToolButton>(*editor, "CategoryPanelTax"), Qt::LeftButton);
            QVERIFY(child<QToolButton>(*editor, "CategoryPanelTax")->isChecked());
            QVERIFY(!child<QToolButton>(*editor, "CategoryPanelRequired")->isChecked());
            QVERIFY(child<QCheckBox>(*editor, "ckbxTaxExempt")->isVisible());
            QVERIFY(!child<QComboBox>(*editor, "cmbInvoiceType")->isVisible());
            // Each panel's header leads its controls.
            QCOMPARE(child<QCheckBox>(*editor, "ckbxRecurring")->nextInFocusChain()->objectName(),
                     QStringLiteral("CategoryPanelCustomer"));
        } else {
            // The markers show what the document still lacks.
            auto *customerMark = child<QLabel>(*editor, "lblArtskCustomer");
            auto *lineMark = child<QLabel>(*editor, "lblArtskPriceItem");
            QVERIFY(customerMark->isVisible() && lineMark->isVisible());
            pickCustomer(*editor, QStringLiteral("Jane Doe"));
            QVERIFY(!customerMark->isVisible() && lineMark->isVisible());
            QVERIFY(!action(*editor, "actSave")->isEnabled());
            pickPriceItem(*editor, 0, QStringLiteral("1"));
            QVERIFY(!lineMark->isVisible());
            QVERIFY(action(*editor, "actSave")->isEnabled());
        }
    }

    void newSaveReopenCloseDelete_data() { editions_data(); }

    void newSaveReopenCloseDelete()
    {
        QFETCH(int, edition);
        Session t(edition);
        DocumentStore store(t.s.context);
        const int number = store.GetInvoiceNumber();
        {
            auto editor = t.open();
            fillIn(*editor);
            QCOMPARE(t.s.context.document.lines.rowCount(), 2);
            QTest::keyClicks(purchaseOrder(*editor), QStringLiteral("PO-17"));
            child<QLineEdit>(*editor, "txtcustTaxExemptNumber")->setText(kHostile);
            QVERIFY(action(*editor, "actSave")->isEnabled());

            action(*editor, "actSave")->trigger();
            QCOMPARE(t.headers(), 1);
            QCOMPARE(t.lines(), 2);
            QCOMPARE(store.GetInvoiceNumber(), number + 1);
            QCOMPARE(t.savedText(QStringLiteral("strCustPONumber"), number), QStringLiteral("PO-17"));
            QCOMPARE(t.savedText(QStringLiteral("strCustTaxExemptNum"), number), kHostile);
            QVERIFY(!action(*editor, "actSave")->isEnabled());
            QVERIFY(action(*editor, "actDelete")->isEnabled());
            QVERIFY(!t.s.context.document.header.blnNewInvoice);
            const QStringList expected = edition == Edition::Corvalo
                ? QStringList{"Estimate", "Work Order", "Change Order", "Invoice"}
                : QStringList{"Estimate", "Work Order", "Invoice"};
            QCOMPARE(items(child<QComboBox>(*editor, "cmbInvoiceType")), expected);

            // Closing right after saving asks nothing.
            editor->close();
            QVERIFY(!editor->isVisible());
            QVERIFY(t.s.prompts.asked.isEmpty());
        }

        auto editor = t.open(number);
        QCOMPARE(child<QLineEdit>(*editor, "txtCustPO")->text(), QStringLiteral("PO-17"));
        QVERIFY(!action(*editor, "actSave")->isEnabled());
        QVERIFY(action(*editor, "actDelete")->isEnabled());
        child<QComboBox>(*editor, "cmbInvoiceType")->setCurrentText(QStringLiteral("Invoice"));
        QTest::keyClicks(purchaseOrder(*editor), QStringLiteral("X"));
        const QString question = QStringLiteral("Save changes to Invoice %1?").arg(number);

        t.s.prompts.answers = {Prompts::Cancel};
        editor->close();
        QVERIFY(editor->isVisible());
        QCOMPARE(t.s.prompts.lastMessage(), question);
        QCOMPARE(t.savedText(QStringLiteral("strInvName"), number), QStringLiteral("Estimate"));

        t.s.prompts.answers = {Prompts::No};
        editor->close();
        QVERIFY(!editor->isVisible());
        QCOMPARE(t.savedText(QStringLiteral("strCustPONumber"), number), QStringLiteral("PO-17"));

        editor = t.open(number);
        child<QComboBox>(*editor, "cmbInvoiceType")->setCurrentText(QStringLiteral("Invoice"));
        QTest::keyClicks(purchaseOrder(*editor), QStringLiteral("X"));
        t.s.prompts.answers = {Prompts::Yes};
        editor->close();
        QVERIFY(!editor->isVisible());
        // An update rewrites the one header and the one set of lines.
        QCOMPARE(t.headers(), 1);
        QCOMPARE(t.lines(), 2);
        QCOMPARE(t.savedText(QStringLiteral("strInvName"), number), QStringLiteral("Invoice"));
        QCOMPARE(t.savedText(QStringLiteral("strCustPONumber"), number), QStringLiteral("PO-17X"));
        QCOMPARE(store.GetInvoiceNumber(), number + 1);

        editor = t.open(number);
        QVERIFY(!child<QComboBox>(*editor, "cmbInvoiceType")->isEnabled());
        t.s.prompts.asked.clear();
        t.s.prompts.answers = {Prompts::No};
        action(*editor, "actDelete")->trigger();
        QVERIFY(editor->isVisible());
        QCOMPARE(t.s.prompts.lastMessage(), QStringLiteral("Delete Invoice %1?").arg(number));
        QCOMPARE(t.headers(), 1);

        // A change not yet saved must not bring the deleted document back.
        QTest::keyClicks(purchaseOrder(*editor), QStringLiteral("Y"));
        t.s.prompts.answers = {Prompts::Yes};
        action(*editor, "actDelete")->trigger();
        QVERIFY(!editor->isVisible());
        QCOMPARE(t.headers(), 0);
        QCOMPARE(t.lines(), 0);
        QCOMPARE(t.s.prompts.asked.size(), 2);
        QCOMPARE(t.s.prompts.unplanned, 0);
    }

    void taxRatesAreAskedOncePerOpening()
    {
        Session t(Edition::Corvalo);
        const int number = DocumentStore(t.s.context).GetInvoiceNumber();
        {
            auto editor = t.open();
            fillIn(*editor);
            action(*editor, "actSave")->trigger();
            editor->close();
        }
        t.s.context.company.invData.dbTaxRate1 += 1.5;
        t.s.prompts.answers = {Prompts::No};
        auto editor = t.open(number);
        QTest::keyClicks(purchaseOrder(*editor), QStringLiteral("7"));
        action(*editor, "actSave")->trigger();
        QCOMPARE(t.s.prompts.messages(QStringLiteral("YesNo")).size(), 1); // saving does not ask again
        QVERIFY(!action(*editor, "actSave")->isEnabled());
        editor->close();
        QVERIFY(!editor->isVisible());
        QCOMPARE(t.s.prompts.asked.size(), 1);
    }

    void replacedTaxRatesCountAsAChange()
    {
        Session t(Edition::Ostrev);
        const int number = DocumentStore(t.s.context).GetInvoiceNumber();
        {
            auto editor = t.open();
            fillIn(*editor);
            action(*editor, "actSave")->trigger();
            editor->close();
        }
        t.s.context.company.invData.dbTaxRate1 += 1.5;
        const double current = t.s.context.company.invData.dbTaxRate1;

        t.s.prompts.answers = {Prompts::No};
        auto editor = t.open(number);
        QVERIFY(!action(*editor, "actSave")->isEnabled());
        QVERIFY(t.s.context.document.header.dbTaxRate1 != current);
        editor->close();
        QVERIFY(!editor->isVisible());

        t.s.prompts.answers = {Prompts::Yes};
        editor = t.open(number);
        QCOMPARE(t.s.prompts.messages(QStringLiteral("YesNo")).last(),
                 QStringLiteral("Saved Tax Rates for Estimate %1 are different than current Tax Rates, "
                                "Do you want to update to current Tax Rates?").arg(number));
        QVERIFY(action(*editor, "actSave")->isEnabled());
        t.s.prompts.answers = {Prompts::Yes};
        editor->close();
        const std::unique_ptr<Database> db = t.s.db();
        Statement saved = db->prepare(QStringLiteral("SELECT dbTaxRate1 FROM tblInvHeader WHERE intInvNumber = ?"));
        saved.bind(1, number);
        QVERIFY(saved.step());
        QCOMPARE(saved.doubleAt(0), current);
    }

    void lockedDatabaseKeepsTheDocumentUnsaved()
    {
        Session t(Edition::Ostrev);
        const int number = DocumentStore(t.s.context).GetInvoiceNumber();
        auto editor = t.open();
        fillIn(*editor);
        {
            // Another program holds the write lock longer than the (shortened) wait.
            BusyPolicy::setTotalWaitMs(100);
            const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
            const std::unique_ptr<Database> other = t.s.db();
            other->exec(QStringLiteral("BEGIN IMMEDIATE"));
            action(*editor, "actSave")->trigger();
            QCOMPARE(t.s.prompts.messages(QStringLiteral("Error")),
                     QStringList({"The company database is in use by another program. Try again in a moment."}));
            QVERIFY(t.s.prompts.errorDetails.last().contains(QStringLiteral("locked")));
            other->exec(QStringLiteral("ROLLBACK"));
        }
        QVERIFY(editor->isVisible());
        QVERIFY(action(*editor, "actSave")->isEnabled());
        QVERIFY(!action(*editor, "actDelete")->isEnabled());
        QVERIFY(t.s.context.document.header.blnNewInvoice);
        QCOMPARE(t.s.context.document.header.intInvNumber, number);
        QCOMPARE(t.s.context.document.lines.rowCount(), 2);
        QCOMPARE(t.headers(), 0);
        QCOMPARE(DocumentStore(t.s.context).GetInvoiceNumber(), number);

        // Closing still offers to save, and once the lock is gone the save lands.
        t.s.prompts.answers = {Prompts::Yes};
        editor->close();
        QVERIFY(!editor->isVisible());
        QCOMPARE(t.headers(), 1);
        QCOMPARE(t.lines(), 2);
    }

    void pdfIsWrittenToTheChosenFile()
    {
        Session t(Edition::Corvalo);
        TmodPrintData printing(t.s.context);
        t.s.context.printModule = &printing;
        const auto detach = qScopeGuard([&t] { t.s.context.printModule = nullptr; });
        const int number = DocumentStore(t.s.context).GetInvoiceNumber();
        auto editor = t.open();
        fillIn(*editor);
        QTest::keyClicks(purchaseOrder(*editor), QStringLiteral("PO-4411"));
        const QString path = t.s.folder.path() + QStringLiteral("/chosen.pdf");
        t.s.prompts.choices << path;
        action(*editor, "actPDF")->trigger();
        QVERIFY(QFile::exists(path));
        // The purchase order typed in the editor reaches the printout.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("PO-4411")));
        QCOMPARE(t.s.prompts.asked.last().message, QStringLiteral("Save Estimate %1 as .pdf Document").arg(number));

        // Cancelling the file choice writes nothing; neither PDF nor print stores or numbers.
        QFile::remove(path);
        action(*editor, "actPDF")->trigger();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(t.headers(), 0);
        QCOMPARE(DocumentStore(t.s.context).GetInvoiceNumber(), number);
    }

    void printDoesNotConsumeNumbers()
    {
        Session t(Edition::Ostrev);
        RecordingPrintModule printing(t.s.context);
        const int number = DocumentStore(t.s.context).GetInvoiceNumber();
        auto editor = t.open();
        fillIn(*editor);
        action(*editor, "actPrint")->trigger();
        action(*editor, "actPrint")->trigger();
        QCOMPARE(printing.calls, QStringList({"print 1", "print 1"}));
        QCOMPARE(DocumentStore(t.s.context).GetInvoiceNumber(), number);
    }

    void taxExemptAndFootNotes()
    {
        Session t(Edition::Ostrev);
        TrecCmpnyInvData &company = t.s.context.company.invData;
        company.dbTaxRate1 = 5;
        company.strInvFootNote[2] = QStringLiteral("Second \"note\"");
        auto editor = t.open();
        auto *tax1 = child<QCheckBox>(*editor, "ckbxTaxRate1");
        QVERIFY(tax1->isEnabled());
        tax1->setChecked(true);
        QVERIFY(t.s.context.document.header.strUseTax1);
        child<QCheckBox>(*editor, "ckbxTaxExempt")->setChecked(true);
        QVERIFY(!tax1->isChecked());
        tax1->setChecked(true);
        QVERIFY(!tax1->isChecked());
        QVERIFY(t.s.context.document.header.strCustTaxExempt);
        QVERIFY(!t.s.context.document.header.strUseTax1);

        auto *notes = child<QComboBox>(*editor, "cmbFootNotes");
        auto *memo = child<QPlainTextEdit>(*editor, "txtInvoiceFootNotes");
        QVERIFY(memo->isHidden());
        notes->setCurrentIndex(2);
        QVERIFY(!memo->isHidden());
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->toPlainText(), QStringLiteral("Second \"note\""));
        QCOMPARE(t.s.context.document.header.intInvFootNotes, 2);
        QCOMPARE(t.s.context.document.print.strInvFootNotes, QStringLiteral("Second \"note\""));
        notes->setCurrentIndex(0);
        QVERIFY(memo->isHidden());
        QVERIFY(t.s.context.document.print.strInvFootNotes.isEmpty());
    }

    void recurringOnlyForUnpaidInvoices()
    {
        Session t(Edition::Corvalo);
        auto editor = t.open();
        auto *kind = child<QComboBox>(*editor, "cmbInvoiceType");
        auto *recurring = child<QCheckBox>(*editor, "ckbxRecurring");
        QVERIFY(!recurring->isEnabled());
        kind->setCurrentText(QStringLiteral("Invoice"));
        QVERIFY(recurring->isEnabled());
        recurring->setChecked(true);
        QVERIFY(t.s.context.document.header.strRecurring);
        kind->setCurrentText(QStringLiteral("Estimate"));
        QVERIFY(!recurring->isChecked());
        QVERIFY(!recurring->isEnabled());
        QVERIFY(!t.s.context.document.header.strRecurring);

        kind->setCurrentText(QStringLiteral("Invoice"));
        recurring->setChecked(true);
        t.s.context.document.header.strPaidInFull = true;
        child<QSpinBox>(*editor, "SpinEditCustDiscount")->stepUp();
        QCOMPARE(t.s.prompts.messages(QStringLiteral("Information")),
                 QStringList{"Invoice can not be Paid In Full and Recurring"});
        QVERIFY(!recurring->isChecked());
        QVERIFY(!recurring->isEnabled());
        QVERIFY(!t.s.context.document.header.strRecurring);
        QCOMPARE(t.s.context.document.header.intCustDiscountPercent, 1);
    }
};

QTEST_MAIN(TestEditorStored)
#include "test_editor_stored.moc"
