#include "TestEnvironment.h"
#include "core/Edition.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"
#include "customers/CustomerTransfer.h"
#include "data/BusyPolicy.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/SchemaUpgrade.h"
#include "invoice/DocumentExport.h"
#include "invoice/DocumentStore.h"
#include "invoice/Totals.h"
#include "prices/PriceTransfer.h"
#include "report/SalesTaxExport.h"
#include "widgets/TfrmImport.h"
#include "worksheets/WorkSheetPriceTransfer.h"
#include "customers/TfrmCustomer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kHostile = QStringLiteral("O'Brien \"Bob\", Dünn; \u65e5\u672c\r\nline 2");

CustomerRecord customer(const QString &first, const QString &last, const QString &company = {})
{
    CustomerRecord c;
    c.strCustFirstName = first;
    c.strCustLastName = last;
    c.strCustCompany = company;
    return c;
}

QList<CustomerRecord> withoutIds(QList<CustomerRecord> customers)
{
    for (CustomerRecord &c : customers)
        c.intCustomerID = 0;
    return customers;
}

QStringList describe(const QList<Csv::RowProblem> &problems)
{
    QStringList texts;
    for (const Csv::RowProblem &p : problems)
        texts << QStringLiteral("%1 %2: %3").arg(p.rowNumber).arg(p.field, p.reason);
    return texts;
}

} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT

