#pragma once

#include "PageModel.h"
#include "core/RowFeed.h"

#include <QLocale>

class Database;

/// The reports that print what a window lists: the price sheet, the customer list,
/// the invoice list, the sales and tax report and any titled table. Each prints exactly the rows it
/// is fed, in their order. The price and report windows build their rows beside
/// their own records (PriceSheetRows.h, SalesTaxRows.h).
namespace ListReports {

/// The work-sheet price window's rows as listed: description, labor and material
/// price (currency text).
[[nodiscard]] RowFeed RvCustomConnectionPriceHeddrin(const QList<QStringList> &listedRows);
/// One row per customer id, each read from tblCustomers; an id no longer stored
/// gives a row of empty values.
[[nodiscard]] RowFeed RvCustomConnectionCustomer(Database &db, const QList<qint64> &customerIds);
/// The maintenance window's listed documents, read as the report reaches them:
/// number, kind, customer, company, total, info.
[[nodiscard]] RowFeed RvCustomConnectionInvMaint(std::shared_ptr<const RowSource> listed);
/// A planner row as listed: the activity's id and the text of its "Date" column.
struct PlannerListRow
{
    qint64 activityId = 0;
    QString dateText;
};
/// One row per listed activity, each read from tblPlanner; the day list fills the
/// day fields, the week and month lists the dated fields.
[[nodiscard]] RowFeed RvCustomConnectionPlanner(Database &db, const QList<PlannerListRow> &rows, bool dayList,
                                               const QLocale &locale);
/// The title, the dates line and the headings of the day or the week/month set.
[[nodiscard]] ReportParameters pSetPlannerData(const QString &listKindText, const QString &datesText, bool dayList);


[[nodiscard]] QList<ReportPage> ReportPriceSheet(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportPriceSheetHeddrin(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportCustomerList(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportPlanner(const ListPrintout &printout);
/// Laid out a page at a time as the pages are shown or printed.
[[nodiscard]] ReportPages ReportInvMaintenance(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportTaxSalesReport(const ListPrintout &printout);
/// A titled table (core/TablePrintout.h): the feed's columns under their names,
/// laid out a page at a time.
[[nodiscard]] ReportPages ReportTable(const ListPrintout &printout);

} // namespace ListReports
