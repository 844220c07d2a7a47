#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/PostingRuleStep.h"
#include "data/StoredForm.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/Totals.h"
#include "invoice/WorkSheet.h"

#include <QTest>
#include <algorithm>
#include <thread>

namespace {

struct Session : TestSession
{
    explicit Session(int edition)
        : TestSession(edition)
        , store(context)
    {
        start(QDate(2026, 12, 9));
    }

    CurrentDocument &doc() { return context.document; }

    void startNew(const QString &kind = QStringLiteral("Invoice"), QDate date = QDate(2026, 3, 15))
    {
        doc().header.blnNewInvoice = true;
        store.pLoadInvoice();
        doc().header.strInvName = kind;
        doc().header.strInvDate = date;
    }

    void open(int number)
    {
        doc().header.blnNewInvoice = false;
        doc().header.intInvNumber = number;
        store.pLoadInvoice();
    }

    void addLine(const QString &description, const QString &qty, const QString &labor, const QString &material)
    {
        const auto number = [this](const QString &text) { return *Money::parseDecimal(text, context.locale); };
        doc().lines.appendPriceLine({description, number(qty), number(labor), number(material), true, false});
        recalc();
    }

    void recalc() { Totals::pCalcTotals(doc(), context.edition(), context.company, context.locale); }

    qint64 count(const QString &sql) { return db()->queryInt(sql); }

    /// Every row of every table, to prove a failed act changed nothing.
    QByteArray dump()
    {
        QByteArray all;
        const auto connection = db();
        Statement tables = connection->prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
        while (tables.step()) {
            Statement rows = connection->prepare(QStringLiteral("SELECT * FROM ") + tables.textAt(0));
            while (rows.step()) {
                for (int c = 0; c < 40; ++c) {
                    // Every save moves a row's version on; the rest must stay.
                    if (rows.columnName(c) != QLatin1String("intRowVersion"))
                        all += rows.textAt(c).toUtf8() + '|';
                }
                all += '\n';
            }
        }
        return all;
    }

    struct Month
    {
        double laborTotal = 0;
        double laborTax1 = 0;
        bool exists = false;
    };
    Month month(int year, int m)
    {
        Statement q = db()->prepare(QStringLiteral(
            "SELECT dbLbrTotal, dbLbrTax1Total FROM tblReport WHERE intReportYear = ? AND intReportMonth = ?"));
        q.bindAll(year, m);
        Month result;
        result.exists = q.step();
        result.laborTotal = q.doubleAt(0);
        result.laborTax1 = q.doubleAt(1);
        return result;
    }

    DocumentStore store;
};

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private slots:
    void numbersAreConsumedBySavingOnly()
    {
        Session s(Edition::Corvalo);
        s.startNew();
        QCOMPARE(s.doc().header.intInvNumber, 500);
        s.addLine("Paint", "1", "10", "5");
        QCOMPARE(s.store.pSaveInvoice(), 500);
        QVERIFY(!s.doc().header.blnNewInvoice);
        QCOMPARE(s.store.GetInvoiceNumber(), 501);

        s.startNew(); // abandoned
        QCOMPARE(s.doc().header.intInvNumber, 501);
        s.startNew();
        QCOMPARE(s.doc().header.intInvNumber, 501);
        QCOMPARE(s.store.GetInvoiceNumber(), 501);
        QCOMPARE(s.store.pTakeInvoiceNumber(), 501);
        QCOMPARE(s.store.GetInvoiceNumber(), 502);
    }

    void printNumbersAreTakenOnceAndGivenBackOnlyWhenLast()
    {
        Session first(Edition::Lunvard);
        // A second window of the program on the same file.
        ScriptedPrompts otherPrompts;
        AppContext other(Edition::get(Edition::Lunvard), otherPrompts, first.saving);
        DocumentStore otherStore(other);

        QCOMPARE(first.store.pTakeInvoiceNumber(), 500);
        QCOMPARE(otherStore.pTakeInvoiceNumber(), 501);
        // The first print failed, but 501 is out: 500 stays used rather than handed out twice.
        QVERIFY(!first.store.pGiveBackInvoiceNumber(500));
        QCOMPARE(first.store.GetInvoiceNumber(), 502);
        QVERIFY(otherStore.pGiveBackInvoiceNumber(501));
        QCOMPARE(first.store.GetInvoiceNumber(), 501);

        // Many takers at once: every number handed out once.
        QList<int> taken[2];
        std::thread a([&] { for (int i = 0; i < 20; ++i) taken[0] << first.store.pTakeInvoiceNumber(); });
        std::thread b([&] { for (int i = 0; i < 20; ++i) taken[1] << otherStore.pTakeInvoiceNumber(); });
        a.join();
        b.join();
        QList<int> all = taken[0] + taken[1];
        std::sort(all.begin(), all.end());
        QCOMPARE(all.size(), 40);
        QCOMPARE(all.front(), 501);
        QCOMPARE(all.back(), 540);
        QVERIFY(std::adjacent_find(all.begin(), all.end()) == all.end());
    }

