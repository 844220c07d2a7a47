#include "SalesTaxRows.h"

#include "SalesTaxReport.h"

namespace ListReports {

RowFeed RvCustomConnectionReports(const SalesTaxReport::Report &report)
{
    RowFeed feed{QStringLiteral("RvCustomConnectionReports"),
                 {QStringLiteral("rvstrDate"), QStringLiteral("rvstrType"), QStringLiteral("rvstrTax1"),
                  QStringLiteral("rvstrTax2"), QStringLiteral("rvstrTax3"), QStringLiteral("rvstrTaxTotal"),
                  QStringLiteral("rvstrSalesTotal")},
                 {}};
    for (const SalesTaxReport::Row &row : report.rows)
        feed.rows.append(row.cells.mid(0, SalesTaxReport::SortDateColumn));
    return feed;
}

ReportParameters pSetTaxSalesData(int type, const QString &rangeText, const QStringList &captions)
{
    static const QStringList headings = {QStringLiteral("rvstrDateHdng"), QStringLiteral("rvstrTypeHdng"),
                                         QStringLiteral("rvstrTax1Hdng"), QStringLiteral("rvstrTax2Hdng"),
                                         QStringLiteral("rvstrTax3Hdng"), QStringLiteral("rvstrTaxTotalHdng"),
                                         QStringLiteral("rvstrSalesTotalHdng")};
    ReportParameters parameters{{QStringLiteral("rvstrTaxSalesTitle"), SalesTaxReport::title(type)},
                                {QStringLiteral("rvstrTaxSalesDates"), rangeText}};
    for (qsizetype i = 0; i < headings.size(); ++i)
        parameters.insert(headings.at(i), captions.value(i));
    return parameters;
}

} // namespace ListReports