private slots:
    void importDialogWritesOnlyWhenConfirmed();
    void customerWindowImportsAndKeepsTheEmail();
    void sameFilesStoreTheSameUnderEveryLanguage();
    void previewShowsTheMarkAndTheAmountsThatNeedALook();

    void customerPreviewNamesEveryRowItCannotTake()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        const auto db = s.db();
        const Csv::Table table = Csv::parse("Surname;First Name;Postcode;Discount;Street\n"
                                            "Blow;Joe;99999;0;123 Joes Street\n"
                                            "Smith;Ann;12345678901234567;5;x\n"
                                            ";;;7;Nowhere\n"
                                            "Lee;Kim;;ten;y\n"
                                            "New;Nina;;;\n");
        const Csv::Mapping mapping = Csv::matchColumns(table.headers, CustomerTransfer::fields());
        QCOMPARE(mapping[CustomerTransfer::LastName], 0);
        QCOMPARE(mapping[CustomerTransfer::ZipCode], 2);
        QCOMPARE(mapping[CustomerTransfer::Address], 4);

        const CustomerTransfer::Preview preview = CustomerTransfer::prepare(*db, table, mapping, {});
        QCOMPARE(describe(preview.problems),
                 (QStringList{"3 Zip Code: too long for the field (17 characters, at most 16)",
                              "4 Name: empty name: no first name, last name or company",
                              "5 Customer Discount: not a whole number: \"ten\""}));
        QCOMPARE(preview.rows.size(), 2);
        QCOMPARE(preview.matchCount(), 1); // Joe Blow of the seed rows, same name and address
        QCOMPARE(db->queryInt("SELECT COUNT(*) FROM tblCustomers"), 3); // nothing written yet

        // Update keeps what the file does not carry (Joe's phone), skip leaves him alone.
        const auto outcome = CustomerTransfer::apply(*db, preview, Csv::ExistingRows::Update);
        QVERIFY(outcome);
        QCOMPARE(outcome->added, 1);
        QCOMPARE(outcome->updated, 1);
        const QList<CustomerRecord> stored = CustomerStore::readAll(*db);
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored[0].strCustZipCode, QStringLiteral("99999"));
        QCOMPARE(stored[0].strCustMainPhone, QStringLiteral("225-123-4567"));
        QCOMPARE(stored[3].strCustFirstName, QStringLiteral("Nina"));

        const auto skipped = CustomerTransfer::apply(
            *db, CustomerTransfer::prepare(*db, table, mapping, {}), Csv::ExistingRows::Skip);
        QCOMPARE(skipped->skipped, 2);
        QCOMPARE(skipped->added, 0);
    }

    void importListsEveryAddressItRefuses()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        const Csv::Table table = Csv::parse("Company,E-mail,Tax Exempt\n"
                                            "Good Co,info@good.test,Yes\n"
                                            "Bad Co,not an address <x>; rm -rf ~,-1\n"
                                            "Two Co,\"a@two.test, b@two.test\",0\n"
                                            "Half Co,half@,No\n");
        const auto db = s.db();
        const CustomerTransfer::Preview preview = CustomerTransfer::prepare(
            *db, table, Csv::matchColumns(table.headers, CustomerTransfer::fields()), {});
        QCOMPARE(describe(preview.problems),
                 (QStringList{"3 E-mail: \"not an address <x>; rm -rf ~\" has semicolons; separate several "
                              "addresses with commas.",
                              "5 E-mail: \"half@\" has no domain such as example.com after the @."}));
        QCOMPARE(CustomerTransfer::apply(*db, preview, Csv::ExistingRows::Skip)->added, 2);
        const QList<CustomerRecord> stored = CustomerStore::readAll(*db);
        QCOMPARE(stored[3].strCustEmail, QStringLiteral("info@good.test"));
        QVERIFY(stored[3].strCustTaxExmpt); // "Yes", as exports write it
        QCOMPARE(stored[4].strCustEmail, QStringLiteral("a@two.test, b@two.test"));
        QVERIFY(!stored[4].strCustTaxExmpt); // "0", as older files hold it
    }

    void importMessagesAreNeverUnderTheProgress()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        BusyPolicy::setTotalWaitMs(100);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
        CustomerTransfer::ImportJob job(s.context.databasePath(), s.context.locale);
        const Csv::Table table = Csv::parse("Company\nLocked Out Co\n");
        TfrmImport dialog(job, table, QStringLiteral("people.csv"), s.prompts);
        dialog.show();
        QStringList progressAtMessage;
        s.prompts.onAsked = [&](const ScriptedPrompts::Asked &asked) {
            if (!dialog.findChildren<QProgressDialog *>().isEmpty())
                progressAtMessage << asked.message;
        };

        // Another program holds the file for writing.
        const auto other = s.db();
        {
            Transaction holding(*other);
            QVERIFY(!dialog.actImportExecute());
        }
        QVERIFY(s.prompts.lastMessage().startsWith("Nothing was imported:"));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.actImportExecute());
        QVERIFY(s.prompts.lastMessage().startsWith("Imported: 1 added"));
        QCOMPARE(progressAtMessage, QStringList());
    }

    void aFailingRowLeavesTheListAsItWas()
    {
        TestSession s(Edition::Ostrev);
        s.start(QDate(2026, 12, 9));
        QByteArray csv = "First Name,Last Name,E-mail\n";
        for (int i = 1; i <= 1000; ++i)
            csv += QStringLiteral("Ann,Row%1,ann%1@example.test\n").arg(i).toUtf8();
        const Csv::Table table = Csv::parse(csv);
        const auto db = s.db();
        db->exec("CREATE TRIGGER refuse BEFORE INSERT ON tblCustomers WHEN NEW.strCustLastName = 'Row900' "
                 "BEGIN SELECT RAISE(ABORT, 'refused row 900'); END");
        const auto before = CustomerStore::readAll(*db);

        const CustomerTransfer::Preview preview = CustomerTransfer::prepare(
            *db, table, Csv::matchColumns(table.headers, CustomerTransfer::fields()), {});
        QCOMPARE(preview.rows.size(), 1000);
        QVERIFY_THROWS_EXCEPTION(DbError, CustomerTransfer::apply(*db, preview, Csv::ExistingRows::Skip));
        QCOMPARE(CustomerStore::readAll(*db), before);

        // Stopped from the progress: nothing either, and the progress was told of it.
        db->exec("DROP TRIGGER refuse");
        QList<int> seen;
        const auto stopped = CustomerTransfer::apply(*db, preview, Csv::ExistingRows::Skip, [&](int done, int total) {
            seen << done;
            return total == 1000 && done < 500;
        });
        QVERIFY(!stopped);
        QCOMPARE(seen, (QList<int>{0, 250, 500}));
        QCOMPARE(CustomerStore::readAll(*db), before);

        QCOMPARE(CustomerTransfer::apply(*db, preview, Csv::ExistingRows::Skip)->added, 1000);
        QCOMPARE(db->queryInt("SELECT COUNT(*) FROM tblCustomers"), 1003);
    }

    void customersRoundTripThroughAFile()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        CustomerStore store(s.context);
        CustomerRecord odd = customer(QStringLiteral("=cmd|' /C calc'!A0"), kHostile.left(20), kHostile.left(35));
        odd.strCustMainPhone = QStringLiteral("+1 555 0101");
        odd.strCustNotes = kHostile;
        odd.strCustState = QStringLiteral("@home");
        odd.strCustCity = QStringLiteral("-");
        odd.strCustEmail = QStringLiteral("o'brien@example.test");
        odd.strCustTaxExmpt = true;
        odd.intCustDiscount = 15;
        store.save(odd);
        const QList<CustomerRecord> original = withoutIds(CustomerStore::readAll(*s.db()));

        const QByteArray file = CustomerTransfer::exportCsv(*s.db()).bytes();
        QVERIFY(file.startsWith("\xEF\xBB\xBF"));
        QVERIFY(file.contains("'=cmd|"));
        QVERIFY(file.contains("'+1 555 0101"));

        TestSession other(Edition::Heddrin);
        other.start(QDate(2026, 12, 9));
        other.db()->exec("DELETE FROM tblCustomers");
        CustomerTransfer::ImportJob job(other.context.databasePath(), other.context.locale);
        const Csv::Table table = Csv::parse(file);
        job.prepare(table, Csv::matchColumns(table.headers, job.fields()), {});
        QVERIFY(job.problems().isEmpty());
        QCOMPARE(job.apply(Csv::ExistingRows::Skip, {})->added, original.size());
        QCOMPARE(withoutIds(CustomerStore::readAll(*other.db())), original);
    }

    void priceItemsImportAndRoundTrip()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        const auto db = s.db();
        const Csv::Table table = Csv::parse("Description,Labor,Material\n"
                                            "mow lawn - med size per week ,20,\n"
                                            "Paint fence,\"3.5\",1\n"
                                            ",1,1\n"
                                            "Bad,abc,1\n");
        const Csv::Mapping mapping = Csv::matchColumns(table.headers, PriceTransfer::fields());
        const PriceTransfer::Preview preview = PriceTransfer::prepare(*db, table, mapping, {},
                                                                      {true, false});
        QCOMPARE(describe(preview.problems),
                 (QStringList{"4 Price Item Description: empty description",
                              "5 Labor Price: not a number with a decimal point: \"abc\""}));
        QVERIFY(preview.rows[0].matchesStored);
        PriceTransfer::apply(*db, preview, Csv::ExistingRows::Update);
        const QList<PriceItem> items = PriceStore::readAll(*db);
        QCOMPARE(items.size(), 13);
        QCOMPARE(items[7].dbLbrPrc, 20.0); // updated; an empty price is 0, as in the window
        QCOMPARE(items[7].dbMatPrc, 0.0);
        QCOMPARE(items[7].strPrcItemName, QStringLiteral("mow lawn - med size per week "));
        QCOMPARE(items[12].strPrcItemName, QStringLiteral("Paint fence"));
        QVERIFY(items[12].strLabTax && !items[12].strMatTax); // the company's defaults

        PriceItem odd{0, QStringLiteral("-10% \"special\", @once"), true, true, 0.1 + 0.2, 1e-7};
        PriceStore::insertRow(*db, odd);
        QList<PriceItem> original = PriceStore::readAll(*db);
        const QByteArray file = PriceTransfer::exportCsv(*db).bytes();
        db->exec("DELETE FROM tblPrices");
        const Csv::Table back = Csv::parse(file);
        PriceTransfer::ImportJob job(s.context.databasePath(), s.context.locale, {false, false});
        job.prepare(back, Csv::matchColumns(back.headers, job.fields()), {});
        QCOMPARE(job.apply(Csv::ExistingRows::Skip, {})->added, original.size());
        QList<PriceItem> reread = PriceStore::readAll(*db);
        for (qsizetype i = 0; i < original.size(); ++i) {
            // A new row under a new id and version; what matters is its content.
            original[i].intPrcItemNumID = reread[i].intPrcItemNumID = 0;
            original[i].intRowVersion = reread[i].intRowVersion = 0;
            QCOMPARE(reread[i], original[i]);
        }
    }

    void heddrinPricesMatchByItemNumber()
    {
        TestSession s(Edition::Heddrin);
        s.start(QDate(2026, 12, 9));
        const auto db = s.db();
        const QByteArray exported = WorkSheetPriceTransfer::exportCsv(*db).bytes();
        const Csv::Table table = Csv::parse("Item Number;Labor Price;Description\n"
                                            "3;1,10;interior trim painting - per lnft\n"
                                            "28;1;x\n"
                                            ";1;y\n"
                                            ";0,5;Exterior Painting - per SQFT\n"
                                            "5;2;Exterior Prime - per SQFT\n"
                                            "7;3;\n"
                                            "7;4;\n"
                                            ";5;Interior Spot Prime - per SQFT\n");
        const WorkSheetPriceTransfer::Preview preview = WorkSheetPriceTransfer::prepare(
            *db, table, Csv::matchColumns(table.headers, WorkSheetPriceTransfer::fields()), {DecimalMark::Comma});
        QCOMPARE(describe(preview.problems),
                 (QStringList{"3 Item Number: 28 is not between 1 and 27",
                              "4 Price Item Description: the price list has no item \"y\"",
                              "6 Price Item Description: item 5 is \"Interior Prime - per SQFT\" in the price list, "
                              "not \"Exterior Prime - per SQFT\"",
                              "7 Item Number: item 7 is also in row 8, 9",
                              "8 Item Number: item 7 is also in row 7, 9",
                              "9 Item Number: item 7 is also in row 7, 8"}));
        // Only what is taken is counted as updated.
        QCOMPARE(WorkSheetPriceTransfer::apply(*db, preview)->updated, 2);
        QList<WorkSheetPriceItem> items = WorkSheetPriceStore::readCompanyPrices(*db);
        QCOMPARE(items.size(), 27);
        QCOMPARE(items[2].dbLbrPrc, 1.1);
        QCOMPARE(items[2].dbMatPrc, 0.24); // not in the file: kept
        QCOMPARE(items[2].strPrcItemName, QStringLiteral("Interior Trim Painting - per LNFT"));
        QCOMPARE(items[1].dbLbrPrc, 0.5); // found by its description
        QCOMPARE(items[4].dbLbrPrc, 0.17);
        QCOMPARE(items[6].dbLbrPrc, 0.09); // given three times: left alone

        // The exported list brings every price back.
        const Csv::Table back = Csv::parse(exported);
        WorkSheetPriceTransfer::apply(
            *db, WorkSheetPriceTransfer::prepare(*db, back, Csv::matchColumns(back.headers, WorkSheetPriceTransfer::fields()), {}));
        QCOMPARE(WorkSheetPriceStore::readCompanyPrices(*db)[2].dbLbrPrc, 0.95);
    }

    void documentsExportByDateRange()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        DocumentStore store(s.context);
        const auto save = [&](QDate date, const QStringList &lines) {
            s.context.document.header.blnNewInvoice = true;
            store.pLoadInvoice();
            s.context.document.header.strInvName = QStringLiteral("Invoice");
            s.context.document.header.strInvDate = date;
            s.context.document.header.strCustFullName = QStringLiteral("=HYPERLINK(\"x\")");
            for (const QString &line : lines)
                s.context.document.lines.appendPriceLine({line, 2, 10.5, 1, true, false});
            Totals::pCalcTotals(s.context.document, s.context.edition(), s.context.company, s.context.locale);
            return store.pSaveInvoice();
        };
        save(QDate(2026, 2, 28), {"before"});
        const int first = save(QDate(2026, 3, 1), {"one", "two"});
        const int second = save(QDate(2026, 3, 31), {});
        save(QDate(2026, 4, 1), {"after"});

        const auto db = s.db();
        const Csv::Table joined = Csv::parse(
            DocumentExport::oneFile(*db, QDate(2026, 3, 1), QDate(2026, 3, 31), s.context.locale).bytes());
        const qsizetype number = joined.headers.indexOf("Number");
        const qsizetype date = joined.headers.indexOf("Date");
        const qsizetype description = joined.headers.indexOf("Description");
        const qsizetype name = joined.headers.indexOf("Customer Name");
        QCOMPARE(joined.headers.count("Number"), 1);
        // Captions users know: no stored column names, no row ids.
        for (const QString &header : joined.headers)
            QVERIFY2(!header.contains(QRegularExpression("^(str|int|db)[A-Z]")) && !header.endsWith("ID"),
                     qPrintable(header));
        QCOMPARE(joined.rowCount(), 3);
        QCOMPARE(joined.row(0)[number], QString::number(first));
        QCOMPARE(joined.row(1)[number], QString::number(first));
        QCOMPARE(joined.row(2)[number], QString::number(second));
        QCOMPARE(joined.row(0)[date], QStringLiteral("2026-03-01"));
        QCOMPARE(joined.row(2)[date], QStringLiteral("2026-03-31"));
        QCOMPARE(joined.row(1)[description], QStringLiteral("two"));
        QCOMPARE(joined.row(2)[description], QString());
        QCOMPARE(joined.row(0)[name], QStringLiteral("'=HYPERLINK(\"x\")"));
        QCOMPARE(joined.row(0)[joined.headers.indexOf("Labor Price")], QStringLiteral("10.5"));
        // Flags read Yes and No; a document without lines leaves the line's empty.
        QCOMPARE(joined.row(0)[joined.headers.indexOf("Labor Taxable")], QStringLiteral("Yes"));
        QCOMPARE(joined.row(0)[joined.headers.indexOf("Material Taxable")], QStringLiteral("No"));
        QCOMPARE(joined.row(2)[joined.headers.indexOf("Labor Taxable")], QString());
        QCOMPARE(joined.row(0)[joined.headers.indexOf("Paid In Full")], QStringLiteral("No"));

        const DocumentExport::Files files = DocumentExport::twoFiles(*db, QDate(2026, 3, 1), QDate(2026, 3, 31),
                                                                     s.context.locale);
        QCOMPARE(files.headers.rowCount(), 2);
        QCOMPARE(Csv::parse(files.headers.bytes()).rowCount(), 2);
        const Csv::Table lines = Csv::parse(files.lines.bytes());
        QCOMPARE(lines.rowCount(), 2);
        QCOMPARE(lines.row(0)[lines.headers.indexOf("Number")], QString::number(first));

        // Nothing in the range: no rows, which the export window reports instead of a file.
        QCOMPARE(DocumentExport::oneFile(*db, QDate(2025, 1, 1), QDate(2025, 12, 31), s.context.locale).rowCount(),
                 0);
    }

    void salesTaxRowsExportAsNumbers()
    {
        SalesTaxReport::MonthTotals march;
        march.month = QDate(2026, 3, 1);
        march.labor = 100.1;
        march.material = 0.2;
        march.laborTax = {1.23, 5, 0};
        march.materialTax = {0.1, 0.2, 0};
        const Csv::Table table =
            Csv::parse(SalesTaxExport::exportCsv({march}, {QStringLiteral("Local Tax"), QStringLiteral("=x"), {}}).bytes());
        QCOMPARE(table.headers,
                 (QStringList{"Month", "Labor Sales", "Material Sales", "Labor Local Tax", "Labor =x", "Labor Tax 3",
                              "Material Local Tax", "Material =x", "Material Tax 3", "Tax Total", "Sales Total"}));
        QCOMPARE(table.row(0),
                 (QStringList{"2026-03", "100.1", "0.2", "1.23", "5", "0", "0.1", "0.2", "0", "6.53", "100.3"}));
    }

    void olderFileGetsTheEmailColumn()
    {
        TestSession s(Edition::Ostrev);
        s.start(QDate(2026, 12, 9));
        {
            const auto db = s.db();
            db->exec("ALTER TABLE tblCustomers DROP COLUMN strCustEmail; DROP TABLE tblSchemaLevel");
        }
        const auto report = s.upgrade();
        QVERIFY(report.upgraded());
        QVERIFY(QFile::exists(report.safetyCopyPath));
        QVERIFY(!Database(report.safetyCopyPath).columnExists(QStringLiteral("tblCustomers"), QStringLiteral("strCustEmail")));
        CustomerStore store(s.context);
        QCOMPARE(store.find(1)->strCustEmail, QString());
        CustomerRecord joe = *store.find(1);
        joe.strCustEmail = QStringLiteral("joe@example.test");
        store.save(joe);
        QCOMPARE(store.find(1)->strCustEmail, QStringLiteral("joe@example.test"));
    }

};

