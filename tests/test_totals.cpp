#include "core/Edition.h"
#include "company/CompanyRecord.h"
#include "invoice/CurrentDocument.h"
#include "invoice/Money.h"
#include "invoice/Totals.h"
#include "invoice/WorkSheet.h"

#include <QTest>

namespace {

const QLocale us(QLocale::English, QLocale::UnitedStates);

/// Numbers with a comma are read as typed in German, the others in the C form.
void addLine(CurrentDocument &doc, const QString &qty, const QString &labor, bool laborTax, const QString &material,
             bool materialTax)
{
    const auto number = [](const QString &text) {
        return *Money::parseDecimal(text, text.contains(QLatin1Char(',')) ? QLocale(QLocale::German) : QLocale::c());
    };
    doc.lines.appendPriceLine({.description = QStringLiteral("Line"),
                               .quantity = number(qty),
                               .laborPrice = number(labor),
                               .materialPrice = number(material),
                               .laborTaxable = laborTax,
                               .materialTaxable = materialTax});
}

// Seed prices of the 27 work-sheet items.
void heddrinPrices(CurrentDocument &doc)
{
    const double labor[] = {0.21, 0.22, 0.95, 1.22, 0.17, 0.18, 0.09, 0.09, 0.11, 0.09, 0.18, 0.25, 0.07, 0.08,
                            0.18, 0.20, 28.35, 32.85, 26.40, 18.85, 28.95, 27.80, 85.60, 1.25, 3.25, 4.63, 6.68};
    const double material[] = {0.09, 0.12, 0.24, 0.22, 0.07, 0.06, 0.05, 0.04, 0.02, 0.03, 0.03, 0.06, 0.03, 0.04,
                               0.04, 0.03, 6.55, 8.25, 4.22, 4.25, 6.95, 6.88, 23.55, 1.66, 1.21, 2.25, 1.33};
    for (int item = 1; item <= 27; ++item) {
        doc.LbrPrices[std::size_t(item)] = labor[item - 1];
        doc.MatPrices[std::size_t(item)] = material[item - 1];
    }
}

WorkSheet wallsOnly()
{
    WorkSheet sheet;
    sheet.strWorkSheetName = QStringLiteral("Kitchen");
    sheet.intAreaWorkOn = WorkSheet::WallsOnly;
    sheet.intAreaLength = 12;
    sheet.intAreaWidth = 10;
    sheet.intAreaHeight = 8;
    sheet.intPaintsCoats = 2;
    return sheet;
}

double beforePayments(const CurrentDocument &doc)
{
    return doc.header.dbInvBalance + doc.header.dbPaidAmount;
}

} // namespace

class TestTotals : public QObject
{
    Q_OBJECT

    const Edition &m_corvalo = Edition::get(Edition::Corvalo);
    const Edition &m_heddrin = Edition::get(Edition::Heddrin);
    CompanyRecord m_company;

private slots:
    void priceLineWithDiscountAndTax()
    {
        CurrentDocument doc(m_corvalo);
        doc.header.strInvName = QStringLiteral("Invoice");
        doc.header.intCustDiscountPercent = 10;
        doc.header.strUseTax1 = true;
        doc.header.dbTaxRate1 = 0.05;
        doc.header.dbTaxRate2 = 0.07; // not in use
        addLine(doc, "2", "10.00", true, "5.00", false);
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);

        QCOMPARE(doc.lines.cell(0, InvoiceLines::PriceEach), QStringLiteral("$13.50"));
        QCOMPARE(doc.lines.cell(0, InvoiceLines::Total), QStringLiteral("$27.00"));
        QCOMPARE(doc.lines.cell(0, InvoiceLines::TaxTotal), QString());
        QCOMPARE(doc.totals.LbrTotals[0], 18.0);
        QCOMPARE(doc.totals.MatTotals[0], 9.0);
        QVERIFY(qFuzzyCompare(doc.totals.LbrTotals[1], 0.9));
        QCOMPARE(doc.totals.LbrTotals[2], 0.0);
        QCOMPARE(doc.totals.MatTotals[1], 0.0);
        QCOMPARE(doc.print.strDiscount, QStringLiteral("$3.00"));
        QCOMPARE(doc.print.strSubTotal, QStringLiteral("$30.00"));
        QCOMPARE(doc.print.strTax, QStringLiteral("$0.90"));
        QCOMPARE(doc.print.strTotal, QStringLiteral("$27.90"));
        QVERIFY(qFuzzyCompare(doc.header.dbInvBalance, 27.9));

