#include "TestEnvironment.h"
#include "RecordingPrintModule.h"
#include "core/Edition.h"
#include "customers/CustomerStore.h"
#include "data/Database.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "prices/PriceSheetRows.h"
#include "prices/PriceStore.h"
#include "editing/MaintenanceQuery.h"
#include "printing/ListReports.h"
#include "printing/ReportFonts.h"
#include "printing/PdfOutput.h"
#include "printing/PrintJobs.h"
#include "printing/ReportError.h"
#include "printing/TfrmManualInvoice.h"
#include "report/SalesTaxReport.h"
#include "report/SalesTaxRows.h"
#include "report/TfrmReport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QValueAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

struct MonthRow
{
    int year;
    int month;
    std::array<double, 6> taxes; // labor 1-3, material 1-3
    double labor;
    double material;
};

template<typename Axis>
Axis *axisNamed(const QChart *chart, const char *name)
{
    for (QAbstractAxis *axis : chart->axes()) {
        if (axis->objectName() == QLatin1String(name))
            return qobject_cast<Axis *>(axis);
    }
    return nullptr;
}

void insertMonth(Database &db, const MonthRow &row)
{
    db.prepare(QStringLiteral("INSERT INTO tblReport(intReportYear,intReportMonth,dbLbrTax1Total,dbLbrTax2Total,"
                              "dbLbrTax3Total,dbMatTax1Total,dbMatTax2Total,dbMatTax3Total,dbLbrTotal,dbMatTotal) "
                              "VALUES (?,?,?,?,?,?,?,?,?,?)"))
        .bindAll(row.year, row.month, row.taxes[0], row.taxes[1], row.taxes[2], row.taxes[3], row.taxes[4],
                 row.taxes[5], row.labor, row.material)
        .run();
}

/// Sums computed by the database over whole months, as an independent check.
std::pair<double, double> sqlSums(Database &db, QDate start, QDate end)
{
    Statement query = db.prepare(QStringLiteral(
        "SELECT TOTAL(dbLbrTax1Total+dbLbrTax2Total+dbLbrTax3Total+dbMatTax1Total+dbMatTax2Total+dbMatTax3Total), "
        "TOTAL(dbLbrTotal+dbMatTotal) FROM tblReport WHERE intReportYear*12+intReportMonth BETWEEN ? AND ?"));
    query.bindAll(start.year() * 12 + start.month(), end.year() * 12 + end.month());
    query.step();
    return {query.doubleAt(0), query.doubleAt(1)};
}