void TestTransfer::importDialogWritesOnlyWhenConfirmed()
{
    TestSession s(Edition::Corvalo);
    s.start(QDate(2026, 12, 9));
    CustomerTransfer::ImportJob job(s.context.databasePath(), s.context.locale);
    const Csv::Table table = Csv::parse("Surname,Given Name,Town,Comments\n"
                                        "Doe,Ann,Springfield,'=1\n"
                                        ",,Nowhere,\n");
    TfrmImport dialog(job, table, QStringLiteral("people.csv"), s.prompts);
    QCOMPARE(dialog.mapping()[CustomerTransfer::City], 2);
    QVERIFY(dialog.findChild<QLabel *>("lblSummary")->text().startsWith("1 row will be imported. The fault listed"));

    // The user leaves the town out; Escape cancels without writing.
    dialog.findChild<QComboBox *>(QStringLiteral("cmbColumn%1").arg(CustomerTransfer::City))->setCurrentIndex(0);
    QCOMPARE(dialog.mapping()[CustomerTransfer::City], -1);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(s.db()->queryInt("SELECT COUNT(*) FROM tblCustomers"), 3);

    // Enter is Import.
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const CustomerRecord ann = CustomerStore::readAll(*s.db()).last();
    QCOMPARE(ann.strCustLastName, QStringLiteral("Doe"));
    QCOMPARE(ann.strCustCity, QString());
    QCOMPARE(ann.strCustNotes, QStringLiteral("=1"));
    QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Imported: 1 added, 0 updated, 0 skipped."));
}

