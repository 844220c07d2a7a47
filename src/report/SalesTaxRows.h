#pragma once

#include "core/RowFeed.h"

namespace SalesTaxReport {
struct Report;
}

namespace ListReports {

/// The report window's lines: their first seven columns.
[[nodiscard]] RowFeed RvCustomConnectionReports(const SalesTaxReport::Report &report);

/// rvstrTaxSalesTitle, rvstrTaxSalesDates and the seven column headings.
[[nodiscard]] ReportParameters pSetTaxSalesData(int type, const QString &rangeText, const QStringList &captions);

} // namespace ListReports