qint64 cents(double amount)
{
    return qRound64(amount * 100);
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfTextOf(const AppContext &context, const PrintRequest &request, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("kind%1.pdf").arg(request.kind));
    PdfOutput::writeFile(PrintJobs::RvSystemPrntDocsPrint(context, request), path);
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                 QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

QString cellText(const QTableView *list, int row, int column)
{
    return list->model()->index(row, column).data().toString();
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void totalsMatchIndependentSums();
    void rangesAcrossYearsEmptyAndReversed();
    void linesOfOneMonthInEveryLayout();
    void windowFollowsTheMonthButtons();
    void windowPrintsWhatItLists();
    void yearsAreOneChoiceAndTheChartKeepsTaxReadable();
    void salesAndTaxReportPdf();
    void customerListPdf();
    void priceSheetAndInvoiceListPdf();
    void plannerListPdf();
    void manualFormsConsumeNumbersInOrder();
    void manualFormsWindowTexts();
};

void TestReports::totalsMatchIndependentSums()
{
    TestSession session(Edition::Corvalo);
    session.start();
    auto db = session.db();
    QRandomGenerator random(20260412);
    for (int year = 2022; year <= 2025; ++year) {
        for (int month = 1; month <= 12; ++month) {
            if (random.bounded(5) == 0)
                continue; // months without sales have no row
            MonthRow row{year, month, {}, random.bounded(500000) / 100.0, random.bounded(300000) / 100.0};
            for (double &tax : row.taxes)
                tax = random.bounded(20000) / 100.0;
            insertMonth(*db, row);
        }
    }

    const QList<std::pair<QDate, QDate>> ranges = {{QDate(2022, 1, 1), QDate(2025, 12, 1)},
                                                   {QDate(2023, 11, 1), QDate(2024, 2, 1)},
                                                   {QDate(2024, 6, 1), QDate(2024, 6, 1)},
                                                   {QDate(2021, 3, 1), QDate(2022, 7, 1)}};
    for (const auto &[start, end] : ranges) {
        const auto months = SalesTaxReport::readMonths(*db, start, end);
        const auto [tax, sales] = sqlSums(*db, start, end);
        for (int type : {SalesTaxReport::SalesAndTax, SalesTaxReport::Sales, SalesTaxReport::Tax}) {
            const auto summarized = SalesTaxReport::build(months, type, true, session.context.locale);
            const auto itemized = SalesTaxReport::build(months, type, false, session.context.locale);
            QCOMPARE(cents(summarized.taxTotal), cents(tax));
            QCOMPARE(cents(summarized.salesTotal), cents(sales));
            QCOMPARE(cents(itemized.taxTotal), cents(summarized.taxTotal));
            QCOMPARE(cents(itemized.salesTotal), cents(summarized.salesTotal));
            QCOMPARE(itemized.rows.size(), 2 * summarized.rows.size());
        }
    }
}

void TestReports::rangesAcrossYearsEmptyAndReversed()
{
    TestSession session(Edition::Corvalo);
    session.start();
    auto db = session.db();
    // Stored newest first, so the order shown is not the order stored.
    for (const auto &[year, month] : std::initializer_list<std::pair<int, int>>{{2010, 3}, {2010, 2}, {2010, 1}, {2009, 12}, {2009, 11}})
        insertMonth(*db, {year, month, {1, 0, 0, 0, 0, 0}, 100.0 * month, 0});

    const auto months = SalesTaxReport::readMonths(*db, QDate(2009, 12, 1), QDate(2010, 2, 1));
    QCOMPARE(months.size(), 3);
    QCOMPARE(months.at(0).month, QDate(2009, 12, 1));
    QCOMPARE(months.at(1).month, QDate(2010, 1, 1));
    QCOMPARE(months.at(2).month, QDate(2010, 2, 1));
    const auto report = SalesTaxReport::build(months, SalesTaxReport::SalesAndTax, true, session.context.locale);
    QCOMPARE(report.rows.at(0).cells.at(SalesTaxReport::DateColumn), QStringLiteral("December 2009"));
    QCOMPARE(report.rows.at(2).cells.at(SalesTaxReport::DateColumn), QStringLiteral("February 2010"));

    const auto empty = SalesTaxReport::build(SalesTaxReport::readMonths(*db, QDate(2011, 1, 1), QDate(2011, 6, 1)),
                                             SalesTaxReport::SalesAndTax, false, session.context.locale);
    QVERIFY(empty.rows.isEmpty());
    QCOMPARE(empty.taxTotal, 0.0);
    QCOMPARE(empty.salesTotal, 0.0);

    QVERIFY_THROWS_EXCEPTION(ReportError, (void)SalesTaxReport::readMonths(*db, QDate(2010, 2, 1), QDate(2009, 12, 1)));
    QCOMPARE(SalesTaxReport::rangeText(QDate(2009, 12, 1), QDate(2010, 2, 1), session.context.locale),
             QStringLiteral("Report Date - From: December 2009 To: February 2010"));
    QCOMPARE(SalesTaxReport::rangeText(QDate(2010, 3, 1), QDate(2010, 3, 1), session.context.locale),
             QStringLiteral("Report Date: March 2010"));
}

void TestReports::linesOfOneMonthInEveryLayout()
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const SalesTaxReport::MonthTotals month{QDate(2010, 3, 1), {1.0, 0.5, 0}, {2.0, 0, 0}, 100, 50};
    using namespace SalesTaxReport;

    const Row whole = build({month}, SalesAndTax, true, locale).rows.at(0);
    QCOMPARE(whole.cells.at(TaxTotalColumn), QStringLiteral("$3.50"));
    QCOMPARE(whole.cells.at(SalesTotalColumn), QStringLiteral("$150.00"));
    QCOMPARE(whole.cells.at(TypeColumn), QString());

    const auto itemized = build({month}, SalesAndTax, false, locale).rows;
    QCOMPARE(itemized.size(), 2);
    QCOMPARE(itemized.at(0).cells.mid(0, SortDateColumn),
             QStringList({"March 2010", "Labor", "$1.00", "$0.50", "$0.00", "$1.50", "$100.00"}));
    QCOMPARE(itemized.at(1).cells.mid(0, SortDateColumn),
             QStringList({"", "Material", "$2.00", "$0.00", "$0.00", "$2.00", "$50.00"}));

    // The tax report holds its total in the seventh column.
    const auto tax = build({month}, Tax, false, locale).rows;
    QCOMPARE(tax.at(0).cells.at(SalesTotalColumn), QStringLiteral("$1.50"));
    QCOMPARE(tax.at(0).cells.at(TaxTotalColumn), QString());
    QCOMPARE(build({month}, Tax, true, locale).rows.at(0).cells.at(SalesTotalColumn), QStringLiteral("$3.50"));
    const auto sales = build({month}, Sales, false, locale).rows;
    QCOMPARE(sales.at(1).cells.at(Tax1Column), QString());
    QCOMPARE(sales.at(1).cells.at(SalesTotalColumn), QStringLiteral("$50.00"));

    const std::array<QString, 3> names{QStringLiteral("City Tax"), QString(), QString()};
    QCOMPARE(captions(Tax, false, names).mid(0, SortDateColumn),
             QStringList({"Date", "Type", "City Tax", "Tax 2", "Tax 3", "", "Tax Total"}));
    QCOMPARE(captions(SalesAndTax, true, names).mid(0, SortDateColumn),
             QStringList({"Date", "", "", "", "", "Tax Total", "Sales Total"}));
    QCOMPARE(columnWidths(Sales, true, 600), QList<int>({292, 0, 0, 0, 0, 0, 292, 0}));
    QCOMPARE(columnWidths(SalesAndTax, false, 700), QList<int>({99, 99, 99, 98, 98, 98, 98, 0}));
}

