#include "ListWindows.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "invoice/DocumentStore.h"
#include "prices/PriceListModel.h"
#include "prices/PriceStore.h"
#include "prices/TfrmPriceCorvalo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ListWindows;

namespace {

struct Session : TestSession
{
    explicit Session(int edition = Edition::Corvalo, QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : TestSession(edition)
        , store(context)
    {
        context.locale = locale;
        start(QDate(2026, 12, 9));
    }

    qint64 add(const QString &name, double labor = 1, double material = 0, bool laborTax = false,
               bool materialTax = false)
    {
        return store.save({0, name, laborTax, materialTax, labor, material});
    }

    QStringList names(PriceSearch kind, const QString &text = {})
    {
        QStringList result;
        for (const PriceItem &item : store.list(kind, text))
            result << item.strPrcItemName;
        return result;
    }

    PriceItem stored(qint64 id)
    {
        for (const PriceItem &item : store.list(PriceSearch::AllPriceItems)) {
            if (item.intPrcItemNumID == id)
                return item;
        }
        return {};
    }

    qint64 count(const QString &sql) { return db()->queryInt(sql); }

    PriceStore store;
};

// Seed rows: 1 "Wash small window - EA." 6.15 / 1.35, material taxable;
// 2 "Wash med window - EA. 2 story" 22.00 / 0.75; twelve in all.
constexpr int kSeedItems = 12;

QTableView *list(const TfrmPriceCorvalo &w)
{
    return child<QTableView>(w, "lstPrice");
}

QLineEdit *field(const TfrmPriceCorvalo &w, const char *name)
{
    return child<QLineEdit>(w, name);
}

QPushButton *addToInvoice(const TfrmPriceCorvalo &w)
{
    return child<QPushButton>(w, "btnAddPriceItnToInvoice");
}

} // namespace

class TestPrices : public QObject
{
    Q_OBJECT

private slots:
    void searchKindsSelectTheirItems()
    {
        Session s;
        QCOMPARE(s.names(PriceSearch::AllPriceItems).size(), kSeedItems);
        QCOMPARE(s.names(PriceSearch::PriceItemName, QStringLiteral("wash")),
                 QStringList({"Wash small window - EA.", "Wash med window - EA. 2 story"}));
        QCOMPARE(s.names(PriceSearch::PriceItemName, QStringLiteral("window")), QStringList());
        QCOMPARE(s.names(PriceSearch::LaborTaxable), QStringList());
        QCOMPARE(s.names(PriceSearch::MaterialTaxable).size(), 5);

        s.add(QStringLiteral("Labor only"), 1, 0, true, false);
        QCOMPARE(s.names(PriceSearch::LaborTaxable), QStringList{"Labor only"});
        QCOMPARE(s.names(PriceSearch::MaterialTaxable).size(), 5);
    }

    void nameSearchTakesTextLiterally_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("percent") << "50%" << QStringList{"50% off"};
        QTest::newRow("underscore") << "x_" << QStringList{"X_Y"};
        QTest::newRow("quotes") << "2\" p" << QStringList{"2\" pipe 'PVC'"};
        QTest::newRow("unicode case") << QString::fromUtf8("ÉCOLE") << QStringList{QString::fromUtf8("école floors")};
    }

