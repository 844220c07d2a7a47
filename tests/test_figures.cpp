#include "TestEnvironment.h"

#include "core/Edition.h"
#include "data/Database.h"
#include "invoice/CentSplit.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/PaymentRules.h"
#include "invoice/ReportPostings.h"
#include "invoice/Totals.h"
#include "invoice/WorkSheetText.h"
#include "printing/InvoiceRowFeed.h"
#include "printing/TmodPrintData.h"

#include <QProcess>
#include <QTemporaryDir>

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

namespace {

const QStringList kKinds = {QStringLiteral("Estimate"), QStringLiteral("Work Order"), QStringLiteral("Change Order"),
                            QStringLiteral("Invoice"),  QStringLiteral("Credit"),     QStringLiteral("Past Due")};

/// Whole cents of a currency text as the locale writes it ("$1,234.50", "-$0.25",
/// "($0.25)", "1.234,50 €"); fails the test on anything else.
qint64 cents(const QString &text, const QLocale &locale)
{
    const bool negative = text.contains(QLatin1Char('-')) || text.contains(QLatin1Char('('));
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits += c;
        else if (c == locale.decimalPoint().front())
            digits += QLatin1Char('.');
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !digits.contains(QLatin1Char('.')) || digits.section(QLatin1Char('.'), 1).size() != 2)
        qFatal("not an amount of two decimals: %s", qPrintable(text));
    const qint64 magnitude = std::llround(value * 100);
    return negative ? -magnitude : magnitude;
}

qint64 cents(double amount)
{
    return std::llround(amount * 100);
}

/// Within half a cent of \a exact: the figure is \a exact rounded once to the cent.
bool roundedOnce(qint64 figure, double exact)
{
    return std::fabs(double(figure) - exact * 100) <= 0.5 + 1e-6;
}

struct Session : TestSession
{
    explicit Session(int edition)
        : TestSession(edition)
        , store(context)
    {
        start(QDate(2026, 12, 9));
        TrecCmpnyInvData &show = context.company.invData;
        show.strShowQuantity = show.strShowPrcEach = show.strShowTotal = show.strShowTotalonWO = true;
    }

    CurrentDocument &doc() { return context.document; }

    void startNew(const QString &kind, QDate date = QDate(2026, 3, 15))
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

    void addLine(double quantity, double labor, double material, bool laborTaxed = true, bool materialTaxed = true)
    {
        doc().lines.appendPriceLine({QStringLiteral("Line"), quantity, labor, material, laborTaxed, materialTaxed});
    }

    void recalc() { Totals::pCalcTotals(doc(), context.edition(), context.company, context.locale); }

    /// The printed price-item rows: quantity, price each and total, read back.
    struct PrintedLine
    {
        double quantity = 0;
        qint64 each = 0;
        qint64 total = 0;
    };
    QList<PrintedLine> printedLines()
    {
        QList<PrintedLine> printed;
        const RowFeed feed = InvoiceRows::RvCustomConnectionInvoice(context);
        for (int row = 0; row < doc().lines.rowCount(); ++row) {
            const QStringList &values = feed.rows.at(row);
            printed.append({Money::parseDecimal(values[3], context.locale).value(), cents(values[2], context.locale),
                            cents(values[1], context.locale)});
        }
        return printed;
    }

    /// The "Total : " of every printed work sheet.
    QList<qint64> printedSheetTotals()
    {
        QList<qint64> totals;
        const QString text = WorkSheetText::GetWorkSheetText(doc(), context.company, context.locale);
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("Total : ")))
                totals.append(cents(line.mid(8), context.locale));
        }
        return totals;
    }

    qint64 printed(const QString &text) { return cents(text, context.locale); }

    std::array<double, 8> month(int year, int m)
    {
        const auto connection = db();
        Statement q = connection->prepare(QStringLiteral(
            "SELECT dbLbrTax1Total,dbLbrTax2Total,dbLbrTax3Total,dbMatTax1Total,dbMatTax2Total,dbMatTax3Total,"
            "dbLbrTotal,dbMatTotal FROM tblReport WHERE intReportYear = ? AND intReportMonth = ?"));
        q.bindAll(year, m);
        std::array<double, 8> amounts{};
        if (q.step()) {
            for (int i = 0; i < 8; ++i)
                amounts[std::size_t(i)] = q.doubleAt(i);
        }
        return amounts;
    }

    void setMark(int number, const QString &mark)
    {
        db()->prepare(QStringLiteral("UPDATE tblInvHeader SET strPostedInCents = ? WHERE intInvNumber = ?"))
            .bindAll(mark, number)
            .run();
    }

    QString mark(int number)
    {
        Statement q = db()->prepare(QStringLiteral("SELECT strPostedInCents FROM tblInvHeader WHERE intInvNumber = ?"));
        q.bind(1, number);
        q.step();
        return q.textAt(0);
    }

    DocumentStore store;
};