void TestReports::windowFollowsTheMonthButtons()
{
    TestSession session(Edition::Ostrev);
    session.start();
    TfrmReport window(session.context);
    const QDate thisMonth(QDate::currentDate().year(), QDate::currentDate().month(), 1);
    QCOMPARE(window.startMonth(), thisMonth);
    QCOMPARE(window.endMonth(), thisMonth);
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("Report Date: ")));
    auto *print = window.findChild<QAction *>(QStringLiteral("actPrint"));
    auto *preview = window.findChild<QAction *>(QStringLiteral("actPrintPreview"));
    QVERIFY(!print->isEnabled());
    QVERIFY(!preview->isVisible()); // edition 3 has no preview

    window.findChild<QPushButton *>(QStringLiteral("btnStartNext"))->click();
    QCOMPARE(window.startMonth(), thisMonth.addMonths(1));
    QCOMPARE(window.endMonth(), thisMonth.addMonths(1));
    window.findChild<QPushButton *>(QStringLiteral("btnEndBack"))->click();
    QCOMPARE(window.endMonth(), window.startMonth());
    window.findChild<QPushButton *>(QStringLiteral("btnStartBack"))->click();
    window.findChild<QPushButton *>(QStringLiteral("btnStartBack"))->click();
    QCOMPARE(window.startMonth(), thisMonth.addMonths(-1));
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("Report Date - From: ")));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblStartDate"))->text(),
             SalesTaxReport::monthText(thisMonth.addMonths(-1), session.context.locale));
}