void TestTransfer::customerWindowImportsAndKeepsTheEmail()
{
    TestSession s(Edition::Ostrev);
    s.start(QDate(2026, 12, 9));
    QTemporaryDir dir;
    const QString good = dir.filePath("good.csv");
    const QString bad = dir.filePath("bad.csv");
    Csv::saveFile(good, "Company,E-mail\r\nNew Co,info@new.test\r\n");
    Csv::saveFile(bad, QByteArray("\x00\x01\x02zip", 6));

    TfrmCustomer window(s.context);
    window.show();
    s.prompts.choices = {bad, good};
    window.findChild<QAction *>("actImport")->trigger();
    QVERIFY(s.prompts.lastMessage().contains("not a text file"));

    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    window.findChild<QAction *>("actImport")->trigger();
    QCOMPARE(window.listModel().rowCount(), 4);
    QCOMPARE(CustomerStore::readAll(*s.db()).last().strCustEmail, QStringLiteral("info@new.test"));

    // An address that is not one is refused while it stays typed; fixed, it is saved.
    window.findChild<QAction *>("actNewCustomer")->trigger();
    QTest::keyClicks(window.findChild<QLineEdit *>("txtCustCmpnyName"), "Typed");
    auto *email = window.findChild<QLineEdit *>("txtCustEmail");
    QTest::keyClicks(email, "not an address <x>; rm -rf ~");
    QVERIFY(email->toolTip().contains("semicolons"));
    window.findChild<QAction *>("actSave")->trigger();
    QVERIFY(s.prompts.lastMessage().startsWith("The e-mail address cannot be stored as typed."));
    QCOMPARE(CustomerStore::readAll(*s.db()).size(), 4);
    QCOMPARE(email->text(), QStringLiteral("not an address <x>; rm -rf ~"));
    email->clear();
    QTest::keyClicks(email, "o'brien+bills@");
    email->insert(QStringLiteral("dünn")); // typed as a keyboard of that language would
    QTest::keyClicks(email, ".example, office@c.test");
    window.findChild<QAction *>("actSave")->trigger();
    QCOMPARE(CustomerStore::readAll(*s.db()).last().strCustEmail,
             QStringLiteral("o'brien+bills@dünn.example, office@c.test"));
}

