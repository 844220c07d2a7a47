#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/SchemaUpgrade.h"
#include "data/StoredForm.h"
#include "editing/MaintenanceQuery.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/Recurring.h"
#include "invoice/Totals.h"
#include "planner/ActivityStore.h"
#include "planner/PlannerDates.h"
#include "invoice/WorkSheet.h"

#include <QFileInfo>
#include <QTest>
#include <cmath>
#include <random>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kBritish(QLocale::English, QLocale::UnitedKingdom);
const QLocale kAmerican(QLocale::English, QLocale::UnitedStates);

constexpr int kCorvalo = 1;
constexpr int kHeddrin = 2;

struct Session : TestSession
{
    explicit Session(int edition, const QLocale &locale)
        : TestSession(edition)
    {
        context.locale = locale;
        start(QDate(2026, 12, 9));
    }

    CurrentDocument &doc() { return context.document; }

    template<typename Line>
    int saveNew(const QString &kind, QDate date, const QList<Line> &lines)
    {
        DocumentStore store(context);
        doc().header.blnNewInvoice = true;
        store.pLoadInvoice();
        doc().header.strInvName = kind;
        doc().header.strInvDate = date;
        doc().header.strPaidInFull = false;
        if constexpr (std::is_same_v<Line, WorkSheet>)
            doc().lines.setWorkSheets(lines);
        else
            doc().lines.setPriceLines(lines);
        return store.pSaveInvoice();
    }

    void open(int number)
    {
        doc().header.blnNewInvoice = false;
        doc().header.intInvNumber = number;
        DocumentStore(context).pLoadInvoice();
    }

    /// Every stored row of the tables this work converts.
    QStringList rows()
    {
        QStringList all;
        const auto db = this->db();
        for (const char *table : {"tblInvHeader", "tblInvData", "tblRecurring", "tblPlanner", "tblReport"}) {
            Statement q = db->prepare(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
            while (q.step()) {
                QStringList cells;
                for (int c = 0; c < 40; ++c) {
                    // Every save moves a row's version on; the stored texts must stay.
                    if (q.columnName(c) != QLatin1String("intRowVersion"))
                        cells << q.textAt(c);
                }
                all << cells.join(QLatin1Char('|'));
            }
        }
        return all;
    }

    QString text(const QString &sql) const
    {
        const auto db = this->db();
        Statement q = db->prepare(sql);
        q.step();
        return q.textAt(0);
    }
};

PriceLine priceLine(double quantity, double labor)
{
    return {QStringLiteral("Fence"), quantity, labor, 0, true, false};
}

WorkSheet sheetLine(double extraLabor, double extraMaterial)
{
    WorkSheet sheet;
    sheet.strWorkSheetName = QStringLiteral("Kitchen");
    sheet.intAreaLength = 12;
    sheet.intAreaWidth = 10;
    sheet.intAreaHeight = 8;
    sheet.intPaintsCoats = 2;
    sheet.strExtraChargesName = QStringLiteral("Scaffold");
    sheet.dbExtraChargesLabor = extraLabor;
    sheet.dbExtraChargesMaterial = extraMaterial;
    return sheet;
}

} // namespace

class TestStoredForm : public QObject
{
    Q_OBJECT

private:
    static void localePairs()
    {
        QTest::addColumn<QLocale>("writer");
        QTest::addColumn<QLocale>("reader");
        const QList<QLocale> locales{kGerman, kBritish, kAmerican};
        for (const QLocale &writer : locales) {
            for (const QLocale &reader : locales) {
                if (writer != reader)
                    QTest::addRow("%s -> %s", qPrintable(writer.name()), qPrintable(reader.name()))
                        << writer << reader;
            }
        }
    }

private slots:
    // Every day of four centuries reads back as written, and text that only looks
    // like a date (signs, blanks, letters, day 30 of February) reads as none, as the
    // format parser would have it.
    void storedDatesReadBackExactly()
    {
        for (QDate day(1900, 1, 1); day < QDate(2300, 1, 1); day = day.addDays(1))
            QCOMPARE(StoredForm::readDate(StoredForm::dateText(day)), std::optional<QDate>(day));
        std::mt19937 rng(32);
        const QString alphabet = QStringLiteral("0123456789-+ aT\u0660");
        for (int i = 0; i < 20000; ++i) {
            QString text = StoredForm::dateText(QDate(1990, 1, 1).addDays(int(rng() % 20000)));
            text[int(rng() % 10)] = alphabet.at(int(rng() % alphabet.size()));
            const QDate parsed = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
            const std::optional<QDate> read = StoredForm::readDate(text);
            QVERIFY2(read.value_or(QDate()) == parsed && read.has_value() == parsed.isValid(), qPrintable(text));
        }
    }