void TestReports::windowPrintsWhatItLists()
{
    TestSession session(Edition::Corvalo);
    session.start();
    session.context.company.invData.strTaxName1 = QStringLiteral("City Tax");
    const QDate thisMonth(QDate::currentDate().year(), QDate::currentDate().month(), 1);
    const QDate lastMonth = thisMonth.addMonths(-1);
    insertMonth(*session.db(), {thisMonth.year(), thisMonth.month(), {1, 0.5, 0, 2, 0, 0}, 100, 50});
    insertMonth(*session.db(), {lastMonth.year(), lastMonth.month(), {0, 0, 0, 0, 0, 0}, 10, 0});
    RecordingPrintModule printer(session.context);

    TfrmReport window(session.context);
    window.resize(800, 600);
    auto *list = window.findChild<QTableView *>(QStringLiteral("ListViewReport"));
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(cellText(list, 0, SalesTaxReport::TaxTotalColumn), QStringLiteral("$3.50"));
    QVERIFY(list->isColumnHidden(SalesTaxReport::TypeColumn));
    QVERIFY(list->isColumnHidden(SalesTaxReport::SortDateColumn));

    QCOMPARE(window.findChild<QRadioButton *>(QStringLiteral("rbtnReportLayout0"))->text().remove(QLatin1Char('&')),
             QStringLiteral("Summary"));
    window.findChild<QPushButton *>(QStringLiteral("btnStartBack"))->click();
    window.findChild<QRadioButton *>(QStringLiteral("rbtnReportLayout1"))->click(); // itemized
    window.findChild<QRadioButton *>(QStringLiteral("rbtnReportType2"))->click();   // tax report
    QCOMPARE(list->model()->rowCount(), 4);
    QCOMPARE(list->model()->headerData(SalesTaxReport::Tax1Column, Qt::Horizontal).toString(), QStringLiteral("City Tax"));
    QCOMPARE(cellText(list, 2, SalesTaxReport::TypeColumn), QStringLiteral("Labor"));
    QCOMPARE(cellText(list, 2, SalesTaxReport::SalesTotalColumn), QStringLiteral("$1.50"));
    QCOMPARE(window.report().taxTotal, 3.5);

    auto *chart = window.findChild<QChartView *>(QStringLiteral("chartReport"));
    const auto series = chart->chart()->series();
    QCOMPARE(series.size(), 1);
    const auto sets = static_cast<QBarSeries *>(series.first())->barSets();
    QCOMPARE(sets.size(), 1); // the tax report charts the taxes only
    QCOMPARE(sets.first()->count(), 2);
    QCOMPARE(sets.first()->at(1), 3.5);

    window.findChild<QAction *>(QStringLiteral("actPrint"))->trigger();
    QCOMPARE(printer.calls, QStringList{QStringLiteral("print 7")});
    const ListPrintout &printout = printer.requests.first().printout;
    QCOMPARE(printout.rows.rowCount(), 4);
    QCOMPARE(printout.rows.value(3, QStringLiteral("rvstrType")), QStringLiteral("Material"));
    QCOMPARE(printout.parameters.value(QStringLiteral("rvstrTaxSalesTitle")), QStringLiteral("Tax Report"));
    QCOMPARE(printout.parameters.value(QStringLiteral("rvstrTaxSalesDates")), window.windowTitle());
    QCOMPARE(printout.parameters.value(QStringLiteral("rvstrTax1Hdng")), QStringLiteral("City Tax"));
    QCOMPARE(printout.parameters.value(QStringLiteral("rvstrTaxTotalHdng")), QString());
}

void TestReports::yearsAreOneChoiceAndTheChartKeepsTaxReadable()
{
    TestSession session(Edition::Corvalo);
    session.start();
    for (int year = 2016; year <= 2026; ++year)
        for (int month = 1; month <= 12; ++month)
            insertMonth(*session.db(), {year, month, {10, 0, 0, 0, 0, 0}, 10000, 0});
    TfrmReport window(session.context);
    auto *startYear = window.findChild<QComboBox *>(QStringLiteral("cmbStartYear"));
    auto *endYear = window.findChild<QComboBox *>(QStringLiteral("cmbEndYear"));
    QCOMPARE(startYear->itemText(0), QStringLiteral("2016"));
    const QDate thisMonth(QDate::currentDate().year(), QDate::currentDate().month(), 1);

    // Ten years back is one choice, keeping the month.
    startYear->setCurrentIndex(startYear->findData(2016));
    emit startYear->activated(startYear->currentIndex());
    QCOMPARE(window.startMonth(), QDate(2016, thisMonth.month(), 1));
    QCOMPARE(window.endMonth(), thisMonth);
    // An end year before the start takes the start back with it.
    endYear->setCurrentIndex(endYear->findData(2016));
    emit endYear->activated(endYear->currentIndex());
    QCOMPARE(window.endMonth(), window.startMonth());

    // 121 months: sales bars on the left axis, tax on its own axis, a dozen labels.
    startYear->setCurrentIndex(startYear->findData(2016));
    emit startYear->activated(startYear->currentIndex());
    while (window.startMonth().month() != 1)
        window.findChild<QPushButton *>(QStringLiteral("btnStartBack"))->click();
    endYear->setCurrentIndex(endYear->findData(2026));
    emit endYear->activated(endYear->currentIndex());
    while (window.endMonth().month() != 1)
        window.findChild<QPushButton *>(QStringLiteral("btnEndBack"))->click();
    QCOMPARE(window.startMonth().daysTo(window.endMonth()) > 0, true);
    QChart *chart = window.findChild<QChartView *>(QStringLiteral("chartReport"))->chart();
    auto *tax = axisNamed<QValueAxis>(chart, "axisTax");
    auto *left = axisNamed<QValueAxis>(chart, "axisLeft");
    auto *months = axisNamed<QCategoryAxis>(chart, "axisMonths");
    QVERIFY(tax && left && months);
    QCOMPARE(months->count() <= 12, true);
    QCOMPARE(months->categoriesLabels().first(), QStringLiteral("Jan 2016"));
    QVERIFY(tax->max() >= 10 && tax->max() < 100);        // the tax scale fits the tax
    QVERIFY(left->max() >= 10000 && left->max() < 100000); // the sales scale fits the sales

    // A range without totals: an empty chart with a sane scale.
    session.db()->exec(QStringLiteral("DELETE FROM tblReport"));
    window.findChild<QPushButton *>(QStringLiteral("btnStartNext"))->click();
    QCOMPARE(window.report().rows.size(), 0);
    chart = window.findChild<QChartView *>(QStringLiteral("chartReport"))->chart();
    left = axisNamed<QValueAxis>(chart, "axisLeft");
    QVERIFY(left->max() > 0);
    QCOMPARE(axisNamed<QCategoryAxis>(chart, "axisMonths")->categoriesLabels().first(), QStringLiteral("Feb 2016"));
}