namespace {

/// The prices each import file leaves stored when read by a user of \a localeName,
/// the mark decided from the file as the import window does.
QList<QList<double>> pricesAfterImports(const QString &localeName, const QList<QByteArray> &files)
{
    QList<QList<double>> stored;
    for (const QByteArray &file : files) {
        TestSession s(Edition::Corvalo);
        s.context.locale = QLocale(localeName);
        s.start(QDate(2026, 12, 9));
        s.db()->exec("DELETE FROM tblPrices");
        PriceTransfer::ImportJob job(s.context.databasePath(), s.context.locale, {true, true});
        const Csv::Table table = Csv::parse(file);
        const Csv::Mapping mapping = Csv::matchColumns(table.headers, job.fields());
        const Csv::MarkDecision mark = Csv::decideDecimalMark(table, job.fields(), mapping, job.locale());
        job.prepare(table, mapping, {mark.mark});
        job.apply(Csv::ExistingRows::Skip, {});
        QList<double> prices;
        for (const PriceItem &item : PriceStore::readAll(*s.db()))
            prices << item.dbLbrPrc << item.dbMatPrc;
        stored << prices;
    }
    return stored;
}

} // namespace

void TestTransfer::sameFilesStoreTheSameUnderEveryLanguage()
{
    const QList<QByteArray> files = {
        // Written by a German spreadsheet; two amounts read two ways.
        "Description;Labor;Material\nA;0,975;1\nB;1,234;2\nC;1.234;3\nD;1.234,50;4\n",
        // Written by this program: C form, one tiny value in an exponent.
        "Description,Labor,Material\nA,3.5,1e-07\nB,1234.5,0.30000000000000004\n",
        // Written by an English spreadsheet, thousands grouped.
        "Description,Labor,Material\nA,\"1,234.50\",2.25\nB,\"2,000\",1\n",
        // Nothing tells the marks apart.
        "Description,Labor,Material\nA,\"1,500\",20\nB,7,8\n",
    };
    const QList<QList<double>> german = pricesAfterImports(QStringLiteral("de_DE"), files);
    const QList<QList<double>> english = pricesAfterImports(QStringLiteral("en_US"), files);
    QCOMPARE(german, english);
    QCOMPARE(german[0], (QList<double>{0.975, 1, 1234.5, 4}));
    QCOMPARE(german[1], (QList<double>{3.5, 1e-7, 1234.5, 0.1 + 0.2}));
    QCOMPARE(german[2], (QList<double>{1234.5, 2.25}));
    QCOMPARE(german[3], (QList<double>{7, 8}));
}