    // Amounts read as the general number reader reads them, whatever the text: a
    // stored amount, an exponent, a sign, blanks, a comma, letters.
    void storedAmountsReadAsTheNumberReaderDoes()
    {
        std::mt19937 rng(27);
        const QString alphabet = QStringLiteral("0123456789.-+e ,xn\u00e9");
        for (int i = 0; i < 20000; ++i) {
            QString text = StoredForm::amountText(double(std::int64_t(rng() % 2000000000) - 1000000000) / 100.0);
            if (i % 2)
                text[int(rng() % text.size())] = alphabet.at(int(rng() % alphabet.size()));
            bool ok = false;
            const double expected = text.trimmed().toDouble(&ok);
            const std::optional<double> read = StoredForm::readAmount(text);
            QVERIFY2(read.has_value() == (ok && std::isfinite(expected)), qPrintable(text));
            if (read)
                QCOMPARE(*read, expected);
        }
        QCOMPARE(StoredForm::readAmount(QStringLiteral("1e400")), std::nullopt);
        QCOMPARE(StoredForm::readAmount(QStringLiteral(" 12.5 ")), std::optional<double>(12.5));
    }

    void storedFormsDoNotFollowTheLocale()
    {
        QCOMPARE(StoredForm::dateText(QDate(2027, 1, 5)), QStringLiteral("2027-01-05"));
        QCOMPARE(StoredForm::dateTimeText(StoredForm::wallClock(QDate(2026, 12, 14), QTime(8, 0))),
                 QStringLiteral("2026-12-14T08:00:00"));
        QCOMPARE(StoredForm::amountText(125.5), QStringLiteral("125.5"));
        QCOMPARE(StoredForm::amountText(-0.1), QStringLiteral("-0.1"));
        QCOMPARE(StoredForm::readAmount(StoredForm::amountText(1234567.89)), 1234567.89);
        QVERIFY(!StoredForm::readAmount(QStringLiteral("125,5")));
        QVERIFY(!StoredForm::readDate(QStringLiteral("05/01/2027")));
        QVERIFY(!StoredForm::readDate(QStringLiteral("2027-02-30")));
        QVERIFY(!StoredForm::readDateTime(QStringLiteral("2026-12-14 08:00")));
        QCOMPARE(StoredForm::Legacy::readCurrency(QStringLiteral("365,36 \u20ac"), kGerman), 365.36);
        QCOMPARE(StoredForm::Legacy::readCurrency(Money::currencyText(-1234.5, kAmerican), kAmerican), -1234.5);
        QCOMPARE(StoredForm::Legacy::readCurrency(Money::currencyText(1234.5, kBritish), kBritish), 1234.5);
        QCOMPARE(StoredForm::Legacy::readDateTime(QStringLiteral("14.12.2026 08:00:00"), kGerman),
                 StoredForm::wallClock(QDate(2026, 12, 14), QTime(8, 0)));
        QCOMPARE(StoredForm::Legacy::readDate(QStringLiteral("05/01/2027"), kBritish), QDate(2027, 1, 5));
    }