void TestReports::salesAndTaxReportPdf()
{
    TestSession session(Edition::Corvalo);
    session.start();
    QList<SalesTaxReport::MonthTotals> months;
    for (int month = 1; month <= 60; ++month)
        months.append({QDate(2020, 1, 1).addMonths(month - 1), {1, 0, 0}, {2, 0, 0}, 1000.0 + month, 10});
    const auto report = SalesTaxReport::build(months, SalesTaxReport::SalesAndTax, false, session.context.locale);
    const ListPrintout printout = {
        ListReports::pSetTaxSalesData(SalesTaxReport::SalesAndTax,
                                      SalesTaxReport::rangeText(months.first().month, months.last().month,
                                                                session.context.locale),
                                      SalesTaxReport::captions(SalesTaxReport::SalesAndTax, false,
                                                               {QStringLiteral("State \"Sales\" Tax"), {}, {}})),
        ListReports::RvCustomConnectionReports(report)};
    QTemporaryDir dir;
    const QString text = pdfTextOf(session.context, PrintRequest::list(PrintKind::SalesAndTaxReport, printout), dir);
    QVERIFY2(text.contains(QStringLiteral("Sales and Tax Report")), qPrintable(text.left(300)));
    QVERIFY(text.contains(QStringLiteral("Report Date - From: January 2020 To: December 2024")));
    QVERIFY(text.contains(QStringLiteral("State \"Sales\"")));
    QVERIFY(text.contains(QStringLiteral("Page 1 of 3")));
    QVERIFY(text.contains(QStringLiteral("Page 3 of 3")));
    QVERIFY(text.contains(QStringLiteral("December 2024")));
    QVERIFY(text.contains(QStringLiteral("$1,060.00")));
    QVERIFY(text.indexOf(QStringLiteral("January 2020")) < text.indexOf(QStringLiteral("February 2020")));
}

