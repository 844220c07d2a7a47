// Times the sales and tax report over ten years of postings and the invoice list of
// every stored document, each laid out to its printed pages (what the preview's
// first page waits for), next to the bare query that reads the same rows.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "printing/ListReports.h"
#include "report/SalesTaxReport.h"
#include "report/SalesTaxRows.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

qint64 bareRows(Database &db, const QString &sql)
{
    Statement q = db.prepare(sql);
    qint64 rows = 0;
    while (q.step()) {
        for (int c = 0; c < 8; ++c)
            (void)q.textAt(c);
        ++rows;
    }
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv); // fonts for the page layout
    qputenv("XDG_DATA_HOME", (QDir::currentPath() + QStringLiteral("/bench-data")).toUtf8());
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QString path = Paths::GetDataBasePath(edition);
    if (!QFileInfo::exists(path)) {
        std::printf("generating the benchmark database ...\n");
        QDir().mkpath(Paths::GetCompanyFolder(edition));
        generateDatabase(path, edition, GeneratedSize{}, QDate(2026, 12, 1));
    }
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    Database db(path);
    const QDate start(2016, 12, 1), end(2026, 12, 1);

    printHeading();
    qsizetype pages = 0;
    const double report = medianMs(11, [&](int) {
        const SalesTaxReport::Report built = SalesTaxReport::build(SalesTaxReport::readMonths(db, start, end),
                                                                   SalesTaxReport::SalesAndTax, false, locale);
        const ListPrintout printout{ListReports::pSetTaxSalesData(SalesTaxReport::SalesAndTax, QStringLiteral("bench"),
                                                                  SalesTaxReport::captions(SalesTaxReport::SalesAndTax, false, {})),
                                    ListReports::RvCustomConnectionReports(built)};
        pages = ListReports::ReportTaxSalesReport(printout).size();
    });
    printRow("sales and tax report, 10 years, laid out", report,
             medianMs(11, [&](int) {
                 bareRows(db, QStringLiteral("SELECT * FROM tblReport WHERE intReportYear * 100 + intReportMonth "
                                             "BETWEEN 201612 AND 202612 ORDER BY intReportYear, intReportMonth"));
             }));
    std::printf("(%lld pages)\n", static_cast<long long>(pages));

    const double list = medianMs(5, [&](int) {
        pages = ListReports::ReportInvMaintenance({{}, ListReports::RvCustomConnectionInvMaint(db)}).size();
    });
    printRow("invoice list, 100,000 documents, laid out", list,
             medianMs(5, [&](int) {
                 bareRows(db, QStringLiteral("SELECT intInvNumber,strInvName,strCustFullName,strCustCmpnyName,"
                                             "strInvTotal,strPaidInFull,strRecurring FROM tblInvHeader ORDER BY "
                                             "intInvNumber"));
             }));
    std::printf("(%lld pages)\n", static_cast<long long>(pages));
    return 0;
}
