#pragma once

#include "PageModel.h"
#include "core/RowFeed.h"

#include <QLocale>

class Database;
struct PriceItem;

namespace SalesTaxReport {
struct Report;
}

/// The reports that print what a window lists: the price sheet, the customer list,
/// the invoice list and the sales and tax report. Each prints exactly the rows it
/// is fed, in their order.
namespace ListReports {

/// The price window's rows: description, labor and material price as listed,
/// and the two taxable flags as "True" or "False".
[[nodiscard]] RowFeed RvCustomConnectionPrice(const QList<PriceItem> &items, const QLocale &locale);
/// The work-sheet price window's rows as listed: description, labor and material
/// price (currency text).
[[nodiscard]] RowFeed RvCustomConnectionPriceHeddrin(const QList<QStringList> &listedRows);
/// One row per customer id, each read from tblCustomers; an id no longer stored
/// gives a row of empty values.
[[nodiscard]] RowFeed RvCustomConnectionCustomer(Database &db, const QList<qint64> &customerIds);
/// Every stored document, by number: number, kind, customer, company, total, info.
[[nodiscard]] RowFeed RvCustomConnectionInvMaint(Database &db);
/// A planner row as listed: the activity's id and the text of its "Date" column.
struct PlannerListRow
{
    qint64 activityId = 0;
    QString dateText;
};
/// One row per listed activity, each read from tblPlanner; the day list fills the
/// day fields, the week and month lists the dated fields.
[[nodiscard]] RowFeed RvCustomConnectionPlanner(Database &db, const QList<PlannerListRow> &rows, bool dayList);
/// The title, the dates line and the headings of the day or the week/month set.
[[nodiscard]] ReportParameters pSetPlannerData(const QString &listKindText, const QString &datesText, bool dayList);

/// The report window's lines: their first seven columns.
[[nodiscard]] RowFeed RvCustomConnectionReports(const SalesTaxReport::Report &report);

/// rvstrTaxSalesTitle, rvstrTaxSalesDates and the seven column headings.
[[nodiscard]] ReportParameters pSetTaxSalesData(int type, const QString &rangeText, const QStringList &captions);

[[nodiscard]] QList<ReportPage> ReportPriceSheet(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportPriceSheetHeddrin(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportCustomerList(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportPlanner(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportInvMaintenance(const ListPrintout &printout);
[[nodiscard]] QList<ReportPage> ReportTaxSalesReport(const ListPrintout &printout);

} // namespace ListReports
