#include "PrintJobs.h"

#include "InvoiceReport.h"
#include "InvoiceRowFeed.h"
#include "ListReports.h"
#include "ProgressScheduleReport.h"
#include "ReportError.h"
#include "TextReports.h"
#include "invoice/DocumentContext.h"
#include "data/Database.h"
#include "core/Edition.h"
#include "core/TablePrintout.h"
#include "invoice/ProgressJobs.h"

#include <QHash>

namespace PrintJobs {

namespace {

using PagesOf = ReportPages (*)(const DocumentContext &context, const PrintRequest &request);

/// The continuation page of a saved progress invoice: the whole schedule as it
/// stood with this bill.
QList<ReportPage> progressSchedulePages(const DocumentContext &context, Database &db)
{
    const TrecInvHeader &header = context.document.header;
    if (header.blnNewInvoice || !ProgressJobs::isProgressInvoice(db, header.intInvNumber))
        return {};
    const int jobId = header.intJobID != 0 ? header.intJobID : header.intInvNumber;
    const std::vector<ProgressStore::StoredItem> items = ProgressStore::schedule(db, jobId);
    const ProgressBilling::Billed before = ProgressStore::billedBefore(db, jobId, items, header.intInvNumber);
    const ProgressBilling::Billed upTo = ProgressStore::billedBefore(db, jobId, items, header.intInvNumber + 1);
    std::vector<ProgressBilling::ScheduleItem> schedule;
    std::vector<double> completed;
    ProgressSchedule sheet;
    for (std::size_t i = 0; i < items.size(); ++i) {
        schedule.push_back(items[i].item);
        completed.push_back(upTo.completedOf(i));
        sheet.descriptions.append(items[i].item.description);
    }
    sheet.rows = ProgressRows::of(schedule, before, completed, upTo.retainageHeldCents());
    sheet.locale = context.locale;
    const QString customer = header.strCustCmpnyName.trimmed().isEmpty() ? header.strCustFullName : header.strCustCmpnyName;
    sheet.heading = QStringLiteral("%1 %2 - Job %3 - %4")
                        .arg(header.strInvName)
                        .arg(header.intInvNumber)
                        .arg(jobId)
                        .arg(customer.simplified());
    return ProgressScheduleReport::pages(sheet);
}

ReportPages currentDocumentPages(const DocumentContext &context, const PrintRequest &)
{
    const InvoiceReport report = InvoiceReport::pSetInvoiceData(context);
    QList<ReportPage> pages = report.run(InvoiceRows::RvCustomConnectionInvoice(context));
    const TrecInvHeader &header = context.document.header;
    if (context.edition().billsByProgress())
        pages += progressSchedulePages(context, *context.openDatabase());
    if (header.blnPrintContract || header.blnPrintWarranty) {
        const auto db = context.openDatabase();
        if (header.blnPrintContract)
            pages += TextReports::ReportContract(TextReports::pSetContractData(*db));
        if (header.blnPrintWarranty)
            pages += TextReports::ReportWarranty(TextReports::pSetWarrantyData(*db));
    }
    return pages;
}

ReportPages contractPages(const DocumentContext &context, const PrintRequest &)
{
    return TextReports::ReportContract(TextReports::pSetContractData(*context.openDatabase()));
}

ReportPages warrantyPages(const DocumentContext &context, const PrintRequest &)
{
    return TextReports::ReportWarranty(TextReports::pSetWarrantyData(*context.openDatabase()));
}

ReportPages priceSheetPages(const DocumentContext &context, const PrintRequest &request)
{
    ListPrintout printout = request.printout;
    if (context.edition().usesWorkSheets()) {
        printout.parameters.insert(QStringLiteral("rvstrPriceSheetTitle"), QStringLiteral("Price Sheet List"));
        return ListReports::ReportPriceSheetHeddrin(printout);
    }
    printout.parameters.insert(QStringLiteral("PriceSheetHeader"), QStringLiteral("Price Sheet List"));
    return ListReports::ReportPriceSheet(printout);
}

ReportPages customerListPages(const DocumentContext &, const PrintRequest &request)
{
    ListPrintout printout = request.printout;
    printout.parameters.insert(QStringLiteral("rvstrCustomerListTitle"), QStringLiteral("Customer List"));
    return ListReports::ReportCustomerList(printout);
}

ReportPages plannerPages(const DocumentContext &, const PrintRequest &request)
{
    return ListReports::ReportPlanner(request.printout);
}

ReportPages salesAndTaxPages(const DocumentContext &, const PrintRequest &request)
{
    return ListReports::ReportTaxSalesReport(request.printout);
}

ReportPages invoiceListPages(const DocumentContext &, const PrintRequest &request)
{
    // The maintenance window hands over the rows of its current type and search.
    ListPrintout printout = request.printout;
    printout.parameters.insert(QStringLiteral("rvstrInvMaintTitle"), QStringLiteral("Invoice List"));
    return ListReports::ReportInvMaintenance(printout);
}

ReportPages tablePages(const DocumentContext &, const PrintRequest &request)
{
    return ListReports::ReportTable(request.printout);
}

/// The reports by print kind; a kind without an entry has no printout yet.
const QHash<int, PagesOf> &reports()
{
    static const QHash<int, PagesOf> table = {
        {PrintKind::CurrentDocument, &currentDocumentPages},
        {PrintKind::PriceSheet, &priceSheetPages},
        {PrintKind::CustomerList, &customerListPages},
        {PrintKind::Planner, &plannerPages},
        {PrintKind::Contract, &contractPages},
        {PrintKind::Warranty, &warrantyPages},
        {PrintKind::SalesAndTaxReport, &salesAndTaxPages},
        {PrintKind::InvoiceList, &invoiceListPages},
        {PrintKind::Table, &tablePages},
    };
    return table;
}

QString documentKindAndNumber(const DocumentContext &context)
{
    const TrecInvHeader &header = context.document.header;
    return header.strInvName + QLatin1Char(' ') + QString::number(header.intInvNumber);
}

} // namespace

bool isAvailable(int kind)
{
    return reports().contains(kind);
}

QString previewTitle(const PrintRequest &request, const DocumentContext &context)
{
    switch (request.kind) {
    case PrintKind::CurrentDocument:
        return QStringLiteral("Preview ") + documentKindAndNumber(context);
    case PrintKind::SalesAndTaxReport:
        return QStringLiteral("Sales and Tax Report");
    default:
        return QStringLiteral("Preview ") + documentName(request, context);
    }
}

QString pdfBaseName(const QString &kind, int number)
{
    return kind + QLatin1Char(' ') + QString::number(number);
}

QString documentName(const PrintRequest &request, const DocumentContext &context)
{
    switch (request.kind) {
    case PrintKind::CurrentDocument:
        return documentKindAndNumber(context);
    case PrintKind::PriceSheet:
        return QStringLiteral("Price Sheet List");
    case PrintKind::CustomerList:
        return QStringLiteral("Customer List");
    case PrintKind::Planner:
        return QStringLiteral("Planner Activities");
    case PrintKind::Contract:
        return QStringLiteral("Contract");
    case PrintKind::Warranty:
        return QStringLiteral("Warranty");
    case PrintKind::SalesAndTaxReport:
        return QStringLiteral("Sales and Tax Report");
    case PrintKind::InvoiceList:
        return QStringLiteral("Invoice List");
    case PrintKind::Table: {
        const QString title = request.printout.parameters.value(TableParameters::title).simplified();
        return title.isEmpty() ? QStringLiteral("Table") : title;
    }
    default:
        return QStringLiteral("Printout");
    }
}

ReportJob RvSystemPrntDocsPrint(const DocumentContext &context, const PrintRequest &request)
{
    const int kind = request.kind;
    const PagesOf pagesOf = reports().value(kind);
    if (!pagesOf || !isAvailable(kind))
        throw ReportError(QStringLiteral("Printing the %1 is not available yet.").arg(documentName(request, context)));

    ReportJob job;
    job.previewTitle = previewTitle(request, context);
    job.documentName = documentName(request, context);
    const QString &company = context.company.company.strCompName;
    job.info.title = job.documentName;
    job.info.author = company;
    job.info.subject = kind == PrintKind::CurrentDocument ? context.document.header.strInvName : job.documentName;
    job.info.keywords = job.documentName;
    job.info.creator = company;
    job.info.producer = company;
    job.pages = pagesOf(context, request);
    return job;
}

} // namespace PrintJobs
