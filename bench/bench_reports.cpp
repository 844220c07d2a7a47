// Times the list reports as the user waits for them: the sales and tax report over
// ten years laid out, and the Invoice List preview of every stored document from
// the command to its first page painted (window built, shown, painted), next to
// the bare query that reads the same rows, with the memory the preview holds.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "context/AppContext.h"
#include "app/StartUp.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/SavingIndicator.h"
#include "editing/MaintenanceQuery.h"
#include "printing/ListReports.h"
#include "printing/PageViewer.h"
#include "printing/PrintJobs.h"
#include "printing/TfrmPrntPreview.h"
#include "report/SalesTaxReport.h"
#include "report/SalesTaxRows.h"

#include <QApplication>

namespace {

qint64 bareRows(Database &db, const QString &sql)
{
    Statement q = db.prepare(sql);
    qint64 rows = 0;
    while (q.step()) {
        for (int c = 0; c < q.columnCount(); ++c)
            (void)q.textAt(c);
        ++rows;
    }
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QString path = prepareBenchDatabase(edition, app.arguments());
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
    note("(%lld pages)", static_cast<long long>(pages));

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = locale;
    StartUp::pStartUp(context);
    const QString all = QStringLiteral("All Invoice Types");
    const double before = residentMb();
    double withPreview = 0;
    const auto preview = [&](int) {
        // What Print Preview does: the window's rows, the job, the preview painted.
        const ListPrintout listed = {{}, MaintenanceQuery(context).printFeed(MaintenanceType::ViewAll, all, {})};
        const ReportJob job =
            PrintJobs::RvSystemPrntDocsPrint(context, PrintRequest::list(PrintKind::InvoiceList, listed));
        TfrmPrntPreview window(job, {}, {});
        window.resize(1000, 800);
        window.show();
        QCoreApplication::processEvents();
        window.repaint();
        window.viewer()->repaint();
        pages = window.viewer()->pageCount();
        withPreview = std::max(withPreview, residentMb());
    };
    const MaintenanceQuery::SqlText statement = MaintenanceQuery::build(MaintenanceType::ViewAll, all, {});
    printRow("invoice list preview, first page painted", medianMs(7, preview),
             medianMs(7, [&](int) { bareRows(db, statement.sql); }));
    note("(%lld pages; memory %.0f MB before, %.0f MB with the preview open, %.0f MB after closing)",
         static_cast<long long>(pages), before, withPreview, residentMb());
    return 0;
}