/// A random document of any kind and tax setting, its lines taxed alike on labor and
/// on material when \a uniformTaxes is set.
void generate(Session &s, QRandomGenerator &random, bool uniformTaxes, bool &laborTaxed, bool &materialTaxed)
{
    CurrentDocument &doc = s.doc();
    doc.lines.clear();
    doc.saved = {};
    doc.payments.clear();
    TrecInvHeader &h = doc.header;
    h = {};
    h.strInvName = kKinds.at(random.bounded(int(kKinds.size())));
    h.strInvDate = QDate(2026, 1, 1);
    const int discountKind = random.bounded(5);
    h.intCustDiscountPercent = discountKind == 0 ? 0 : discountKind == 1 ? 100 : random.bounded(0, 101);
    h.strCustTaxExempt = random.bounded(6) == 0;
    h.strUseTax1 = random.bounded(2);
    h.strUseTax2 = random.bounded(2);
    h.strUseTax3 = random.bounded(2);
    h.dbTaxRate1 = random.bounded(1000) / 10000.0;
    h.dbTaxRate2 = random.bounded(100000) / 1000000.0;
    h.dbTaxRate3 = std::array{0.0725, 0.06875, 0.005}[std::size_t(random.bounded(3))];
    if (random.bounded(2))
        (DocumentKinds::isDepositKind(h.strInvName) ? h.dbDepositAmount : h.dbPaidAmount) = random.bounded(100000) / 100.0;
    // Paid in full by marking: nothing recorded before.
    h.strPaidInFull = h.strInvName == QLatin1String("Invoice") && random.bounded(4) == 0;
    if (h.strPaidInFull)
        h.dbPaidAmount = 0;

    // Work sheets are taxed on labor and material, on labor only or on material only.
    const int taxOn = random.bounded(3);
    s.context.company.invData.intTaxOn = taxOn;
    laborTaxed = taxOn != 2;
    materialTaxed = taxOn != 1;
    const int lineCount = random.bounded(1, 12);
    for (int i = 0; i < lineCount; ++i) {
        if (doc.lines.holdsWorkSheets()) {
            WorkSheet sheet;
            sheet.intIntExt = random.bounded(2);
            sheet.intAreaWorkOn = random.bounded(5);
            sheet.intAreaLength = random.bounded(0, 60);
            sheet.intAreaWidth = random.bounded(0, 40);
            sheet.intAreaHeight = random.bounded(0, 12);
            sheet.intPaintsCoats = random.bounded(0, 4);
            sheet.intTrimCoats = random.bounded(0, 3);
            sheet.intAreaMultiplier = random.bounded(1, 26);
            sheet.intPrime = random.bounded(3);
            sheet.intWash = random.bounded(2);
            sheet.intNumOfDoors = random.bounded(0, 5);
            sheet.intNumOfWindowFrmTrm = random.bounded(0, 5);
            sheet.dbExtraChargesLabor = random.bounded(3) ? 0 : random.bounded(100000) / 1000.0;
            sheet.dbExtraChargesMaterial = random.bounded(3) ? 0 : random.bounded(10000) / 100.0;
            doc.lines.appendWorkSheet(sheet);
        } else {
            const bool mixed = !uniformTaxes;
            s.addLine(random.bounded(1, 100000) / 1000.0, random.bounded(1000000) / 1000.0,
                      random.bounded(3) ? random.bounded(100000) / 100.0 : 0,
                      mixed ? random.bounded(2) == 1 : laborTaxed, mixed ? random.bounded(2) == 1 : materialTaxed);
        }
    }
}

} // namespace