void TestReports::customerListPdf()
{
    TestSession session(Edition::Corvalo);
    session.start();
    CustomerStore store(session.context);
    CustomerRecord exempt;
    exempt.strCustFirstName = QStringLiteral("Zoë");
    exempt.strCustLastName = QStringLiteral("O'Brien");
    exempt.strCustCompany = QStringLiteral("Brien \"Roofing\"");
    exempt.strCustCity = QStringLiteral("Springfield");
    exempt.strCustState = QStringLiteral("IL");
    exempt.strCustZipCode = QStringLiteral("62701");
    exempt.strCustTaxExmpt = true;
    exempt.strCustTaxExmpNmbr = QStringLiteral("1414141");
    exempt.intCustDiscount = 10;
    exempt.strCustNotes = QStringLiteral("Gate code 4411. ").repeated(30);
    CustomerRecord numberOnly;
    numberOnly.strCustLastName = QStringLiteral("Numberonly");
    numberOnly.strCustTaxExmpNmbr = QStringLiteral("777");
    const qint64 first = store.save(exempt);
    const qint64 second = store.save(numberOnly);

    auto db = session.db();
    const RowFeed feed = ListReports::RvCustomConnectionCustomer(*db, {second, first, 999999});
    QCOMPARE(feed.rowCount(), 3);
    QCOMPARE(feed.value(1, QStringLiteral("rvstrCustTaxExmpNmbr")), QStringLiteral("Tax Exempt, Tax Number: 1414141"));
    QCOMPARE(feed.value(0, QStringLiteral("rvstrCustTaxExmpNmbr")), QStringLiteral("Tax Number: 777"));
    QCOMPARE(feed.value(1, QStringLiteral("rvstrCustCityStateZip")), QStringLiteral("Springfield,IL 62701"));
    QCOMPARE(feed.value(0, QStringLiteral("rvstrCustExtraPhone1Nm")), QStringLiteral(":"));
    QCOMPARE(feed.value(2, QStringLiteral("rvstrCustomerID")), QString()); // deleted meanwhile

    const ListPrintout printout = {{}, feed};
    QTemporaryDir dir;
    const QString text = pdfTextOf(session.context, PrintRequest::list(PrintKind::CustomerList, printout), dir);
    QVERIFY2(text.contains(QStringLiteral("Customer List")), qPrintable(text.left(300)));
    QVERIFY(text.contains(QStringLiteral("Zoë O'Brien")));
    QVERIFY(text.contains(QStringLiteral("Brien \"Roofing\"")));
    QVERIFY(text.contains(QStringLiteral("Discount Percent: 10")));
    QVERIFY(text.contains(QStringLiteral("Tax Exempt, Tax Number: 1414141")));
    QVERIFY(text.indexOf(QStringLiteral("Numberonly")) < text.indexOf(QStringLiteral("Zoë")));
    QCOMPARE(text.count(QStringLiteral("4411.")), 30); // the notes grow their band, nothing is cut
}

void TestReports::priceSheetAndInvoiceListPdf()
{
    TestSession session(Edition::Corvalo);
    session.start();
    const QList<PriceItem> items = {{0, QStringLiteral("Paint & prime wall"), true, false, 45.5, 12.25},
                                    {0, QStringLiteral("Haul-away"), false, true, 80, 0},
                                    {0, QStringLiteral("Ñandú trim"), true, true, 1234567.89, 1}};
    const ListPrintout printout = {{}, ListReports::RvCustomConnectionPrice(items, session.context.locale)};
    QTemporaryDir dir;
    const QString prices = pdfTextOf(session.context, PrintRequest::list(PrintKind::PriceSheet, printout), dir);
    QVERIFY2(prices.contains(QStringLiteral("Price Sheet List")), qPrintable(prices.left(300)));
    QVERIFY(prices.contains(QStringLiteral("Price Item Description")));
    QVERIFY(prices.contains(QStringLiteral("Ñandú trim")));
    QVERIFY(prices.contains(QStringLiteral("$1,234,567.89")));
    QCOMPARE(prices.count(QStringLiteral("Labor:")), 3);
    QCOMPARE(prices.count(QStringLiteral("True")), 4);
    QCOMPARE(prices.count(QStringLiteral("False")), 2);

    // The invoice list prints the rows the maintenance window hands over.
    DocumentStore store(session.context);
    for (const QString &customer : {QStringLiteral("Ann \"A\" Lee"), QStringLiteral("Bo Ng")}) {
        session.context.document.header.blnNewInvoice = true;
        store.pLoadInvoice();
        session.context.document.header.strInvName = QStringLiteral("Estimate");
        session.context.document.header.strCustFullName = customer;
        (void)store.pSaveInvoice();
    }
    session.db()->prepare(QStringLiteral("UPDATE tblInvHeader SET strPaidInFull = '-1' WHERE strCustFullName = ?"))
        .bindAll(QStringLiteral("Bo Ng"))
        .run();
    const ListPrintout listed = {{}, MaintenanceQuery(session.context).printFeed(MaintenanceType::ViewAll,
                                                                                 QStringLiteral("All Invoice Types"), {})};
    const QString invoices = pdfTextOf(session.context, PrintRequest::list(PrintKind::InvoiceList, listed), dir);
    QVERIFY2(invoices.contains(QStringLiteral("Invoice List")), qPrintable(invoices.left(300)));
    QVERIFY(invoices.contains(QStringLiteral("Ann \"A\" Lee")));
    QVERIFY(invoices.contains(QStringLiteral("Paid")));
    QVERIFY(invoices.indexOf(QStringLiteral("Ann")) < invoices.indexOf(QStringLiteral("Bo Ng")));
    QVERIFY(invoices.contains(QStringLiteral("Page 1 of 1")));

    // A long name is cut short inside its column; the row keeps its height.
    const QString longName = QStringLiteral("Bartholomew Maximilian Fitzgerald-Worthington III");
    RowFeed rows;
    rows.columns = {QStringLiteral("rvstrInvNumber"), QStringLiteral("rvstrInvType"), QStringLiteral("rvstrCustomer"),
                    QStringLiteral("rvstrCompany"),   QStringLiteral("rvstrTotal"),   QStringLiteral("rvstrInfo")};
    rows.rows = {{QStringLiteral("500"), QStringLiteral("Invoice"), longName, {}, QStringLiteral("$1,234.00"), {}},
                 {QStringLiteral("501"), QStringLiteral("Invoice"), QStringLiteral("Bo Ng"), {}, QStringLiteral("$5.00"), {}}};
    const ReportPage page = ListReports::ReportInvMaintenance({{}, rows}).first();
    const QList<const TextItem *> customers = page.textsNamed(QStringLiteral("rvstrCustomer"));
    QCOMPARE(customers.size(), 2);
    QVERIFY2(customers[0]->text.endsWith(QChar(0x2026)), qPrintable(customers[0]->text));
    QVERIFY(longName.startsWith(customers[0]->text.chopped(1)));
    QVERIFY(ReportFonts::textWidth(customers[0]->font, customers[0]->text) <= customers[0]->rect.width() - 0.1 + 1e-9);
    QCOMPARE(customers[1]->text, QStringLiteral("Bo Ng"));
    QCOMPARE(customers[1]->rect.top() - customers[0]->rect.top(), 0.4);
}

