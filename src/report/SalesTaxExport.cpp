#include "SalesTaxExport.h"

#include "csv/CsvWriter.h"

namespace SalesTaxExport {

Csv::Writer exportCsv(const QList<SalesTaxReport::MonthTotals> &months, const std::array<QString, 3> &taxNames)
{
    QStringList headers = {QStringLiteral("Month"), QStringLiteral("Labor Sales"), QStringLiteral("Material Sales")};
    for (const QString &part : {QStringLiteral("Labor"), QStringLiteral("Material")}) {
        for (int t = 0; t < 3; ++t) {
            const QString name = taxNames[t].isEmpty() ? QStringLiteral("Tax %1").arg(t + 1) : taxNames[t];
            headers << part + QLatin1Char(' ') + name;
        }
    }
    headers << QStringLiteral("Tax Total") << QStringLiteral("Sales Total");

    Csv::Writer writer(headers);
    for (const SalesTaxReport::MonthTotals &m : months) {
        QList<Csv::Cell> row = {m.month.toString(QStringLiteral("yyyy-MM")), Csv::Cell::number(m.labor),
                                Csv::Cell::number(m.material)};
        for (const double tax : m.laborTax)
            row << Csv::Cell::number(tax);
        for (const double tax : m.materialTax)
            row << Csv::Cell::number(tax);
        row << Csv::Cell::number(m.laborTaxTotal() + m.materialTaxTotal()) << Csv::Cell::number(m.labor + m.material);
        writer.addRow(row);
    }
    return writer;
}

} // namespace SalesTaxExport