void TestTransfer::previewShowsTheMarkAndTheAmountsThatNeedALook()
{
    TestSession s(Edition::Lunvard);
    s.context.locale = QLocale(QStringLiteral("de_DE"));
    s.start(QDate(2026, 12, 9));
    s.db()->exec("DELETE FROM tblPrices");
    PriceTransfer::ImportJob job(s.context.databasePath(), s.context.locale, {true, true});
    const Csv::Table table = Csv::parse("Description;Labor Price;Material Price\n"
                                        "Trim;0,975;0\nDoor;1,234;0\nWindow;1.234;0\n"
                                        "Roof;" + QByteArray(30, '9') + ";0\n");
    TfrmImport dialog(job, table, QStringLiteral("prices.csv"), s.prompts);
    auto *mark = dialog.findChild<QComboBox *>(QStringLiteral("cmbDecimalMark"));
    const auto summary = [&] { return dialog.findChild<QLabel *>(QStringLiteral("lblSummary"))->text(); };
    QCOMPARE(mark->currentText(), QStringLiteral("comma"));
    QVERIFY(!summary().contains(QStringLiteral("Every row can be taken")));
    QVERIFY(summary().contains(QStringLiteral("The 2 amounts listed below need a look")));
    QVERIFY(summary().contains(QStringLiteral("The fault listed below cannot be taken")));
    QCOMPARE(job.takenCount(), 1);
    QCOMPARE(describe(job.problems()).last(),
             QStringLiteral("5 Labor Price: too large: no amount may be above 9999999999,99"));
    dialog.resize(1000, 480);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (const QString shot = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !shot.isEmpty())
        dialog.grab().save(shot + QStringLiteral("/import-preview.png"));

    // The user says the file's mark is a point: "0,975" is then no number at all.
    mark->setFocus();
    QTest::keyClick(mark, Qt::Key_Up);
    QCOMPARE(dialog.decimalReading().mark, DecimalMark::Point);
    QVERIFY(summary().startsWith(QStringLiteral("Amounts are read with a decimal point, as you chose.")));
    QCOMPARE(describe(job.problems()).first(), QStringLiteral("2 Labor Price: not a number with a decimal point: \"0,975\""));

    // Back to the comma, and the two that need a look are taken as read with it.
    QTest::keyClick(mark, Qt::Key_Down);
    dialog.findChild<QCheckBox *>(QStringLiteral("chkTakeAmbiguous"))->setChecked(true);
    QCOMPARE(job.takenCount(), 3);
    QVERIFY(!summary().contains(QStringLiteral("need a look")));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QList<double> labor;
    for (const PriceItem &item : PriceStore::readAll(*s.db()))
        labor << item.dbLbrPrc;
    QCOMPARE(labor, (QList<double>{0.975, 1.234, 1234}));
}

QTEST_MAIN(TestTransfer)
#include "test_transfer.moc"
