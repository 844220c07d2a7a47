#include "ReportChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

namespace {

QValueAxis *amountAxis(const QString &name, const QString &title, const QList<double> &values)
{
    auto *axis = new QValueAxis;
    axis->setObjectName(name);
    axis->setTitleText(title);
    const double highest = values.isEmpty() ? 0 : *std::max_element(values.cbegin(), values.cend());
    // An empty range still gets a scale that reads as amounts, not 0 to 0.
    axis->setRange(0, highest > 0 ? highest : 100);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

QCategoryAxis *monthAxis(const SalesTaxReport::ChartData &data, const QLocale &locale)
{
    auto *axis = new QCategoryAxis;
    axis->setObjectName(QStringLiteral("axisMonths"));
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setMin(-0.5);
    axis->setMax(qMax(0.5, data.months.size() - 0.5));
    for (qsizetype i = 0; i < data.months.size(); i += data.labelStep) {
        const QDate month = data.months.at(i);
        axis->append(locale.standaloneMonthName(month.month(), QLocale::ShortFormat) + QLatin1Char(' ')
                         + QString::number(month.year()),
                     double(i));
    }
    return axis;
}

} // namespace

QChart *makeReportChart(const SalesTaxReport::ChartData &data, int type, const QLocale &locale)
{
    auto *chart = new QChart;
    chart->setTitle(SalesTaxReport::title(type));
    chart->legend()->setAlignment(Qt::AlignBottom);
    QCategoryAxis *months = monthAxis(data, locale);
    chart->addAxis(months, Qt::AlignBottom);

    const bool showsSales = type != SalesTaxReport::Tax;
    const QList<double> &barValues = showsSales ? data.sales : data.tax;
    auto *bars = new QBarSet(showsSales ? QObject::tr("Sales") : QObject::tr("Tax"));
    for (double value : barValues)
        bars->append(value);
    auto *barSeries = new QBarSeries;
    barSeries->append(bars);
    chart->addSeries(barSeries);
    QValueAxis *left = amountAxis(QStringLiteral("axisLeft"), bars->label(), barValues);
    chart->addAxis(left, Qt::AlignLeft);
    barSeries->attachAxis(months);
    barSeries->attachAxis(left);

    if (type == SalesTaxReport::SalesAndTax) {
        auto *tax = new QLineSeries;
        tax->setName(QObject::tr("Tax"));
        tax->setPointsVisible(data.months.size() <= 36);
        for (qsizetype i = 0; i < data.tax.size(); ++i)
            tax->append(double(i), data.tax.at(i));
        chart->addSeries(tax);
        QValueAxis *right = amountAxis(QStringLiteral("axisTax"), tax->name(), data.tax);
        chart->addAxis(right, Qt::AlignRight);
        tax->attachAxis(months);
        tax->attachAxis(right);
    }
    return chart;
}