    void everyHeaderFieldRoundTrips()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        TrecInvHeader &h = s.doc().header;
        const QString hostile = QStringLiteral("Bob \"The Builder\" O'Neil; DROP TABLE tblInvHeader;-- \u05e9\u05dc\u05d5\u05dd \U0001F3E0");
        h.strFromInvNameNumber = QStringLiteral("Invoice 12");
        h.strRecurring = true;
        h.intInvFootNotes = 2;
        h.strCustCmpnyName = hostile;
        h.strCustFullName = QStringLiteral("strCustFullName");
        h.strCustAddress = QStringLiteral("1 \"Quoted\" Way");
        h.strCustCtyStZp = QStringLiteral("Zürich, ZH 8000");
        h.strCustMainPhone = QStringLiteral("555-0100");
        h.strCustExtraPhone1 = QStringLiteral("Fax: 555-0101");
        h.strCustExtraPhone2 = QStringLiteral("Cell: 555-0102");
        h.strCustPymntTerms = QStringLiteral("Net 30 – \u2019quoted\u2019");
        h.strCustPONumber = QStringLiteral("PO-'7'");
        h.strCustTaxExemptNum = QStringLiteral("EX-1");
        h.intCustDiscountPercent = 7;
        h.strCustNotes = QStringLiteral("office\r\nnotes");
        h.strCustTaxExempt = true;
        h.strUseTax1 = true;
        h.strUseTax3 = true;
        h.dbTaxRate3 = 0.0725;
        h.dbPaidAmount = 1e12;
        h.dbDepositAmount = 12.34;
        h.strDueDate = QDate(2031, 2, 28);
        h.intCustomerID = 7;
        s.doc().notes = QString(10000, QLatin1Char('n')) + hostile;
        s.addLine(hostile, "2.5", "10.25", "0");
        s.addLine(QStringLiteral("second"), "1", "0", "3.5");
        const TrecInvHeader saved = h;
        const QString notes = s.doc().notes;
        const int number = s.store.pSaveInvoice();

