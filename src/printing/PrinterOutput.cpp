#include "PrinterOutput.h"

#include "ReportError.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

void DefaultPrinter::print(const ReportJob &job, const PageProgress &progress)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw ReportError(QStringLiteral("There is no printer to print on. Install a printer, then print again."));

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(job.documentName);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    // Positions are measured from the edge of the sheet, not from the printable area.
    printer.setFullPage(true);

    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("The printer \"%1\" cannot print now.").arg(info.printerName()));
    const double dotsPerInch = printer.resolution();
    for (qsizetype i = 0; i < job.pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            printer.abort();
            throw ReportError(QStringLiteral("The printer \"%1\" stopped at page %2.").arg(info.printerName()).arg(i + 1));
        }
        if (progress && !progress(int(i + 1))) {
            printer.abort();
            throw JobCancelled();
        }
        PageRenderer::draw(painter, job.pages.at(i), dotsPerInch);
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("The printer \"%1\" could not finish the job.").arg(info.printerName()));
}