    void nameSearchTakesTextLiterally()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        Session s;
        for (const char *name : {"50% off", "50 pieces", "X_Y", "XzY", "2\" pipe 'PVC'", "école floors", "ecole"})
            s.add(QString::fromUtf8(name));
        QCOMPARE(s.names(PriceSearch::PriceItemName, typed), found);
    }

    void listShowsCurrencyAndRawColumns()
    {
        Session s;
        const qint64 id = s.add(QStringLiteral("Half"), 12.5, 0.0, true, false);
        PriceListModel model(s.context.locale);
        model.setItems(s.store.list(PriceSearch::AllPriceItems));
        const int row = model.rowCount() - 1;
        const auto cell = [&](int r, int c) { return model.index(r, c).data().toString(); };
        QCOMPARE(cell(row, PriceListModel::LaborPrice), QStringLiteral("$12.50"));
        QCOMPARE(cell(row, PriceListModel::MaterialPrice), QStringLiteral("$0.00"));
        QCOMPARE(cell(row, PriceListModel::LabTax), QStringLiteral("-1"));
        QCOMPARE(cell(row, PriceListModel::MatTax), QStringLiteral("0"));
        QCOMPARE(cell(row, PriceListModel::LabPrice), QStringLiteral("12.5"));
        QCOMPARE(cell(row, PriceListModel::PriceItmID), QString::number(id));
        QCOMPARE(cell(0, PriceListModel::LabPrice), QStringLiteral("6.15"));
        QCOMPARE(model.headerData(PriceListModel::PriceItmID, Qt::Horizontal).toString(), QStringLiteral("PriceItmID"));
        QCOMPARE(PriceListModel::columnWidth(PriceListModel::Description), 345);
        QCOMPARE(PriceListModel::columnWidth(PriceListModel::LabTax), 0);
    }

    void newItemStartsWithTheCompanyTaxChoice_data()
    {
        QTest::addColumn<int>("taxOn");
        QTest::addColumn<bool>("labor");
        QTest::addColumn<bool>("material");
        QTest::newRow("labor and material") << 0 << true << true;
        QTest::newRow("labor") << 1 << true << false;
        QTest::newRow("material") << 2 << false << true;
        QTest::newRow("other") << 7 << false << false;
    }

    void newItemStartsWithTheCompanyTaxChoice()
    {
        QFETCH(int, taxOn);
        QFETCH(bool, labor);
        QFETCH(bool, material);
        Session s;
        s.context.company.invData.intTaxOn = taxOn;
        TfrmPriceCorvalo w(s.context);
        action(w, "actNewPriceItem")->trigger();
        QCOMPARE(child<QCheckBox>(w, "ckbxLaborTaxable")->isChecked(), labor);
        QCOMPARE(child<QCheckBox>(w, "ckbxMatTaxable")->isChecked(), material);
    }

    void amountFieldsTakeDigitsAndOneSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("stored");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("point") << us << "12.5" << "12.5" << 12.5;
        QTest::newRow("letters, minus, second point") << us << "-1a2.5.0x" << "12.50" << 12.5;
        QTest::newRow("comma locale") << de << "12,5" << "12,5" << 12.5;
        QTest::newRow("comma locale refuses point") << de << "3.25,7,1" << "325,71" << 325.71;
        QTest::newRow("ten keys at most") << us << "123456789012" << "1234567890" << 1234567890.0;
    }

    void amountFieldsTakeDigitsAndOneSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        Session s(Edition::Corvalo, locale);
        TfrmPriceCorvalo w(s.context);
        w.show();
        action(w, "actNewPriceItem")->trigger();
        typeText(field(w, "txtPriceItmDiscription"), QStringLiteral("Item"));
        typeText(field(w, "txtLaborPrice"), typed);
        QCOMPARE(field(w, "txtLaborPrice")->text(), shown);

        // Pasted text goes through the same rule.
        field(w, "txtMatPrice")->insert(QStringLiteral("-4"));
        QCOMPARE(field(w, "txtMatPrice")->text(), QString());

        action(w, "actSave")->trigger();
        const PriceItem item = s.store.list(PriceSearch::PriceItemName, QStringLiteral("Item")).value(0);
        QCOMPARE(item.dbLbrPrc, stored);
        QCOMPARE(item.dbMatPrc, 0.0);
    }

    void savingANewItemListsItInCurrency()
    {
        Session s;
        TfrmPriceCorvalo w(s.context);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Price Sheet"));
        QVERIFY(!field(w, "txtPriceItmDiscription")->isEnabled());
        QVERIFY(action(w, "actPrint")->isEnabled());
        QVERIFY(field(w, "txtQuantity")->isHidden());
        QVERIFY(addToInvoice(w)->isHidden());

        action(w, "actNewPriceItem")->trigger();
        QVERIFY(!list(w)->isEnabled());
        QVERIFY(!action(w, "actPrint")->isEnabled());
        QVERIFY(!action(w, "actDelete")->isEnabled());
        QCOMPARE(w.focusWidget(), field(w, "txtPriceItmDiscription"));
        const QString name = QStringLiteral("Pose \"Fenster\" \u2013 O'Hara's 100% _x_ \u65e5");
        typeText(field(w, "txtPriceItmDiscription"), name);
        QVERIFY(!action(w, "actSave")->isEnabled()); // a price is needed too
        typeText(field(w, "txtLaborPrice"), QStringLiteral("12.5"));
        QVERIFY(action(w, "actSave")->isEnabled());
        action(w, "actSave")->trigger();

        QVERIFY(list(w)->isEnabled());
        QVERIFY(field(w, "txtPriceItmDiscription")->text().isEmpty());
        QCOMPARE(list(w)->model()->rowCount(), kSeedItems + 1);
        const int row = rowShowing(list(w), PriceListModel::Description, name);
        QVERIFY(row >= 0);
        QCOMPARE(list(w)->model()->index(row, PriceListModel::LaborPrice).data().toString(), QStringLiteral("$12.50"));
        QCOMPARE(list(w)->model()->index(row, PriceListModel::MaterialPrice).data().toString(), QStringLiteral("$0.00"));
        const PriceItem stored = s.store.list(PriceSearch::PriceItemName, name).value(0);
        QCOMPARE(stored.strPrcItemName, name);
        QCOMPARE(stored.dbLbrPrc, 12.5);
        QVERIFY(stored.strLabTax && stored.strMatTax);
    }

    void editingAsksBeforeLeavingUnsavedChanges()
    {
        Session s;
        TfrmPriceCorvalo w(s.context);
        w.show();
        clickRow(list(w), 1);
        QCOMPARE(field(w, "txtPriceItmDiscription")->text(), QStringLiteral("Wash med window - EA. 2 story"));
        QCOMPARE(field(w, "txtLaborPrice")->text(), QStringLiteral("22"));
        QCOMPARE(field(w, "txtMatPrice")->text(), QStringLiteral("0.75"));
        QVERIFY(!action(w, "actSave")->isEnabled());
        QVERIFY(action(w, "actDelete")->isEnabled());
        QVERIFY(!action(w, "actNewPriceItem")->isEnabled());
        QVERIFY(!child<QComboBox>(w, "cmbSearchPrcItm")->isEnabled());
        QCOMPARE(w.focusWidget(), field(w, "txtPriceItmDiscription"));

        action(w, "actCancel")->trigger();
        QVERIFY(s.prompts.asked.isEmpty());
        QVERIFY(list(w)->isEnabled());

        clickRow(list(w), 1);
        child<QCheckBox>(w, "ckbxLaborTaxable")->click();
        QVERIFY(action(w, "actSave")->isEnabled());
        s.prompts.answers = {Prompts::Cancel, Prompts::No};
        action(w, "actCancel")->trigger();
        QVERIFY(!list(w)->isEnabled());
        action(w, "actCancel")->trigger();
        QVERIFY(list(w)->isEnabled());
        QVERIFY(!s.stored(2).strLabTax);

        clickRow(list(w), 1);
        field(w, "txtLaborPrice")->setText(QStringLiteral("23.4"));
        s.prompts.answers = {Prompts::Yes};
        action(w, "actCancel")->trigger();
        QCOMPARE(s.stored(2).dbLbrPrc, 23.4);
        QCOMPARE(s.prompts.messages(QStringLiteral("YesNoCancel")),
                 QStringList(3, QStringLiteral("Save changes to this Price Item?")));
    }

    void closingAsksWithEachAnswer_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("storedName");
        QTest::newRow("yes saves and closes") << int(Prompts::Yes) << false << "Renamed";
        QTest::newRow("no closes") << int(Prompts::No) << false << "Wash small window - EA.";
        QTest::newRow("cancel stays") << int(Prompts::Cancel) << true << "Wash small window - EA.";
    }

    void closingAsksWithEachAnswer()
    {
        QFETCH(int, answer);
        QFETCH(bool, staysOpen);
        QFETCH(QString, storedName);
        Session s;
        TfrmPriceCorvalo w(s.context);
        w.show();
        clickRow(list(w), 0);
        field(w, "txtPriceItmDiscription")->setText(QStringLiteral("Renamed"));
        s.prompts.answers = {Prompts::Answer(answer)};
        action(w, "actClose")->trigger();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Save changes to this Price Item?"));
        QCOMPARE(w.isVisible(), staysOpen);
        QCOMPARE(s.stored(1).strPrcItemName, storedName);
    }

    void deletingAsksAndLeavesDocumentLinesAlone()
    {
        Session s;
        DocumentStore documents(s.context);
        s.context.document.header.blnNewInvoice = true;
        documents.pLoadInvoice();
        s.context.document.header.strInvName = QStringLiteral("Invoice");
        s.context.document.header.strCustFullName = QStringLiteral("A B");
        s.context.document.lines.appendPriceLine({QStringLiteral("Wash small window - EA."), 2, 6.15, 1.35, false, true});
        const int number = documents.pSaveInvoice();

        TfrmPriceCorvalo w(s.context);
        w.show();
        clickRow(list(w), 0);
        s.prompts.answers = {Prompts::No};
        action(w, "actDelete")->trigger();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Delete this Price Item from your list?"));
        QCOMPARE(list(w)->model()->rowCount(), kSeedItems);
        QVERIFY(!list(w)->isEnabled());

        s.prompts.answers = {Prompts::Yes};
        action(w, "actDelete")->trigger();
        QVERIFY(list(w)->isEnabled());
        QCOMPARE(list(w)->model()->rowCount(), kSeedItems - 1);
        QCOMPARE(s.stored(1).intPrcItemNumID, 0);
        QCOMPARE(s.count(QStringLiteral("PRAGMA freelist_count")), 0);

        s.context.document.header.blnNewInvoice = false;
        s.context.document.header.intInvNumber = number;
        documents.pLoadInvoice();
        QCOMPARE(s.context.document.lines.rowCount(), 1);
        QCOMPARE(s.context.document.lines.cell(0, InvoiceLines::Description), QStringLiteral("Wash small window - EA."));
        QCOMPARE(s.context.document.lines.cell(0, InvoiceLines::LabPrice), QStringLiteral("6.15"));
    }

    void searchControlsFollowTheKind()
    {
        Session s;
        TfrmPriceCorvalo w(s.context);
        w.show();
        auto *kind = child<QComboBox>(w, "cmbSearchPrcItm");
        auto *text = field(w, "txtSearchPrcItm");
        QVERIFY(!text->isEnabled());
        kind->setCurrentIndex(int(PriceSearch::PriceItemName));
        QVERIFY(text->isEnabled());
        QCOMPARE(w.focusWidget(), text);
        QTest::keyClicks(text, QStringLiteral("inst"));
        QCOMPARE(list(w)->model()->rowCount(), 4);
        QTest::keyClicks(text, QStringLiteral("all new r"));
        QCOMPARE(list(w)->model()->rowCount(), 2);
        QTest::keyClicks(text, QStringLiteral("x"));
        QCOMPARE(list(w)->model()->rowCount(), 0);
        QVERIFY(!action(w, "actPrint")->isEnabled());

        kind->setCurrentIndex(int(PriceSearch::MaterialTaxable));
        QVERIFY(!text->isEnabled());
        QVERIFY(text->text().isEmpty());
        QCOMPARE(list(w)->model()->rowCount(), 5);
        QVERIFY(action(w, "actPrint")->isEnabled());

        // Saving returns to the whole list.
        clickRow(list(w), 0);
        field(w, "txtMatPrice")->setText(QStringLiteral("1.4"));
        action(w, "actSave")->trigger();
        QCOMPARE(kind->currentIndex(), int(PriceSearch::AllPriceItems));
        QCOMPARE(list(w)->model()->rowCount(), kSeedItems);
    }

    void pickModeAddsTheItemAsALine()
    {
        Session s;
        s.context.document.lines.appendPriceLine({"Existing", 1, 1, 1, false, false});
        TfrmPriceCorvalo w(s.context, nullptr, ListUse::PickForDocument);
        w.show();
        QVERIFY(!field(w, "txtQuantity")->isHidden());
        QVERIFY(!addToInvoice(w)->isHidden());
        QVERIFY(!addToInvoice(w)->isEnabled());
        QVERIFY(!action(w, "actPrint")->isEnabled());
        QVERIFY(!action(w, "actPrintPreview")->isEnabled());

        clickRow(list(w), 0);
        QCOMPARE(w.focusWidget(), field(w, "txtQuantity"));
        QVERIFY(!addToInvoice(w)->isEnabled());
        QTest::keyClicks(field(w, "txtQuantity"), QStringLiteral("3"));
        QVERIFY(addToInvoice(w)->isEnabled());
        field(w, "txtQuantity")->clear();
        QVERIFY(!addToInvoice(w)->isEnabled());
        QTest::keyClicks(field(w, "txtQuantity"), QStringLiteral("3"));
        QTest::keyClick(field(w, "txtQuantity"), Qt::Key_Return); // Enter adds the item

        QVERIFY(!w.isVisible());
        QVERIFY(w.changedDocument());
        QVERIFY(s.prompts.asked.isEmpty());
        const InvoiceLines &lines = s.context.document.lines;
        QCOMPARE(lines.rowCount(), 2);
        QVERIFY(lines.priceLine(1) == (PriceLine{"Wash small window - EA.", 3, 6.15, 1.35, false, true}));
    }

    void anEditedItemIsAddedAsEditedAndSavedOnlyIfAsked()
    {
        Session s;
        TfrmPriceCorvalo w(s.context, nullptr, ListUse::PickForDocument);
        w.show();
        clickRow(list(w), 1);
        field(w, "txtLaborPrice")->setText(QStringLiteral("30"));
        QTest::keyClicks(field(w, "txtQuantity"), QStringLiteral("2.5"));
        s.prompts.answers = {Prompts::No};
        addToInvoice(w)->click();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Save changes to this Price Item?"));
        QVERIFY(!w.isVisible());
        QCOMPARE(s.context.document.lines.cell(0, InvoiceLines::LabPrice), QStringLiteral("30"));
        QCOMPARE(s.context.document.lines.cell(0, InvoiceLines::Quantity), QStringLiteral("2.5"));
        QCOMPARE(s.stored(2).dbLbrPrc, 22.0);
    }

    void aNewItemCanBeAddedWithoutBeingSaved()
    {
        Session s;
        TfrmPriceCorvalo w(s.context, nullptr, ListUse::PickForDocument);
        w.show();
        action(w, "actNewPriceItem")->trigger();
        QTest::keyClicks(field(w, "txtQuantity"), QStringLiteral("2"));
        QVERIFY(!addToInvoice(w)->isEnabled()); // no description or price yet
        typeText(field(w, "txtPriceItmDiscription"), QStringLiteral("One-off \"job\""));
        typeText(field(w, "txtMatPrice"), QStringLiteral("25"));
        field(w, "txtQuantity")->clear();
        QTest::keyClicks(field(w, "txtQuantity"), QStringLiteral("2"));
        QVERIFY(addToInvoice(w)->isEnabled());
        s.prompts.answers = {Prompts::No};
        addToInvoice(w)->click();
        QVERIFY(!w.isVisible());
        QVERIFY(s.context.document.lines.priceLine(0) == (PriceLine{"One-off \"job\"", 2, 0, 25, true, true}));
        QCOMPARE(s.names(PriceSearch::AllPriceItems).size(), kSeedItems);
    }

    void aQuantityThatIsNotANumberIsRefused()
    {
        Session s;
        TfrmPriceCorvalo w(s.context, nullptr, ListUse::PickForDocument);
        w.show();
        clickRow(list(w), 0);
        QTest::keyClicks(field(w, "txtQuantity"), QStringLiteral("."));
        addToInvoice(w)->click();
        QCOMPARE(s.prompts.messages(QStringLiteral("Error")).size(), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(s.context.document.lines.rowCount(), 0);
        QVERIFY(!w.changedDocument());
    }

    void printPreviewOnlyInTheFullEditions()
    {
        Session ostrev(Edition::Ostrev);
        TfrmPriceCorvalo w(ostrev.context);
        QVERIFY(!action(w, "actPrintPreview")->isVisible());
        Session corvalo;
        TfrmPriceCorvalo full(corvalo.context);
        QVERIFY(action(full, "actPrintPreview")->isVisible());
    }

    void aFailedSaveKeepsEverythingTyped()
    {
        Session s;
        s.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblPrices "
                                    "BEGIN SELECT RAISE(ABORT, 'attempt to write a readonly database'); END"));
        TfrmPriceCorvalo w(s.context);
        w.show();
        clickRow(list(w), 0);
        field(w, "txtPriceItmDiscription")->setText(QStringLiteral("Changed"));
        action(w, "actSave")->trigger();
        QCOMPARE(s.prompts.messages(QStringLiteral("Error")),
                 QStringList{"attempt to write a readonly database"});
        QVERIFY(!list(w)->isEnabled());
        QCOMPARE(field(w, "txtPriceItmDiscription")->text(), QStringLiteral("Changed"));
        QCOMPARE(s.stored(1).strPrcItemName, QStringLiteral("Wash small window - EA."));
    }
};

QTEST_MAIN(TestPrices)
#include "test_prices.moc"
