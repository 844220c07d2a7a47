#pragma once

#include "SalesTaxReport.h"

class QChart;

/// The report window's chart: sales as bars on the left axis and, in the sales
/// and tax report, tax as a line on an axis of its own on the right, so a tax of a
/// few percent of the sales stays readable. Every month of the range has its place,
/// an empty range included; the month labels thin out on long ranges.
[[nodiscard]] QChart *makeReportChart(const SalesTaxReport::ChartData &data, int type, const QLocale &locale);