        doc.header.strCustTaxExempt = true;
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);
        QCOMPARE(doc.print.strTax, QStringLiteral("$0.00"));
        QCOMPARE(doc.print.strTotal, QStringLiteral("$27.00"));
        QCOMPARE(doc.totals.LbrTotals[1], 0.0);
    }

    void depositPaidAndPaidInFull()
    {
        CurrentDocument doc(m_corvalo);
        doc.header.strInvName = QStringLiteral("estimate");
        doc.header.dbDepositAmount = 50;
        addLine(doc, "1", "100", false, "20", false);
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);
        QCOMPARE(doc.print.strDepositPaid, QStringLiteral("$50.00"));
        QCOMPARE(doc.print.strTotal, QStringLiteral("$120.00"));

        doc.header.strInvName = QStringLiteral("Invoice");
        doc.header.dbPaidAmount = 20;
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);
        QCOMPARE(doc.print.strDepositPaid, QStringLiteral("$20.00"));
        QCOMPARE(doc.print.strTotal, QStringLiteral("$100.00"));

        // Back to an estimate: the paid amount the invoice carried is not subtracted,
        // and neither is the deposit required, which is what the estimate prints.
        doc.header.strInvName = QStringLiteral("Estimate");
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);
        QCOMPARE(doc.print.strDepositPaid, QStringLiteral("$50.00"));
        QCOMPARE(doc.print.strTotal, QStringLiteral("$120.00"));
        doc.header.strInvName = QStringLiteral("Invoice");

        // Paid in full owes nothing and prints what was paid: at least the whole total.
        doc.header.strPaidInFull = true;
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);
        QCOMPARE(doc.print.strTotal, QStringLiteral("Paid In Full"));
        QCOMPARE(doc.print.strDepositPaid, QStringLiteral("$120.00"));
        QCOMPARE(doc.header.dbInvBalance, 0.0);
        // Without stored payments the paid line shows what the paid amount left open.
        Totals::pCalcTotals(doc, Edition::get(Edition::Lunvard), m_company, us);
        QCOMPARE(doc.print.strDepositPaid, QStringLiteral("$100.00"));
        QCOMPARE(doc.header.dbInvBalance, 100.0);
    }

    void printedFiguresAddUp_data()
    {
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<QString>("lineTotal");
        QTest::addColumn<QString>("subTotal");
        QTest::newRow("three lines of 0.333") << QStringList{"1", "1", "1"} << QStringList{"0.333", "0.333", "0.333"}
                                               << "$0.33" << "$0.99";
        QTest::newRow("two lines of 1.5 x 33.33") << QStringList{"1.5", "1.5"} << QStringList{"33.33", "33.33"}
                                                  << "$50.00" << "$100.00";
    }

    void printedFiguresAddUp()
    {
        QFETCH(QStringList, quantities);
        QFETCH(QStringList, prices);
        QFETCH(QString, lineTotal);
        QFETCH(QString, subTotal);
        CurrentDocument doc(m_corvalo);
        for (int i = 0; i < prices.size(); ++i)
            addLine(doc, quantities[i], prices[i], true, "0", false);
        Totals::pCalcTotals(doc, m_corvalo, m_company, us);
        QCOMPARE(doc.lines.cell(0, InvoiceLines::Total), lineTotal);
        QCOMPARE(Money::currencyText(Totals::printedLine(doc.lines.priceLine(0), Totals::ruleFor(doc)).total, us),
                 lineTotal);
        QCOMPARE(doc.print.strSubTotal, subTotal);
        QCOMPARE(doc.print.strTotal, subTotal);
        QCOMPARE(doc.totals.LbrTotals[0], Money::roundToCents(doc.totals.LbrTotals[0]));
    }

    void currencyRounding_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("shown");
        QTest::newRow("1.005") << 1.005 << 1.01;
        QTest::newRow("2.675") << 2.675 << 2.68;
        QTest::newRow("0.125") << 0.125 << 0.13;
        QTest::newRow("1.0049") << 1.0049 << 1.00;
        QTest::newRow("-0.125") << -0.125 << -0.13;
        QTest::newRow("-2.675") << -2.675 << -2.68;
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << 0.30;
        QTest::newRow("four-decimal tie to even") << 0.00125 << 0.00; // 0.0012 at four decimals
        QTest::newRow("1e12") << 1e12 + 0.005 << 1e12 + 0.01;
    }

    void currencyRounding()
    {
        QFETCH(double, amount);
        QFETCH(double, shown);
        for (const QLocale &locale : {us, QLocale(QLocale::German, QLocale::Germany)}) {
            QCOMPARE(Money::currencyText(amount, locale), locale.toCurrencyString(shown, locale.currencySymbol(), 2));
        }
    }

    void decimalsReadInEitherForm()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(Money::parseDecimal(QStringLiteral("2,5"), german), std::optional<double>(2.5));
        QCOMPARE(Money::parseDecimal(QStringLiteral("2.5"), german), std::optional<double>(2.5));
        QCOMPARE(Money::decimalText(1234.5, german), QStringLiteral("1234,5"));
        QVERIFY(!Money::parseDecimal(QStringLiteral("abc"), us));
        QVERIFY(!Money::parseDecimal(QString(), us));

        CurrentDocument doc(m_corvalo);
        addLine(doc, "1,5", "10,00", false, "2", false);
        Totals::pCalcTotals(doc, m_corvalo, m_company, german);
        QCOMPARE(doc.print.strTotal, german.toCurrencyString(18.0, german.currencySymbol(), 2));

        // The lines show their typed numbers in the locale the totals ran in.
        QCOMPARE(doc.lines.cell(0, InvoiceLines::Quantity), QStringLiteral("1,5"));
        QCOMPARE(doc.lines.cell(0, InvoiceLines::Total), german.toCurrencyString(18.0, german.currencySymbol(), 2));
    }

    void workSheetSurfaces_data()
    {
        QTest::addColumn<int>("surface");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("perimeter");
        QTest::newRow("walls and ceiling") << 0 << 472 << 44;
        QTest::newRow("walls only") << 1 << 352 << 44;
        QTest::newRow("ceiling only") << 2 << 120 << 44;
        QTest::newRow("one wall") << 3 << 96 << 12;
        QTest::newRow("floor only") << 4 << 120 << 44;
        QTest::newRow("unknown") << 9 << 0 << 0;
    }

    void workSheetSurfaces()
    {
        QFETCH(int, surface);
        QFETCH(int, area);
        QFETCH(int, perimeter);
        WorkSheet sheet = wallsOnly();
        sheet.intAreaWorkOn = surface;
        QCOMPARE(sheet.area(), area);
        QCOMPARE(sheet.perimeter(), perimeter);
    }

    void workSheetPricing()
    {
        CurrentDocument doc(m_heddrin);
        heddrinPrices(doc);
        doc.lines.appendWorkSheet(wallsOnly());
        Totals::pCalcTotals(doc, m_heddrin, m_company, us);
        QCOMPARE(doc.lines.cell(0, InvoiceLines::AreaSqft), QStringLiteral("352"));
        QVERIFY(qFuzzyCompare(doc.totals.LbrTotals[0], 147.84));
        QVERIFY(qFuzzyCompare(doc.totals.MatTotals[0], 63.36));
        QCOMPARE(doc.lines.cell(0, InvoiceLines::AreaAmount), QStringLiteral("211.2"));

        WorkSheet everything = wallsOnly();
        everything.intTrimCoats = 1;        // 44 ft x 0.95 / 0.24
        everything.intPrime = WorkSheet::SpotPrime; // 352 x 0.09 / 0.05
        everything.intWash = 1;             // 352 x 0.11 / 0.02
        everything.intNumOfDoors = 2;       // 2 x 28.35 / 6.55
        everything.intNumOfClosets = 1;     // 85.60 / 23.55
        everything.intRmvBorder = 1;        // 44 x 6.68 / 1.33
        everything.dbExtraChargesLabor = 150;
        WorkSheetAmounts amounts = priceWorkSheet(everything, doc.LbrPrices, doc.MatPrices);
        QVERIFY(qFuzzyCompare(amounts.labor, 147.84 + 41.8 + 31.68 + 38.72 + 56.7 + 85.6 + 293.92 + 150));
        QVERIFY(qFuzzyCompare(amounts.material, 63.36 + 10.56 + 17.6 + 7.04 + 13.1 + 23.55 + 58.52));

        // Exterior work uses the exterior items and never closets or wallpaper.
        everything.intIntExt = 1;
        amounts = priceWorkSheet(everything, doc.LbrPrices, doc.MatPrices);
        QVERIFY(qFuzzyCompare(amounts.labor, 2 * 352 * 0.22 + 44 * 1.22 + 352 * 0.09 + 352 * 0.09 + 2 * 32.85 + 150));
    }

    void workSheetDiscountWithMultiplierReconciles()
    {
        CurrentDocument doc(m_heddrin);
        heddrinPrices(doc);
        WorkSheet sheet = wallsOnly();
        sheet.intAreaMultiplier = 3;
        doc.lines.appendWorkSheet(sheet);
        doc.header.strInvName = QStringLiteral("Invoice");
        doc.header.intCustDiscountPercent = 10;
        doc.header.strUseTax1 = true;
        doc.header.dbTaxRate1 = 0.05;
        Totals::pCalcTotals(doc, m_heddrin, m_company, us);
        // 443.52 less 44.35 and 190.08 less 19.01, in cents.
        QCOMPARE(doc.totals.LbrTotals[0], 399.17);
        QCOMPARE(doc.totals.MatTotals[0], 171.07);
        // Three rooms at 211.20 less 10 %: the amount taken off is 63.36.
        QCOMPARE(doc.print.strDiscount, QStringLiteral("$63.36"));
        QCOMPARE(doc.print.strSubTotal, QStringLiteral("$633.60"));
        const double subTotal = 633.60, discount = 63.36;
        const double taxes = doc.totals.LbrTotals[1] + doc.totals.MatTotals[1];
        QVERIFY(qFuzzyCompare(subTotal - discount + taxes, beforePayments(doc)));

        // Taxed on labor only.
        m_company.invData.intTaxOn = 1;
        Totals::pCalcTotals(doc, m_heddrin, m_company, us);
        QCOMPARE(doc.totals.MatTotals[1], 0.0);
        QCOMPARE(doc.totals.LbrTotals[1], 19.96); // 399.17 x 0.05, rounded once
        m_company.invData.intTaxOn = 0;
    }

    void typedWorkSheetFieldsRefuseWhatIsNoNumber()
    {
        WorkSheet sheet = wallsOnly();
        const WorkSheet before = sheet;
        QVERIFY(!InvoiceLines::setWorkSheetField(sheet, InvoiceLines::AreaLength, QStringLiteral("twelve"), us));
        QVERIFY(!InvoiceLines::setWorkSheetField(sheet, InvoiceLines::ExtraChargesLabor, QStringLiteral("."), us));
        QVERIFY(sheet == before);
        QVERIFY(InvoiceLines::setWorkSheetField(sheet, InvoiceLines::AreaLength, QStringLiteral("14"), us));
        // As the field refuses them, a typed amount has no thousands separators.
        QVERIFY(!InvoiceLines::setWorkSheetField(sheet, InvoiceLines::ExtraChargesLabor, QStringLiteral("1,250.5"), us));
        QVERIFY(!InvoiceLines::setWorkSheetField(sheet, InvoiceLines::ExtraChargesLabor, QStringLiteral("1e11"), us));
        QVERIFY(InvoiceLines::setWorkSheetField(sheet, InvoiceLines::ExtraChargesLabor, QStringLiteral("1250.5"), us));
        QCOMPARE(sheet.intAreaLength, 14);
        QCOMPARE(sheet.dbExtraChargesLabor, 1250.5);
        QCOMPARE(InvoiceLines::workSheetText(sheet, InvoiceLines::ExtraChargesLabor, QLocale(QLocale::German)),
                 QStringLiteral("1250,5"));
        QVERIFY(InvoiceLines::setWorkSheetField(sheet, InvoiceLines::ExtraChargesLabor, QString(), us));
        QCOMPARE(sheet.dbExtraChargesLabor, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestTotals)
#include "test_totals.moc"
