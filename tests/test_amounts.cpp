#include "core/AmountReader.h"
#include "csv/CsvFields.h"
#include "data/StoredForm.h"
#include "data/WritingForm.h"
#include "editing/PaidAndDeposit.h"
#include "editing/PaymentEntry.h"
#include "invoice/InvoiceLines.h"
#include "invoice/InvoiceRecords.h"
#include "invoice/Money.h"
#include "prices/PriceLineEntry.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QList<QLocale> kLocales = {QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
                                 QLocale(QStringLiteral("fr_FR")), QLocale(QStringLiteral("de_CH")),
                                 QLocale(QStringLiteral("sv_SE")), QLocale::c()};

/// Amounts as users have them: whole cents, fractions of a cent as prices carry,
/// tiny and near the largest.
QList<double> generatedAmounts()
{
    QRandomGenerator random(27);
    QList<double> amounts = {0, 0.01, 0.1 + 0.2, 1e-7, 999.999, 1000, AmountReader::kLargest};
    for (int i = 0; i < 3000; ++i) {
        const qint64 cents = qint64(random.bounded(1.0) * 999'999'999'999.0);
        const int scale = random.bounded(4);
        amounts << (scale == 0   ? cents / 100.0
                    : scale == 1 ? double(random.bounded(100000)) / 1000.0
                    : scale == 2 ? double(cents % 100000) / 10000.0
                                 : double(cents / 100));
    }
    return amounts;
}

} // namespace

class TestAmounts : public QObject
{
    Q_OBJECT

private slots:
    void generatedAmountsReadBackAsWrittenInEachLanguage()
    {
        for (const QLocale &locale : kLocales) {
            const DecimalMark mark = AmountReader::markOf(locale);
            QLocale grouped = locale;
            grouped.setNumberOptions({});
            for (const double amount : generatedAmounts()) {
                // As a field shows it, as the user retypes it.
                const QString shown = Money::decimalText(amount, locale);
                QCOMPARE(AmountReader::readTyped(shown, locale), std::optional<double>(amount));
                // As a spreadsheet in that language writes it, thousands grouped.
                const QString written = grouped.toString(amount, 'f', QLocale::FloatingPointShortest);
                QCOMPARE(AmountReader::readWritten(written, mark), std::optional<double>(amount));
                // As an older version stored it.
                QCOMPARE(StoredForm::Legacy::readDecimal(written, locale), std::optional<double>(amount));
                QCOMPARE(WritingForm(locale).storedForm(OldStoredTexts::Kind::Decimal, written),
                         std::optional<QString>(StoredForm::amountText(amount)));
            }
        }
    }

    void eachMarkReadsByItsOwnRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("withPoint");
        QTest::addColumn<std::optional<double>>("withComma");
        const std::optional<double> none;
        QTest::newRow("thousand or decimal") << "1,234" << std::optional(1234.0) << std::optional(1.234);
        QTest::newRow("and the other way") << "1.234" << std::optional(1.234) << std::optional(1234.0);
        QTest::newRow("no group starts with 0") << "0,975" << none << std::optional(0.975);
        QTest::newRow("groups of three only") << "12,34" << none << std::optional(12.34);
        QTest::newRow("two groups") << "1.234.567" << none << std::optional(1234567.0);
        QTest::newRow("both marks") << "1,234.50" << std::optional(1234.5) << none;
        QTest::newRow("both marks, comma last") << "1.234,50" << none << std::optional(1234.5);
        QTest::newRow("one group separator throughout") << "1,234 567" << none << none;
        QTest::newRow("blank groups") << "1 234 567" << std::optional(1234567.0) << std::optional(1234567.0);
        QTest::newRow("no-break blank groups") << "12\u202F345,5" << none << std::optional(12345.5);
        QTest::newRow("apostrophe groups") << "1'234.5" << std::optional(1234.5) << none;
        QTest::newRow("exponent as exports write") << "1e-07" << std::optional(1e-7) << std::optional(1e-7);
        QTest::newRow("sign") << "-12.5" << std::optional(-12.5) << none;
        QTest::newRow("lone mark") << "," << none << none;
        QTest::newRow("currency") << "$12.50" << none << none;
        QTest::newRow("text") << "abc" << none << none;
        QTest::newRow("other digits") << "\u0661\u0662" << none << none;
        QTest::newRow("overflow") << QString(400, QLatin1Char('9')) << none << none;
    }

    void eachMarkReadsByItsOwnRules()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, withPoint);
        QFETCH(std::optional<double>, withComma);
        QCOMPARE(AmountReader::readWritten(text, DecimalMark::Point), withPoint);
        QCOMPARE(AmountReader::readWritten(text, DecimalMark::Comma), withComma);
    }

    void typedAmountsHaveNoThousands()
    {
        // A typed amount has no thousands separator, so every mark in it is decimal:
        // the same text reads the same under every language that takes it.
        const QLocale german(QStringLiteral("de_DE"));
        const QLocale us(QStringLiteral("en_US"));
        QCOMPARE(Money::parseDecimal(QStringLiteral("1.234"), german), std::optional(1.234));
        QCOMPARE(Money::parseDecimal(QStringLiteral("1,234"), german), std::optional(1.234));
        QCOMPARE(Money::parseDecimal(QStringLiteral("1.234"), us), std::optional(1.234));
        QVERIFY(!Money::parseDecimal(QStringLiteral("1,234"), us));
        QVERIFY(!Money::parseDecimal(QStringLiteral("1.234,5"), german));
        QVERIFY(!Money::parseDecimal(QStringLiteral("1e5"), us));
        QVERIFY(!Money::parseDecimal(QStringLiteral("1,2,3"), german));
    }

    void oneLargestAmountForPaymentsPricesAndImports()
    {
        const QLocale us(QStringLiteral("en_US"));
        const QString largest = QStringLiteral("9999999999.99");
        const QString above = QStringLiteral("10000000000");
        const QString thirty(30, QLatin1Char('9'));

        const auto payment = [&](const QString &amount) {
            return PaymentEntry::read({QDate(2026, 12, 9), amount, QStringLiteral("cash"), {}, {}}, us);
        };
        QCOMPARE(std::get<Payment>(payment(largest)).amount, AmountReader::kLargest);
        const QString refusal = AmountReader::tooLarge(QStringLiteral("amount"), above, us);
        QVERIFY(refusal.contains(QStringLiteral("9,999,999,999.99")));
        QCOMPARE(std::get<QString>(payment(above)), refusal);
        QVERIFY(std::get<QString>(payment(thirty)).contains(QStringLiteral("too large")));

        PriceLineEntry line{QStringLiteral("Paint"), QStringLiteral("1"), largest, QStringLiteral("0")};
        QVERIFY(!line.problem(us));
        line.materialPrice = above;
        QCOMPARE(line.problem(us), std::optional(AmountReader::tooLarge(QStringLiteral("material price"), above, us)));
        QVERIFY(!line.toLine(us));

        TrecInvHeader header;
        header.strInvName = QStringLiteral("Invoice");
        header.dbPaidAmount = 5;
        QVERIFY(PaidAndDeposit::apply(header, thirty, false, us)->contains(QStringLiteral("too large")));
        QCOMPARE(header.dbPaidAmount, 5.0); // refused: what was there stays
        QVERIFY(!PaidAndDeposit::apply(header, largest, false, us));
        QCOMPARE(header.dbPaidAmount, AmountReader::kLargest);

        const QList<Csv::FieldSpec> fields = {{QStringLiteral("Labor Price"), {}, Csv::ValueKind::Decimal}};
        const Csv::Table table = Csv::parse(("Labor Price\n" + largest + "\n" + above + "\n" + thirty + "\n").toUtf8());
        const Csv::Conversion read = Csv::convert(table, fields, {0}, {DecimalMark::Point});
        QCOMPARE(read.rows.size(), 1);
        QCOMPARE(read.rows[0].values[0].toDouble(), AmountReader::kLargest);
        QCOMPARE(read.problems.size(), 2);
        for (const Csv::RowProblem &problem : read.problems)
            QCOMPARE(problem.reason, QStringLiteral("too large: no amount may be above 9999999999.99"));
    }

    void aFileDecidesItsMarkFromAllItsValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("germanUser");
        QTest::addColumn<DecimalMark>("mark");
        QTest::addColumn<bool>("fromValues");
        QTest::newRow("commas speak") << QByteArray("P\n\"0,975\"\n\"1,234\"\n1.234\n") << false << DecimalMark::Comma
                                      << true;
        QTest::newRow("points speak") << QByteArray("P\n12.5\n\"1,234\"\n") << true << DecimalMark::Point << true;
        QTest::newRow("majority") << QByteArray("P\n12.5\n\"2,25\"\n\"3,5\"\n") << false << DecimalMark::Comma << true;
        QTest::newRow("silent file, German user") << QByteArray("P\n\"1,500\"\n20\n") << true << DecimalMark::Comma
                                                  << false;
        QTest::newRow("silent file, US user") << QByteArray("P\n\"1,500\"\n20\n") << false << DecimalMark::Point
                                              << false;
        QTest::newRow("tie") << QByteArray("P\n12.5\n\"2,25\"\n") << true << DecimalMark::Comma << false;
    }

    void aFileDecidesItsMarkFromAllItsValues()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, germanUser);
        QFETCH(DecimalMark, mark);
        QFETCH(bool, fromValues);
        const QList<Csv::FieldSpec> fields = {{QStringLiteral("P"), {}, Csv::ValueKind::Decimal},
                                              {QStringLiteral("Q"), {}, Csv::ValueKind::Text}};
        const Csv::Table table = Csv::parse(file);
        const QLocale user(germanUser ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
        const Csv::MarkDecision decision = Csv::decideDecimalMark(table, fields, {0, -1}, user);
        QCOMPARE(decision.mark, mark);
        QCOMPARE(decision.fromValues, fromValues);
        // A column that is not read as amounts has no say.
        QCOMPARE(Csv::decideDecimalMark(table, fields, {-1, 0}, user).fromValues, false);
    }

    void anAmountThatReadsTwoWaysNeedsALook()
    {
        const QList<Csv::FieldSpec> fields = {{QStringLiteral("P"), {}, Csv::ValueKind::Decimal}};
        const Csv::Table table = Csv::parse("P\n\"0,975\"\n\"1,234\"\n1.234\n\"12,5\"\n");
        Csv::Conversion read = Csv::convert(table, fields, {0}, {DecimalMark::Comma});
        QCOMPARE(read.rows.size(), 2);
        QCOMPARE(read.rows[0].values[0].toDouble(), 0.975);
        QCOMPARE(read.rows[1].values[0].toDouble(), 12.5);
        QCOMPARE(read.problems.size(), 2);
        QCOMPARE(read.problems[0].rowNumber, 3);
        QCOMPARE(read.problems[0].reason,
                 QStringLiteral("\"1,234\" needs a look: \",\" may be its decimal mark or separate thousands (1234)"));
        QCOMPARE(read.problems[1].rowNumber, 4);
        QVERIFY(read.problems[0].needsLook && read.problems[1].needsLook);

        // Taken only when the user says so, and then by the file's one mark.
        read = Csv::convert(table, fields, {0}, {DecimalMark::Comma, true});
        QCOMPARE(read.problems.size(), 0);
        QCOMPARE(read.rows[1].values[0].toDouble(), 1.234);
        QCOMPARE(read.rows[2].values[0].toDouble(), 1234.0);

        // Under the other mark "0,975" and "12,5" are no numbers at all: never 975 and 125.
        read = Csv::convert(table, fields, {0}, {DecimalMark::Point, true});
        QCOMPARE(read.problems.size(), 2);
        QVERIFY(!read.problems[0].needsLook);
        QCOMPARE(read.problems[0].reason, QStringLiteral("not a number with a decimal point: \"0,975\""));
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "test_amounts.moc"