    void documentReadsTheSameUnderEveryLocale_data() { localePairs(); }
    void documentReadsTheSameUnderEveryLocale()
    {
        QFETCH(QLocale, writer);
        QFETCH(QLocale, reader);
        Session s(kCorvalo, writer);
        const QDate date(2027, 1, 5);
        const int number = s.saveNew(QStringLiteral("Invoice"), date,
                                     QList<PriceLine>{priceLine(1.5, 125.5)});
        const double balance = s.doc().header.dbInvBalance;
        QVERIFY(balance > 188);
        const QStringList written = s.rows();

        s.context.locale = reader;
        s.open(number);
        QCOMPARE(s.doc().header.strInvDate, date);
        QCOMPARE(s.doc().header.dbInvBalance, balance);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Quantity), Money::decimalText(1.5, reader));
        const QList<MaintenanceRow> listed = MaintenanceQuery(s.context).run(MaintenanceType::ViewAll, {}, {});
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().strInvTotal, Money::currencyText(balance, reader));

        // Saved again under the other locale, every stored text stays as it was.
        DocumentStore(s.context).pSaveInvoice();
        QCOMPARE(s.rows(), written);
        QCOMPARE(s.text(QStringLiteral("SELECT strInvDate FROM tblInvHeader")), QStringLiteral("2027-01-05"));
    }

    void extraChargesReadTheSameUnderEveryLocale_data() { localePairs(); }
    void extraChargesReadTheSameUnderEveryLocale()
    {
        QFETCH(QLocale, writer);
        QFETCH(QLocale, reader);
        Session s(kHeddrin, writer);
        const int number = s.saveNew(QStringLiteral("Estimate"), QDate(2026, 3, 15),
                                     QList<WorkSheet>{sheetLine(125.5, 0)});
        const double balance = s.doc().header.dbInvBalance;
        QCOMPARE(s.text(QStringLiteral("SELECT strExtraChargesLabor || '|' || strExtraChargesMaterial FROM tblInvData")),
                 QStringLiteral("125.5|0"));
        const QStringList written = s.rows();

        s.context.locale = reader;
        s.open(number);
        const WorkSheet &sheet = s.doc().lines.workSheet(0);
        QCOMPARE(sheet.dbExtraChargesLabor, 125.5);
        QCOMPARE(sheet.dbExtraChargesMaterial, 0.0);
        QCOMPARE(s.doc().header.dbInvBalance, balance);
        DocumentStore(s.context).pSaveInvoice();
        QCOMPARE(s.rows(), written);
    }

    void plannerAndRecurringDatesReadTheSame_data() { localePairs(); }
    void plannerAndRecurringDatesReadTheSame()
    {
        QFETCH(QLocale, writer);
        QFETCH(QLocale, reader);
        Session s(kCorvalo, writer);
        TrecActivityEdit activity = TrecActivityEdit::newOn(QDate(2026, 12, 14));
        activity.strActStartDateTime = PlannerDates::wallClock(QDate(2026, 12, 14), QTime(8, 0));
        activity.strActEndDateTime = PlannerDates::wallClock(QDate(2026, 12, 15), QTime(17, 30, 15));
        activity.strActivity = QStringLiteral("Paint the hall");
        {
            const auto db = s.db();
            activity.intActMasterID = ActivityStore(*db).save(activity);
            Recurring::pSetLastPrinted(*db, QDate(2027, 1, 5));
        }
        const QStringList written = s.rows();

        s.context.locale = reader;
        const auto db = s.db();
        QCOMPARE(Recurring::GetLastPrintedText(*db, reader), DateText::shortDate(QDate(2027, 1, 5), reader));
        const QList<PlannerRow> rows = ActivityStore(*db).listActivities(QDate(2026, 12, 15), PlannerListKind::Day);
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.first().timesRead);
        QCOMPARE(rows.first().start, activity.strActStartDateTime);
        QCOMPARE(rows.first().end, activity.strActEndDateTime);
        ActivityStore(*db).save(TrecActivityEdit::fromRow(rows.first()));
        QCOMPARE(s.rows().size(), written.size());
        QCOMPARE(s.text(QStringLiteral("SELECT strActEndDateTime FROM tblPlanner WHERE strActivity = 'Paint the hall'")),
                 QStringLiteral("2026-12-15T17:30:15"));
    }

    void olderFileIsConvertedOnceAndReadsTheSame()
    {
        Session s(kCorvalo, kGerman);
        const int paid = s.saveNew(QStringLiteral("Invoice"), QDate(2026, 3, 15), QList<PriceLine>{priceLine(2, 100)});
        const int broken = s.saveNew(QStringLiteral("Estimate"), QDate(2026, 4, 1), QList<PriceLine>{priceLine(1, 10)});
        const QString path = s.context.databasePath();
        {
            // The file as an older version under de_DE left it: locale texts, no level.
            const auto db = s.db();
            db->exec(QStringLiteral("DROP TABLE tblSchemaLevel"));
            db->prepare(QStringLiteral("UPDATE tblInvHeader SET strInvDate = ?, strInvTotal = ? WHERE intInvNumber = ?"))
                .bindAll(QStringLiteral("15.03.2026"), QStringLiteral("365,36 \u20ac"), paid)
                .run();
            db->prepare(QStringLiteral("UPDATE tblInvHeader SET strInvDate = '31.31.2026' WHERE intInvNumber = ?"))
                .bindAll(broken)
                .run();
            db->exec(QStringLiteral("UPDATE tblInvData SET strPrcItmQuantity = '1,5' WHERE intInvNumber = %1").arg(paid));
            db->exec(QStringLiteral("UPDATE tblRecurring SET strLastPrintedDate = '05.01.2027'"));
            db->exec(QStringLiteral("UPDATE tblPlanner SET strActStartDateTime = '14.12.2026 08:00:00', "
                                    "strActEndDateTime = '14.12.2026' WHERE intActMasterID = 1"));
            db->exec(QStringLiteral("INSERT INTO tblInvHeader(strInvName,intInvNumber,strInvDate,strRecurring,"
                                    "strPaidInFull,strCustTaxExempt,strUseTax1,strUseTax2,strUseTax3,strInvTotal) "
                                    "VALUES('Invoice',900,'Date:____/____/________','0','0','0','0','0','0','0,00 \u20ac')"));
        }
        QCOMPARE(SchemaUpgrade::schemaLevel(*s.db()), 0);
        const QStringList old = s.rows();

        s.prompts.asked.clear();
        s.prompts.picks = {0}; // convert the rest, keep the date that does not read
        s.start(QDate(2026, 12, 9));
        const QStringList notices = s.prompts.messages(QStringLiteral("Information"));
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices.first().contains(QStringLiteral("\"31.31.2026\"")), qPrintable(notices.first()));
        QVERIFY(notices.first().contains(QStringLiteral("Document %1").arg(broken)));
        QCOMPARE(SchemaUpgrade::safetyCopyPaths(path).size(), 1);
        {
            Database copy(SchemaUpgrade::safetyCopyPaths(path).first());
            QCOMPARE(SchemaUpgrade::schemaLevel(copy), 0);
            QVERIFY(!copy.tableExists(QStringLiteral("tblSchemaLevel")));
            Statement q = copy.prepare(QStringLiteral("SELECT strInvTotal FROM tblInvHeader WHERE intInvNumber = 900"));
            QVERIFY(q.step());
            QCOMPARE(q.textAt(0), QStringLiteral("0,00 \u20ac"));
        }
        QCOMPARE(SchemaUpgrade::schemaLevel(*s.db()), SchemaUpgrade::currentLevel());

        QCOMPARE(s.text(QStringLiteral("SELECT strInvDate || '|' || strInvTotal FROM tblInvHeader WHERE intInvNumber = %1")
                            .arg(paid)),
                 QStringLiteral("2026-03-15|365.36"));
        QCOMPARE(s.text(QStringLiteral("SELECT strInvDate FROM tblInvHeader WHERE intInvNumber = %1").arg(broken)),
                 QStringLiteral("31.31.2026"));
        QCOMPARE(s.text(QStringLiteral("SELECT strInvDate || '|' || strInvTotal FROM tblInvHeader WHERE intInvNumber = 900")),
                 QStringLiteral("|0"));
        QCOMPARE(s.text(QStringLiteral("SELECT strPrcItmQuantity FROM tblInvData WHERE intInvNumber = %1").arg(paid)),
                 QStringLiteral("1.5"));
        QCOMPARE(s.text(QStringLiteral("SELECT strLastPrintedDate FROM tblRecurring")), QStringLiteral("2027-01-05"));
        QCOMPARE(s.text(QStringLiteral("SELECT strActStartDateTime || '|' || strActEndDateTime FROM tblPlanner "
                                       "WHERE intActMasterID = 1")),
                 QStringLiteral("2026-12-14T08:00:00|2026-12-14T00:00:00"));

        // Read under another locale, the converted document is the same day and amount.
        s.context.locale = kAmerican;
        s.open(paid);
        QCOMPARE(s.doc().header.strInvDate, QDate(2026, 3, 15));
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Quantity), QStringLiteral("1.5"));
        // The value that did not read leaves its document without a date, never a wrong one.
        s.open(broken);
        QVERIFY(!s.doc().header.strInvDate.isValid());
        QCOMPARE(s.doc().unreadDateText, QStringLiteral("31.31.2026"));

        // A second start finds nothing to do and tells nothing.
        const QStringList converted = s.rows();
        QVERIFY(converted != old);
        s.prompts.asked.clear();
        s.start(QDate(2026, 12, 9));
        QVERIFY(s.prompts.messages(QStringLiteral("Information")).isEmpty());
        QCOMPARE(s.rows(), converted);
        const SchemaUpgrade::UpgradeReport again = s.upgrade();
        QVERIFY(!again.upgraded());
    }

    void olderHeddrinExtraChargesAreConverted()
    {
        Session s(kHeddrin, kGerman);
        s.saveNew(QStringLiteral("Estimate"), QDate(2026, 3, 15), QList<WorkSheet>{sheetLine(1, 2)});
        {
            const auto db = s.db();
            db->exec(QStringLiteral("DROP TABLE tblSchemaLevel"));
            db->exec(QStringLiteral("UPDATE tblInvData SET strExtraChargesLabor = '125,5', "
                                    "strExtraChargesMaterial = 'viel'"));
        }
        s.prompts.asked.clear();
        s.prompts.picks = {0};
        s.start(QDate(2026, 12, 9));
        QCOMPARE(s.prompts.messages(QStringLiteral("Information")).size(), 1);
        QVERIFY(s.prompts.messages(QStringLiteral("Information")).first().contains(QStringLiteral("\"viel\"")));
        QCOMPARE(s.text(QStringLiteral("SELECT strExtraChargesLabor || '|' || strExtraChargesMaterial FROM tblInvData")),
                 QStringLiteral("125.5|viel"));
    }
};

QTEST_MAIN(TestStoredForm)
#include "test_storedform.moc"