class TestFigures : public QObject
{
    Q_OBJECT

private slots:
    void splitsAddUpAndStayWithinACentOfTheirShare()
    {
        QCOMPARE(CentSplit::split(100, {1, 1, 1}), (std::vector<double>{34, 33, 33}));
        QCOMPARE(CentSplit::split(-100, {1, 1, 1}), (std::vector<double>{-33, -33, -34}));
        QCOMPARE(CentSplit::split(5, {0, 0}), (std::vector<double>{3, 2}));
        QCOMPARE(CentSplit::split(0, {3, -3}), (std::vector<double>{0, 0}));

        QRandomGenerator random(27);
        for (int run = 0; run < 20000; ++run) {
            const double total = random.bounded(-2000000, 2000000);
            std::vector<double> weights(std::size_t(random.bounded(1, 8)));
            for (double &weight : weights)
                weight = random.bounded(3) == 0 ? 0 : random.bounded(1000000) / 1000.0;
            double sum = 0;
            for (double weight : weights)
                sum += weight;
            const std::vector<double> parts = CentSplit::split(total, weights);
            QCOMPARE(parts.size(), weights.size());
            double added = 0;
            for (std::size_t i = 0; i < parts.size(); ++i) {
                QCOMPARE(parts[i], std::round(parts[i]));
                const double share = sum == 0 ? total / double(weights.size()) : total * weights[i] / sum;
                QVERIFY2(std::fabs(parts[i] - share) < 1, qPrintable(QStringLiteral("run %1").arg(run)));
                added += parts[i];
            }
            QCOMPARE(added, total);
        }
        // Beyond what a double holds in whole cents nothing is handed out, and nothing hangs.
        QCOMPARE(CentSplit::split(std::numeric_limits<double>::infinity(), {1, 1}).size(), std::size_t(2));
    }

    // The figures a bookkeeper checked by hand, each the way the customer checks it.
    void checkedByHand()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        s.doc().header.intCustDiscountPercent = 10;
        s.addLine(2, 6.15, 1.35);
        s.addLine(3, 54.75, 22.75);
        s.addLine(3, 9.25, 7.75);
        s.recalc();
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$298.50"));
        QCOMPARE(s.doc().print.strDiscount, QStringLiteral("$29.85"));
        QCOMPARE(s.doc().print.strTotal, QStringLiteral("$268.65"));
        QCOMPARE(s.printedLines().at(1).total, 23250);
        QCOMPARE(s.doc().lines.cell(1, InvoiceLines::Total), QStringLiteral("$209.25")); // 232.50 less 23.25

        s.startNew(QStringLiteral("Invoice"));
        s.addLine(1.5, 10.01, 23.39);
        s.addLine(1.5, 20.00, 19.99);
        s.recalc();
        QCOMPARE(s.printedLines().at(0).each, 3340);
        QCOMPARE(s.printedLines().at(0).total, 5010);
        QCOMPARE(s.printedLines().at(1).total, 5999);

