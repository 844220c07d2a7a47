#include "SalesTaxReport.h"

#include "data/DateText.h"
#include "data/Database.h"
#include "invoice/Money.h"
#include "printing/ReportError.h"

#include <algorithm>
#include <cmath>

namespace SalesTaxReport {

namespace {

QDate firstOfMonth(QDate date)
{
    return QDate(date.year(), date.month(), 1);
}

/// Which columns a report shows; the seventh holds the tax total in the tax report.
QList<int> visibleColumns(int type, bool summarized)
{
    switch (type) {
    case Sales:
        return summarized ? QList<int>{DateColumn, SalesTotalColumn}
                          : QList<int>{DateColumn, TypeColumn, SalesTotalColumn};
    case Tax:
        return summarized ? QList<int>{DateColumn, SalesTotalColumn}
                          : QList<int>{DateColumn, TypeColumn, Tax1Column, Tax2Column, Tax3Column, SalesTotalColumn};
    default:
        return summarized ? QList<int>{DateColumn, TaxTotalColumn, SalesTotalColumn}
                          : QList<int>{DateColumn, TypeColumn, Tax1Column, Tax2Column, Tax3Column, TaxTotalColumn,
                                       SalesTotalColumn};
    }
}

struct LineAmounts
{
    QString type;
    std::array<double, 3> taxes{};
    double sales = 0;