        s.open(number);
        const TrecInvHeader &l = s.doc().header;
        QCOMPARE(l.strInvName, saved.strInvName);
        QCOMPARE(l.strInvDate, saved.strInvDate);
        QCOMPARE(l.strFromInvNameNumber, saved.strFromInvNameNumber);
        QCOMPARE(l.strRecurring, true);
        QCOMPARE(l.strPaidInFull, false);
        QCOMPARE(l.intInvFootNotes, 2);
        QCOMPARE(l.strCustCmpnyName, hostile);
        QCOMPARE(l.strCustFullName, saved.strCustFullName);
        QCOMPARE(l.strCustAddress, saved.strCustAddress);
        QCOMPARE(l.strCustCtyStZp, saved.strCustCtyStZp);
        QCOMPARE(l.strCustMainPhone, saved.strCustMainPhone);
        QCOMPARE(l.strCustExtraPhone1, saved.strCustExtraPhone1);
        QCOMPARE(l.strCustExtraPhone2, saved.strCustExtraPhone2);
        QCOMPARE(l.strCustPymntTerms, saved.strCustPymntTerms);
        QCOMPARE(l.strCustPONumber, saved.strCustPONumber);
        QCOMPARE(l.strCustTaxExemptNum, saved.strCustTaxExemptNum);
        QCOMPARE(l.intCustDiscountPercent, 7);
        QCOMPARE(l.strCustNotes, saved.strCustNotes);
        QCOMPARE(l.strCustTaxExempt, true);
        QCOMPARE(l.strUseTax1, true);
        QCOMPARE(l.strUseTax2, false);
        QCOMPARE(l.strUseTax3, true);
        QCOMPARE(l.dbTaxRate1, 0.0123);
        QCOMPARE(l.dbTaxRate3, 0.0725);
        QCOMPARE(l.dbPaidAmount, 1e12);
        QCOMPARE(s.doc().payments.size(), 1); // the typed amount became one payment
        QCOMPARE(l.dbDepositAmount, 12.34);
        QCOMPARE(l.strDueDate, QDate(2031, 2, 28));
        QCOMPARE(l.intCustomerID, 7);
        QCOMPARE(l.intJobID, number);
        {
            const auto db = s.db();
            Statement total = db->prepare(QStringLiteral("SELECT strInvTotal FROM tblInvHeader"));
            QVERIFY(total.step());
            QCOMPARE(total.textAt(0), StoredForm::amountText(l.dbInvBalance));
        }
        QCOMPARE(l.dbInvBalance, saved.dbInvBalance);
        QCOMPARE(s.doc().notes, notes);
        QCOMPARE(s.doc().lines.rowCount(), 2);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Description), hostile);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Quantity), QStringLiteral("2.5"));
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::LabPrice), QStringLiteral("10.25"));
        QCOMPARE(s.doc().lines.cell(1, InvoiceLines::MatPrice), QStringLiteral("3.5"));
        QVERIFY(!s.doc().lines.cell(0, InvoiceLines::Total).isEmpty()); // totals ran on load

        // Saving again writes one header and one set of lines.
        s.store.pSaveInvoice();
        s.store.pSaveInvoice();
        QCOMPARE(s.count("SELECT count(*) FROM tblInvHeader"), 1);
        QCOMPARE(s.count("SELECT count(*) FROM tblInvData"), 2);
    }

    void extremeAmountsAndTextsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("amount");
        QTest::newRow("zero") << QStringLiteral("plain") << QStringLiteral("0");
        QTest::newRow("a trillion") << QStringLiteral("\u05e9\u05dc\u05d5\u05dd RTL") << QStringLiteral("1000000000000");
        QTest::newRow("negative") << QStringLiteral("back\\slash \t tab") << QStringLiteral("-42.5");
        QTest::newRow("emoji and controls") << QStringLiteral("\U0001F600\u0001\u001f end") << QStringLiteral("0.01");
    }

    void extremeAmountsAndTextsRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QString, amount);
        Session s(Edition::Corvalo);
        s.startNew();
        s.doc().header.strCustFullName = text;
        s.addLine(text, amount, amount, "0");
        const QString total = s.doc().print.strTotal;
        const int number = s.store.pSaveInvoice();
        s.open(number);
        QCOMPARE(s.doc().header.strCustFullName, text);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Description), text);
        QCOMPARE(Money::parseDecimal(s.doc().lines.cell(0, InvoiceLines::LabPrice), s.context.locale),
                 Money::parseDecimal(amount, s.context.locale));
        QCOMPARE(s.doc().print.strTotal, total);
    }

    void missingDocumentIsReportedClearly()
    {
        Session s(Edition::Corvalo);
        try {
            s.open(9999);
            QFAIL("loaded a document that does not exist");
        } catch (const DbError &error) {
            QCOMPARE(error.message(), QStringLiteral("Document number 9999 was not found."));
        }
    }

    void deleteRemovesDocumentButKeepsPostings()
    {
        Session s(Edition::Corvalo);
        s.startNew();
        s.doc().header.strPaidInFull = true;
        for (int i = 0; i < 200; ++i)
            s.addLine(QString(300, QLatin1Char('x')), "1", "10", "0");
        const int number = s.store.pSaveInvoice();
        QVERIFY(s.month(2026, 3).exists);
        s.store.pDeleteInvoice();
        QCOMPARE(s.count("SELECT count(*) FROM tblInvHeader"), 0);
        QCOMPARE(s.count("SELECT count(*) FROM tblInvData"), 0);
        QCOMPARE(s.month(2026, 3).laborTotal, 2000.0);
        QCOMPARE(s.count("PRAGMA freelist_count"), 0);
        Q_UNUSED(number);
    }

    void paidInvoicesPostToTheirMonth()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"), QDate(2026, 3, 15));
        s.doc().header.strUseTax1 = true;
        s.addLine("Work", "1", "100", "0");
        s.store.pSaveInvoice();
        QCOMPARE(s.count("SELECT count(*) FROM tblReport"), 0); // unpaid posts nothing

        s.doc().header.strPaidInFull = true;
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 3).laborTotal, 100.0);
        QCOMPARE(s.month(2026, 3).laborTax1, 1.23);
        const QByteArray posted = s.dump();
        s.store.pSaveInvoice(); // unchanged
        QCOMPARE(s.dump(), posted);

        s.doc().header.strInvDate = QDate(2026, 4, 2);
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 3).laborTotal, 0.0);
        QCOMPARE(s.month(2026, 4).laborTotal, 100.0);

        // No longer an invoice: its sale leaves the report.
        s.doc().header.strInvName = QStringLiteral("Estimate");
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 4).laborTotal, 0.0);
        // A paid estimate never posted, so becoming an invoice again posts once.
        s.doc().header.strInvName = QStringLiteral("invoice");
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 4).laborTotal, 100.0);
    }

    void olderPostingsAreTakenOutAsTheyWerePosted()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"), QDate(2026, 3, 15));
        s.doc().header.strUseTax1 = true;
        s.doc().header.strPaidInFull = true;
        for (int i = 0; i < 3; ++i)
            s.addLine("Part", "1", "0.333", "0");
        const int number = s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 3).laborTotal, 0.99);

        // As a version that rounded nothing left it: the unrounded sums posted, and
        // the file is upgraded when it is opened.
        const double rate = s.doc().header.dbTaxRate1;
        auto db = s.db();
        db->prepare(QStringLiteral("UPDATE tblReport SET dbLbrTotal = ?, dbLbrTax1Total = ?")).bindAll(0.999, 0.999 * rate).run();
        db->exec(QStringLiteral("ALTER TABLE tblInvHeader DROP COLUMN strPostedInCents"));
        db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?")).bindAll(PostingRuleStep::kLevel - 1).run();
        db.reset();
        QVERIFY(s.upgrade().upgraded());
        QCOMPARE(s.count("SELECT count(*) FROM tblInvHeader WHERE strPostedInCents = '0'"), 1);

        s.open(number);
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 3).laborTotal, 0.99);
        QCOMPARE(s.month(2026, 3).laborTax1, Money::roundToCents(0.99 * rate));
        s.open(number); // now posted in cents: taken out as such
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 3).laborTotal, 0.99);
        QCOMPARE(s.count("SELECT count(*) FROM tblInvHeader WHERE strPostedInCents = '0'"), 0);
    }

    void creditsPostNegatively()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Credit"), QDate(2026, 5, 31));
        s.doc().header.strPaidInFull = true;
        s.addLine("Refund", "1", "100", "0");
        s.store.pSaveInvoice();
        QVERIFY(!s.doc().header.strPaidInFull);
        QCOMPARE(s.month(2026, 5).laborTotal, -100.0);
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 5).laborTotal, -100.0);

        s.doc().header.strInvDate = QDate(2026, 6, 1);
        s.store.pSaveInvoice();
        QCOMPARE(s.month(2026, 5).laborTotal, 0.0);
        QCOMPARE(s.month(2026, 6).laborTotal, -100.0);
    }

    void failedSaveLeavesEverythingAsBefore()
    {
        Session s(Edition::Corvalo);
        s.startNew();
        s.doc().header.strPaidInFull = true;
        s.addLine("Fine", "1", "10", "0");
        s.addLine("Poison", "1", "10", "0");
        s.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblInvData WHEN NEW.strPrcItemName = "
                                    "'Poison' BEGIN SELECT RAISE(ABORT, 'disk full (simulated)'); END"));
        const QByteArray before = s.dump();
        try {
            s.store.pSaveInvoice();
            QFAIL("save reported success");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("disk full (simulated)")));
        }
        QCOMPARE(s.dump(), before); // no header, no lines, no posting, no number consumed
        QVERIFY(s.doc().header.blnNewInvoice);
        QCOMPARE(s.doc().header.intInvNumber, 500);

        s.db()->exec(QStringLiteral("DROP TRIGGER refuse"));
        QCOMPARE(s.store.pSaveInvoice(), 500);
        QCOMPARE(s.month(2026, 3).laborTotal, 20.0);
    }

    void invalidDateStopsAPostingSave()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"), QDate());
        s.doc().header.strPaidInFull = true;
        s.addLine("Work", "1", "10", "0");
        const QByteArray before = s.dump();
        QVERIFY_THROWS_EXCEPTION(StoredValueError, s.store.pSaveInvoice());
        QCOMPARE(s.dump(), before);
    }

    void numberTakenMeanwhileIsNotReused()
    {
        Session first(Edition::Corvalo);
        // A second copy of the program on the same file.
        ScriptedPrompts otherPrompts;
        AppContext other(Edition::get(Edition::Corvalo), otherPrompts, first.saving);
        other.locale = first.context.locale;
        other.company = first.context.company;
        DocumentStore otherStore(other);

        first.startNew();
        other.document.header.blnNewInvoice = true;
        otherStore.pLoadInvoice();
        other.document.header.strInvName = QStringLiteral("Estimate");
        QCOMPARE(other.document.header.intInvNumber, 500);

        QCOMPARE(first.store.pSaveInvoice(), 500);
        QCOMPARE(otherStore.pSaveInvoice(), 501);
        QCOMPARE(otherPrompts.messages("Information").size(), 1);
        QVERIFY(otherPrompts.lastMessage().contains(QStringLiteral("saved as number 501")));
        QCOMPARE(first.store.GetInvoiceNumber(), 502);
    }

    void concurrentSavesNeverShareANumber()
    {
        Session main(Edition::Corvalo);
        constexpr int perWriter = 40;
        const auto writer = [&](QString kind) {
            ScriptedPrompts prompts;
            AppContext context(Edition::get(Edition::Corvalo), prompts, main.saving);
            context.locale = main.context.locale;
            DocumentStore store(context);
            for (int i = 0; i < perWriter; ++i) {
                context.document.header.blnNewInvoice = true;
                store.pLoadInvoice();
                context.document.header.strInvName = kind;
                context.document.lines.appendPriceLine({kind, 1, 1, 0, false, false});
                store.pSaveInvoice();
            }
        };
        std::thread a(writer, QStringLiteral("Estimate"));
        std::thread b(writer, QStringLiteral("Invoice"));
        a.join();
        b.join();
        QCOMPARE(main.count("SELECT count(*) FROM tblInvHeader"), 2 * perWriter);
        QCOMPARE(main.count("SELECT count(DISTINCT intInvNumber) FROM tblInvHeader"), 2 * perWriter);
        QCOMPARE(main.count("SELECT count(*) FROM tblInvData"), 2 * perWriter);
        QCOMPARE(main.store.GetInvoiceNumber(), 500 + 2 * perWriter);
    }

    void workSheetDocumentsKeepTheirPrices()
    {
        Session s(Edition::Heddrin);
        s.startNew();
        QCOMPARE(s.doc().LbrPrices[1], 0.21);
        WorkSheet sheet;
        sheet.strWorkSheetName = QStringLiteral("Hall \"A\"");
        sheet.intAreaWorkOn = WorkSheet::WallsOnly;
        sheet.intAreaLength = 12;
        sheet.intAreaWidth = 10;
        sheet.intAreaHeight = 8;
        sheet.intPaintsCoats = 2;
        sheet.strExtraChargesName = QStringLiteral("Scaffold");
        sheet.dbExtraChargesLabor = 150;
        s.doc().lines.appendWorkSheet(sheet);
        const int number = s.store.pSaveInvoice();
        QCOMPARE(s.count("SELECT count(*) FROM tblSavedPrices"), 27);
        s.store.pSaveInvoice();
        QCOMPARE(s.count("SELECT count(*) FROM tblSavedPrices"), 27);

        s.db()->exec(QStringLiteral("UPDATE tblPrices SET dbLbrPrc = 9.99"));
        s.open(number);
        QCOMPARE(s.doc().LbrPrices[1], 0.21);
        QVERIFY(qFuzzyCompare(s.doc().totals.LbrTotals[0], 147.84 + 150));
        QVERIFY(s.doc().lines.workSheet(0) == sheet);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::WorkSheetName), sheet.strWorkSheetName);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::ExtraChargesLabor), QStringLiteral("150"));

        s.startNew();
        QCOMPARE(s.doc().LbrPrices[1], 9.99);
    }

    void lunvardStoresNoLines()
    {
        Session s(Edition::Lunvard);
        s.startNew();
        s.addLine("Typed line", "1", "10", "0");
        const int number = s.store.pSaveInvoice();
        QCOMPARE(s.count("SELECT count(*) FROM tblInvData"), 0);
        s.open(number);
        QCOMPARE(s.doc().lines.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDocuments)
#include "test_documents.moc"