void TestReports::plannerListPdf()
{
    TestSession session(Edition::Corvalo);
    session.start();
    auto db = session.db();
    db->prepare(QStringLiteral("INSERT INTO tblPlanner(intActID,strActStartDateTime,strActEndDateTime,strActivity,"
                               "strActNote) VALUES (?,?,?,?,?)"))
        .bindAll(qint64(41), QStringLiteral("2026-03-02T08:00:00"), QStringLiteral("2026-03-02T09:00:00"),
                 QStringLiteral("Measure kitchen"), QStringLiteral("Bring the long tape"))
        .run();
    const QList<ListReports::PlannerListRow> rows = {{41, QStringLiteral("3/2/2026")}};
    ListPrintout printout = {
        ListReports::pSetPlannerData(QStringLiteral("Week Planner List"), QStringLiteral("Monday, March 2, 2026"), false),
        ListReports::RvCustomConnectionPlanner(*db, rows, false, session.context.locale)};
    QTemporaryDir dir;
    const QString week = pdfTextOf(session.context, PrintRequest::list(PrintKind::Planner, printout), dir);
    QVERIFY2(week.contains(QStringLiteral("Week Planner List of Activities for:")), qPrintable(week.left(300)));
    QVERIFY(week.contains(QStringLiteral("Activity Date")));
    QVERIFY(week.contains(QStringLiteral("Measure kitchen")));
    QVERIFY(week.contains(QStringLiteral("Bring the long tape")));

    printout = {
        ListReports::pSetPlannerData(QStringLiteral("Day Planner List"), QStringLiteral("Monday, March 2, 2026"), true),
        ListReports::RvCustomConnectionPlanner(*db, rows, true, session.context.locale)};
    const QString day = pdfTextOf(session.context, PrintRequest::list(PrintKind::Planner, printout), dir);
    QVERIFY(day.contains(QStringLiteral("Measure kitchen")));
    QVERIFY2(day.contains(QStringLiteral("3/2/2026 8:00:00")), qPrintable(day));
    QVERIFY(!day.contains(QStringLiteral("Activity Date")));
}