    [[nodiscard]] double tax() const { return taxes[0] + taxes[1] + taxes[2]; }
};

Row makeRow(const MonthTotals &month, const QString &dateText, const LineAmounts &amounts, int type,
            const QLocale &locale)
{
    const auto money = [&locale](double amount) { return Money::currencyText(amount, locale); };
    QStringList cells(ColumnCount);
    cells[DateColumn] = dateText;
    cells[TypeColumn] = amounts.type;
    const bool showsTaxes = !amounts.type.isEmpty() && type != Sales;
    if (showsTaxes) {
        for (int i = 0; i < 3; ++i)
            cells[Tax1Column + i] = money(amounts.taxes[size_t(i)]);
    }
    if (type == SalesAndTax)
        cells[TaxTotalColumn] = money(amounts.tax());
    cells[SalesTotalColumn] = money(type == Tax ? amounts.tax() : amounts.sales);
    cells[SortDateColumn] = DateText::shortDate(month.month, locale);
    return Row{month.month, cells, amounts.tax(), amounts.sales};
}

} // namespace

ChartData chartData(const QList<MonthTotals> &months, QDate start, QDate end)
{
    ChartData chart;
    start = firstOfMonth(start);
    end = firstOfMonth(end);
    for (QDate month = start; month <= end; month = month.addMonths(1)) {
        chart.months.append(month);
        chart.sales.append(0);
        chart.tax.append(0);
    }
    for (const MonthTotals &totals : months) {
        const qsizetype at = chart.months.indexOf(totals.month);
        if (at < 0)
            continue;
        chart.sales[at] = totals.labor + totals.material;
        chart.tax[at] = totals.laborTaxTotal() + totals.materialTaxTotal();
    }
    // At most about twelve labels, on steps a reader counts months in.
    constexpr int kMostLabels = 12;
    for (int step : {1, 2, 3, 6, 12, 24, 60, 120}) {
        chart.labelStep = step;
        if ((chart.months.size() + step - 1) / step <= kMostLabels)
            break;
    }
    return chart;
}

std::pair<int, int> storedYears(Database &db, int currentYear)
{
    Statement query = db.prepare(QStringLiteral("SELECT MIN(intReportYear), MAX(intReportYear) FROM tblReport"));
    if (!query.step() || query.isNullAt(0))
        return {currentYear, currentYear};
    return {query.intAt(0), query.intAt(1)};
}

QList<MonthTotals> readMonths(Database &db, QDate start, QDate end)
{
    start = firstOfMonth(start);
    end = firstOfMonth(end);
    if (end < start)
        throw ReportError(QStringLiteral("The report cannot end (%1) before it starts (%2).")
                              .arg(end.toString(QStringLiteral("MMMM yyyy")), start.toString(QStringLiteral("MMMM yyyy"))));

    Statement query = db.prepare(QStringLiteral(
        "SELECT intReportYear,intReportMonth,dbLbrTax1Total,dbLbrTax2Total,dbLbrTax3Total,dbMatTax1Total,"
        "dbMatTax2Total,dbMatTax3Total,dbLbrTotal,dbMatTotal FROM tblReport "
        "WHERE intReportYear >= ? AND intReportYear <= ? ORDER BY intReportYear, intReportMonth"));
    query.bindAll(start.year(), end.year());
    QList<MonthTotals> months;
    while (query.step()) {
        const QDate month(query.intAt(0), query.intAt(1), 1);
        if (!month.isValid() || month < start || month > end)
            continue;
        MonthTotals totals;
        totals.month = month;
        for (int i = 0; i < 3; ++i) {
            totals.laborTax[size_t(i)] = query.doubleAt(2 + i);
            totals.materialTax[size_t(i)] = query.doubleAt(5 + i);
        }
        totals.labor = query.doubleAt(8);
        totals.material = query.doubleAt(9);
        months.append(totals);
    }
    // Two rows of one month (a file written by an older copy) still list in month order.
    std::stable_sort(months.begin(), months.end(),
                     [](const MonthTotals &a, const MonthTotals &b) { return a.month < b.month; });
    return months;
}

Report build(const QList<MonthTotals> &months, int type, bool summarized, const QLocale &locale)
{
    Report report;
    for (const MonthTotals &month : months) {
        const QString name = monthText(month.month, locale);
        if (summarized) {
            LineAmounts whole;
            for (size_t i = 0; i < 3; ++i)
                whole.taxes[i] = month.laborTax[i] + month.materialTax[i];
            whole.sales = month.labor + month.material;
            report.rows.append(makeRow(month, name, whole, type, locale));
        } else {
            report.rows.append(makeRow(month, name, {QStringLiteral("Labor"), month.laborTax, month.labor}, type, locale));
            report.rows.append(
                makeRow(month, QString(), {QStringLiteral("Material"), month.materialTax, month.material}, type, locale));
        }
    }
    for (const Row &row : std::as_const(report.rows)) {
        report.taxTotal += row.tax;
        report.salesTotal += row.sales;
    }
    return report;
}

QString monthText(QDate month, const QLocale &locale)
{
    return locale.standaloneMonthName(month.month(), QLocale::LongFormat) + QLatin1Char(' ')
           + QString::number(month.year());
}

QString rangeText(QDate start, QDate end, const QLocale &locale)
{
    if (start.year() == end.year() && start.month() == end.month())
        return QStringLiteral("Report Date: ") + monthText(start, locale);
    return QStringLiteral("Report Date - From: ") + monthText(start, locale) + QStringLiteral(" To: ")
           + monthText(end, locale);
}

QString title(int type)
{
    switch (type) {
    case Sales:
        return QStringLiteral("Sales Report");
    case Tax:
        return QStringLiteral("Tax Report");
    default:
        return QStringLiteral("Sales and Tax Report");
    }
}

QStringList captions(int type, bool summarized, const std::array<QString, 3> &taxNames)
{
    QStringList all = {QStringLiteral("Date"), QStringLiteral("Type"), QString(), QString(), QString(),
                       QStringLiteral("Tax Total"), type == Tax ? QStringLiteral("Tax Total") : QStringLiteral("Sales Total"),
                       QStringLiteral("Sort Date")};
    for (int i = 0; i < 3; ++i) {
        const QString &name = taxNames[size_t(i)];
        all[Tax1Column + i] = name.isEmpty() ? QStringLiteral("Tax %1").arg(i + 1) : name;
    }
    const QList<int> visible = visibleColumns(type, summarized);
    QStringList shown(ColumnCount);
    for (int column : visible)
        shown[column] = all.at(column);
    return shown;
}

QList<int> columnWidths(int type, bool summarized, int listWidth)
{
    const QList<int> visible = visibleColumns(type, summarized);
    const int share = int(std::lround(double(listWidth) / double(visible.size())));
    int margin = 5;
    if (visible.size() == 2)
        margin = 8;
    else if (visible.size() == 6)
        margin = 2;
    QList<int> widths(ColumnCount, 0);
    for (qsizetype i = 0; i < visible.size(); ++i) {
        int columnMargin = margin;
        if (visible.size() == 7)
            columnMargin = i < 3 ? 1 : 2;
        widths[visible.at(i)] = std::max(0, share - columnMargin);
    }
    return widths;
}

} // namespace SalesTaxReport
