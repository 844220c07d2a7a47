#pragma once

#include "SalesTaxReport.h"

#include "csv/CsvWriter.h"

/// The monthly sales and tax totals as a CSV file: one row a month, the amounts as
/// numbers, the month as yyyy-MM, the tax columns named after the company's taxes.
namespace SalesTaxExport {

[[nodiscard]] Csv::Writer exportCsv(const QList<SalesTaxReport::MonthTotals> &months,
                                   const std::array<QString, 3> &taxNames);

} // namespace SalesTaxExport