        s.startNew(QStringLiteral("Invoice"));
        TrecInvHeader &h = s.doc().header;
        h.strUseTax1 = h.strUseTax2 = h.strUseTax3 = true;
        h.dbTaxRate1 = 0.0725;
        h.dbTaxRate2 = 0.06875;
        h.dbTaxRate3 = 0.005;
        s.addLine(1, 49.39, 0);
        s.addLine(1, 0, 91.43);
        s.recalc();
        QCOMPARE(s.doc().print.strTax, QStringLiteral("$20.59"));
        // 10.21 + 9.68 + 0.70, each split over labor and material without a cent lost.
        const auto &lt = s.doc().totals.LbrTotals, &mt = s.doc().totals.MatTotals;
        QCOMPARE(cents(lt[1]) + cents(mt[1]), 1021);
        QCOMPARE(cents(lt[2]) + cents(mt[2]), 968);
        QCOMPARE(cents(lt[3]) + cents(mt[3]), 70);
    }

    void printedFiguresHoldOnGeneratedDocuments_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("locale");
        QTest::newRow("Corvalo en_US") << int(Edition::Corvalo) << "en_US";
        QTest::newRow("Ostrev de_DE") << int(Edition::Ostrev) << "de_DE";
        QTest::newRow("Lunvard en_US") << int(Edition::Lunvard) << "en_US";
        QTest::newRow("Heddrin en_US") << int(Edition::Heddrin) << "en_US";
    }

    // Every identity a customer can check on paper holds to the cent, on a thousand
    // generated documents per edition, and the eight report amounts posted add up to
    // the printed taxes and totals.
    void printedFiguresHoldOnGeneratedDocuments()
    {
        QFETCH(int, edition);
        QFETCH(QString, locale);
        Session s(edition);
        s.context.locale = QLocale(locale);
        const bool sheets = s.context.edition().usesWorkSheets();
        QRandomGenerator random(quint32(2026 + edition));
        // A new document: a work sheet is priced from the seed price list.
        s.startNew(QStringLiteral("Invoice"));
        QVERIFY(!sheets || s.doc().LbrPrices[1] > 0);
        const auto db = s.db();
        Transaction tx(*db);
        constexpr int kDocuments = 1000;
        for (int run = 0; run < kDocuments; ++run) {
            const QString where = QStringLiteral("document %1").arg(run);
            bool laborTaxed = false, materialTaxed = false;
            const bool uniformTaxes = sheets || run % 4 != 0;
            generate(s, random, uniformTaxes, laborTaxed, materialTaxed);
            s.recalc();
            const CurrentDocument &doc = s.doc();
            const TrecInvHeader &h = doc.header;
            const TrecPrintData &p = doc.print;
            const qint64 subTotal = s.printed(p.strSubTotal), discount = s.printed(p.strDiscount);
            const qint64 taxTotal = s.printed(p.strTax);

            // Each line: quantity x Price Each = line total; the lines add up.
            qint64 linesBefore = 0, linesAfter = 0;
            if (sheets) {
                for (qint64 total : s.printedSheetTotals())
                    linesBefore += total;
                QCOMPARE(linesBefore, subTotal - discount);
            } else {
                const QList<Session::PrintedLine> printed = s.printedLines();
                for (int row = 0; row < printed.size(); ++row) {
                    const Session::PrintedLine &line = printed.at(row);
                    const PriceLine &typed = doc.lines.priceLine(row);
                    QVERIFY2(roundedOnce(line.each, typed.laborPrice + typed.materialPrice), qPrintable(where));
                    QVERIFY2(roundedOnce(line.total, line.quantity * double(line.each) / 100),
                             qPrintable(where + QStringLiteral(": %1 x %2 = %3").arg(line.quantity).arg(line.each).arg(line.total)));
                    linesBefore += line.total;
                }
                QCOMPARE(linesBefore, subTotal);
            }
            for (int row = 0; row < doc.lines.rowCount(); ++row) {
                linesAfter += sheets ? cents(*Money::parseDecimal(doc.lines.cell(row, InvoiceLines::AreaAmount),
                                                                  s.context.locale))
                                     : s.printed(doc.lines.cell(row, InvoiceLines::Total));
            }
            QCOMPARE(linesAfter, subTotal - discount);

            // Discount, once from the Sub Total.
            QVERIFY2(roundedOnce(discount, double(subTotal) / 100 * h.intCustDiscountPercent / 100), qPrintable(where));

            // The eight report amounts, as the monthly report stores them.
            const QDate month(2000 + run / 12, run % 12 + 1, 1);
            ReportPostings::pAddToReport(*db, month, doc.totals.reportAmounts());
            Statement q = db->prepare(QStringLiteral(
                "SELECT dbLbrTax1Total,dbLbrTax2Total,dbLbrTax3Total,dbMatTax1Total,dbMatTax2Total,dbMatTax3Total,"
                "dbLbrTotal,dbMatTotal FROM tblReport WHERE intReportYear = ? AND intReportMonth = ?"));
            q.bindAll(month.year(), month.month());
            QVERIFY(q.step());
            std::array<qint64, 8> posted{};
            for (int i = 0; i < 8; ++i) {
                const double amount = q.doubleAt(i);
                posted[std::size_t(i)] = cents(amount);
                QVERIFY2(std::fabs(amount * 100 - double(posted[std::size_t(i)])) < 1e-6, qPrintable(where));
            }
            const qint64 laborTotal = posted[6], materialTotal = posted[7];
            QCOMPARE(laborTotal + materialTotal, subTotal - discount);

            // Each tax, once from its taxable amount after discount.
            const std::array<double, 3> rates = {h.strUseTax1 ? h.dbTaxRate1 : 0, h.strUseTax2 ? h.dbTaxRate2 : 0,
                                                 h.strUseTax3 ? h.dbTaxRate3 : 0};
            const qint64 taxable = (laborTaxed ? laborTotal : 0) + (materialTaxed ? materialTotal : 0);
            qint64 taxes = 0;
            for (std::size_t i = 0; i < 3; ++i) {
                const qint64 tax = posted[i] + posted[i + 3];
                const double rate = h.strCustTaxExempt ? 0 : rates[i];
                if (uniformTaxes)
                    QVERIFY2(roundedOnce(tax, double(taxable) / 100 * rate),
                             qPrintable(where + QStringLiteral(": %1 x %2 = %3").arg(taxable).arg(rate).arg(tax)));
                if (rate == 0)
                    QCOMPARE(tax, 0);
                taxes += tax;
            }
            QCOMPARE(taxes, taxTotal);

            // Sub Total - Discount + Tax - Amount Paid = Total; deposits required are
            // not subtracted; a document paid in full prints its paid amount instead.
            const qint64 grand = subTotal - discount + taxTotal;
            const bool depositKind = DocumentKinds::isDepositKind(h.strInvName);
            if (h.strPaidInFull) {
                QCOMPARE(p.strTotal, QStringLiteral("Paid In Full"));
                QCOMPARE(s.printed(p.strDepositPaid), grand);
            } else {
                const qint64 paid = depositKind ? 0 : s.printed(p.strDepositPaid);
                QCOMPARE(s.printed(p.strTotal), grand - paid);
            }
        }
        tx.commit();
    }

    // A document stored by the rule of rounding labor and material apart keeps the
    // figures it was printed with, is taken out of the report exactly as it was put
    // in, and takes the new rule only once what prices it changes.
    void documentsSavedBeforeKeepTheirFiguresUntilRepriced()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        s.addLine(1.5, 10.01, 23.39, true, false);
        s.doc().header.strUseTax1 = true;
        s.doc().header.dbTaxRate1 = 0.0725;
        s.doc().header.strPaidInFull = true;
        const int number = s.store.pSaveInvoice();
        QCOMPARE(s.mark(number), QStringLiteral("2"));
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$50.10"));

        // As the previous version left it: 15.02 labor (taxed) and 35.09 material.
        s.setMark(number, QStringLiteral("-1"));
        s.db()->prepare(QStringLiteral("UPDATE tblReport SET dbLbrTotal = 15.02, dbMatTotal = 35.09, "
                                       "dbLbrTax1Total = 1.09, dbMatTax1Total = 0"))
            .run();
        const std::array<double, 8> before = s.month(2026, 3);

        s.open(number);
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$50.11"));
        QCOMPARE(s.printedLines().at(0).total, 5011);
        // Saved again unchanged, converted and converted back: nothing moves.
        s.store.pSaveInvoice();
        DocumentActions actions(s.context);
        actions.convert(number, QStringLiteral("Work Order"));
        QCOMPARE(s.month(2026, 3), (std::array<double, 8>{}));
        actions.convert(number, QStringLiteral("Invoice"));
        actions.markPaidInFull(number);
        QCOMPARE(s.month(2026, 3), before);
        QCOMPARE(s.mark(number), QStringLiteral("-1"));

        // Deleted by another copy and stored again from this one: the old posting out.
        s.open(number);
        s.store.pDeleteInvoice();
        QCOMPARE(s.month(2026, 3), before); // a deletion leaves the report
        s.doc().header.blnNewInvoice = false;
        DocumentStore again(s.context);
        again.storeAgainIfDeleted();
        again.pSaveInvoice();
        QCOMPARE(s.month(2026, 3), before);
        QCOMPARE(s.mark(number), QStringLiteral("-1"));

        // A changed quantity reprices the whole document: 3 x 33.40, rounded once.
        s.open(number);
        PriceLine line = s.doc().lines.priceLine(0);
        line.quantity = 3;
        s.doc().lines.setPriceLine(0, line);
        s.recalc();
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$100.20"));
        s.store.pSaveInvoice();
        QCOMPARE(s.mark(number), QStringLiteral("2"));
        const std::array<double, 8> repriced = s.month(2026, 3);
        QCOMPARE(cents(repriced[6]) + cents(repriced[7]), 10020);
        QCOMPARE(cents(repriced[0]), 218); // 30.03 x 7.25 %: 2.177..., once
        s.open(number);
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$100.20"));

        // The credit made from it reverses the repriced sale exactly.
        actions.toCredit(number);
        QCOMPARE(s.month(2026, 3), (std::array<double, 8>{}));
    }

    // Two copies of the program: one pays an invoice stored by the earlier rule in
    // full while the other reprices it. The second save takes out exactly what the
    // first posted and posts the repriced figures.
    void aCopyRepricingWhatAnotherPaidTakesOutWhatThatPosted()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        s.addLine(1.5, 10.01, 23.39, true, false);
        const int number = s.store.pSaveInvoice();
        s.setMark(number, QStringLiteral("-1"));

        CurrentDocument other(s.context.edition());
        other.header.intInvNumber = number;
        DocumentStore otherStore(s.context, other);
        otherStore.pLoadInvoice();
        s.open(number);

        Payment payment;
        payment.date = QDate(2026, 3, 20);
        payment.amount = 50.11;
        QVERIFY(PaymentRules::record(other, payment));
        otherStore.pSaveInvoice();
        QCOMPARE(s.month(2026, 3), (std::array<double, 8>{0, 0, 0, 0, 0, 0, 15.02, 35.09}));

        PriceLine line = s.doc().lines.priceLine(0);
        line.quantity = 3;
        s.doc().lines.setPriceLine(0, line);
        s.recalc();
        s.store.pSaveInvoice();
        QVERIFY(s.doc().header.strPaidInFull);
        QCOMPARE(s.mark(number), QStringLiteral("2"));
        const std::array<double, 8> month = s.month(2026, 3);
        QCOMPARE(cents(month[6]), 3003);
        QCOMPARE(cents(month[7]), 7017);
    }

    // Changing what prices a stored document and changing it back gives the printed
    // figures back; a past-due notice or a change of kind keeps them.
    void undoingAnEditGivesTheStoredFiguresBack()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        s.addLine(1.5, 10.01, 23.39);
        const int number = s.store.pSaveInvoice();
        s.setMark(number, QStringLiteral("-1"));
        s.open(number);
        QCOMPARE(s.doc().print.strTotal, QStringLiteral("$50.11"));
        s.doc().header.intCustDiscountPercent = 10;
        s.recalc();
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$50.10"));
        s.doc().header.intCustDiscountPercent = 0;
        s.doc().header.strInvName = QStringLiteral("Estimate");
        s.recalc();
        QCOMPARE(s.doc().print.strTotal, QStringLiteral("$50.11"));

        const int notice = DocumentActions(s.context).createPastDue(number);
        QCOMPARE(s.mark(notice), QStringLiteral("-1"));
        s.open(notice);
        QCOMPARE(s.doc().print.strSubTotal, QStringLiteral("$50.11"));
    }

    // The figures reach the paper as worked out: a discount and three taxes, printed
    // to a PDF and read back.
    void printedInvoiceShowsTheFiguresRoundedOnce()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        s.context.company.company.strCompName = QStringLiteral("Tarnwick Test Painting");
        TrecInvHeader &h = s.doc().header;
        h.strCustFullName = QStringLiteral("John Doe");
        h.intCustDiscountPercent = 10;
        h.strUseTax1 = h.strUseTax2 = h.strUseTax3 = true;
        h.dbTaxRate1 = 0.0725;
        h.dbTaxRate2 = 0.06875;
        h.dbTaxRate3 = 0.005;
        s.addLine(2, 6.15, 1.35, true, false);
        s.addLine(3, 54.75, 22.75, true, true);
        s.addLine(3, 9.25, 7.75, false, true);
        s.addLine(1.5, 10.01, 23.39, true, true);
        s.recalc();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("invoice.pdf"));
        QVERIFY(TmodPrintData(s.context).pCreatePDFFile(path));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        // 298.50 + 50.10; 10 % of 348.60; taxable 313.74 less the untaxed parts.
        for (const char *figure : {"$15.00", "$232.50", "$51.00", "$33.40", "$50.10", "$348.60", "$34.86"})
            QVERIFY2(printed.contains(QLatin1String(figure)), figure);
        const qint64 grand = 34860 - 3486 + s.printed(s.doc().print.strTax);
        QVERIFY(printed.contains(Money::currencyText(double(grand) / 100, s.context.locale)));
    }

    void aMarkThatIsNoRuleIsReported()
    {
        Session s(Edition::Corvalo);
        s.startNew(QStringLiteral("Invoice"));
        s.addLine(1, 10, 0);
        const int number = s.store.pSaveInvoice();
        s.setMark(number, QStringLiteral("maybe"));
        try {
            s.open(number);
            QFAIL("a mark that is no rule was taken");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("maybe")));
        }
    }
};

QTEST_MAIN(TestFigures)
#include "test_figures.moc"