void TestReports::manualFormsConsumeNumbersInOrder()
{
    TestSession session(Edition::Lunvard);
    session.start();
    RecordingPrintModule printer(session.context);
    session.context.company.invData.strInvFootNote[2] = QStringLiteral("Second note: \"thank you\"");
    const int first = DocumentStore(session.context).GetInvoiceNumber();

    const auto runForms = [&session](int count, const QString &terms) {
        session.context.document.header.blnNewInvoice = true;
        DocumentStore(session.context).pLoadInvoice();
        session.context.document.header.blnManualForm = true;
        TfrmManualInvoice window(session.context);
        window.findChild<QSpinBox *>(QStringLiteral("SpinEditNumOfManualInvToPrint"))->setValue(count);
        window.findChild<QComboBox *>(QStringLiteral("cmbPaymentTerms"))->setEditText(terms);
        window.findChild<QComboBox *>(QStringLiteral("cmbFootNotes"))->setCurrentIndex(2);
        window.findChild<QToolButton *>(QStringLiteral("tlbarbtnPrint"))->click();
        QVERIFY(window.findChild<QToolButton *>(QStringLiteral("tlbarbtnPrint"))->isEnabled());
    };
    runForms(3, QStringLiteral("Net 10 \"days\""));
    runForms(2, QStringLiteral("Due on receipt"));
    QCOMPARE(printer.documentNumbers, QList<int>({first, first + 1, first + 2, first + 3, first + 4}));
    QCOMPARE(printer.calls.first(), QStringLiteral("print 1"));
    QCOMPARE(printer.footNotes, QStringList(5, QStringLiteral("Second note: \"thank you\"")));
    QCOMPARE(DocumentStore(session.context).GetInvoiceNumber(), first + 5);

    Statement stored = session.db()->prepare(QStringLiteral(
        "SELECT intInvNumber, strInvName, strInvDate, strCustPymntTerms, intInvFootNotes FROM tblInvHeader "
        "ORDER BY intInvNumber"));
    QList<int> numbers;
    while (stored.step()) {
        numbers << stored.intAt(0);
        QCOMPARE(stored.textAt(1), QStringLiteral("Estimate"));
        QCOMPARE(stored.textAt(2), QString()); // written by hand on the form
        QCOMPARE(stored.intAt(4), 2);
        if (stored.intAt(0) == first)
            QCOMPARE(stored.textAt(3), QStringLiteral("Net 10 \"days\""));
    }
    QCOMPARE(numbers, QList<int>({first, first + 1, first + 2, first + 3, first + 4}));

    // A printer that fails stops the run; the number it took stays used.
    printer.succeeds = false;
    printer.documentNumbers.clear();
    runForms(4, QString());
    QCOMPARE(printer.documentNumbers, QList<int>{first + 5});
    printer.succeeds = true;
    printer.documentNumbers.clear();
    runForms(1, QString());
    QCOMPARE(printer.documentNumbers, QList<int>{first + 6});
}

void TestReports::manualFormsWindowTexts()
{
    TestSession session(Edition::Corvalo);
    session.start();
    session.context.company.invData.strInvTerms.fill(QString());
    session.context.company.invData.strInvTerms[1] = QStringLiteral("Net 30");
    session.context.company.invData.strInvTerms[3] = QStringLiteral("Cash");
    TfrmManualInvoice window(session.context);
    QCOMPARE(window.windowTitle(), QStringLiteral("Print Manual Forms"));
    auto *kinds = window.findChild<QComboBox *>(QStringLiteral("cmbInvoiceType"));
    auto *label = window.findChild<QLabel *>(QStringLiteral("lblNumOfInvToPrint"));
    auto *spin = window.findChild<QSpinBox *>(QStringLiteral("SpinEditNumOfManualInvToPrint"));
    QCOMPARE(kinds->currentText(), QStringLiteral("Estimate"));
    QCOMPARE(label->text(), QStringLiteral("Number of Estimates to print"));
    kinds->setCurrentIndex(kinds->findText(QStringLiteral("Invoice")));
    QCOMPARE(label->text(), QStringLiteral("Number of Invoices to print"));
    QCOMPARE(spin->toolTip(), QStringLiteral("Select number of Invoices to print"));
    auto *terms = window.findChild<QComboBox *>(QStringLiteral("cmbPaymentTerms"));
    QCOMPARE(terms->count(), 2);
    QCOMPARE(terms->itemText(1), QStringLiteral("Cash"));

    QCOMPARE(spin->minimum(), 1);
    QCOMPARE(spin->maximum(), 25);
    spin->setFocus();
    QTest::keyClicks(spin, QStringLiteral("9"));
    QCOMPARE(spin->value(), 1);
    spin->stepDown();
    QCOMPARE(spin->value(), 1);
    spin->setValue(40);
    QCOMPARE(spin->value(), 25);
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"
