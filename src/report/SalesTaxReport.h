#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>

class Database;

/// The monthly sales and tax totals of tblReport, laid out as the report window
/// lists them and the printed report prints them.
namespace SalesTaxReport {

enum Type : int { SalesAndTax = 1, Sales = 2, Tax = 3 };

/// The list's columns, in order; the last one is never shown.
enum Column : int { DateColumn, TypeColumn, Tax1Column, Tax2Column, Tax3Column, TaxTotalColumn, SalesTotalColumn,
                    SortDateColumn, ColumnCount };

/// One tblReport row.
struct MonthTotals
{
    /// The first day of the month.
    QDate month;
    std::array<double, 3> laborTax{};
    std::array<double, 3> materialTax{};
    double labor = 0;
    double material = 0;

    [[nodiscard]] double laborTaxTotal() const { return laborTax[0] + laborTax[1] + laborTax[2]; }
    [[nodiscard]] double materialTaxTotal() const { return materialTax[0] + materialTax[1] + materialTax[2]; }
};

/// One line of the report.
struct Row
{
    QDate month;
    /// One text per Column.
    QStringList cells;
    /// The taxes and the sales the line stands for, whatever its columns show.
    double tax = 0;
    double sales = 0;
};

/// The report of a range of whole months.
struct Report
{
    QList<Row> rows;
    double taxTotal = 0;
    double salesTotal = 0;
};

/// The months of tblReport from \a start to \a end (any day of each), oldest first;
/// a month without a row is left out. Throws ReportError when \a end is before
/// \a start, DbError when the table cannot be read.
[[nodiscard]] QList<MonthTotals> readMonths(Database &db, QDate start, QDate end);

/// The lines of \a months for the report \a type, summarized (one line a month)
/// or itemized (a labor and a material line a month), with their totals.
[[nodiscard]] Report build(const QList<MonthTotals> &months, int type, bool summarized, const QLocale &locale);

/// The chart of a range: every month from start to end, oldest first, with 0 where
/// a month has no row, and which months carry a label so that a long range (121
/// months) stays legible.
struct ChartData
{
    QList<QDate> months;
    QList<double> sales;
    QList<double> tax;
    /// A label on every labelStep-th month, starting with the first.
    int labelStep = 1;
};
[[nodiscard]] ChartData chartData(const QList<MonthTotals> &months, QDate start, QDate end);

/// The first and last year with stored totals; the current year when there are none.
[[nodiscard]] std::pair<int, int> storedYears(Database &db, int currentYear);

/// "March 2010".
[[nodiscard]] QString monthText(QDate month, const QLocale &locale);
/// "Report Date: March 2010" or "Report Date - From: March 2010 To: May 2010".
[[nodiscard]] QString rangeText(QDate start, QDate end, const QLocale &locale);
/// "Sales and Tax Report", "Sales Report" or "Tax Report".
[[nodiscard]] QString title(int type);
/// The column captions; a hidden column has an empty caption. An empty tax name
/// reads "Tax 1", "Tax 2" or "Tax 3".
[[nodiscard]] QStringList captions(int type, bool summarized, const std::array<QString, 3> &taxNames);
/// The column widths for a list \a listWidth pixels wide; hidden columns get 0.
[[nodiscard]] QList<int> columnWidths(int type, bool summarized, int listWidth);

} // namespace SalesTaxReport
