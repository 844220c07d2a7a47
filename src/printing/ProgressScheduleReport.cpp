#include "ProgressScheduleReport.h"

#include "BandLayout.h"
#include "ReportFonts.h"
#include "invoice/Money.h"

namespace ProgressScheduleReport {

namespace {

const ReportFont kFont{QStringLiteral("Arial"), 8, false};
const ReportFont kBold{QStringLiteral("Arial"), 8, true};
const ReportFont kTitleFont{QStringLiteral("Arial"), 14, true};
const ReportFont kHeadingFont{QStringLiteral("Arial"), 10, false};

constexpr double kLeft = 0.3;
constexpr double kWidth = 7.9;
constexpr double kPadding = 0.04;
constexpr double kItemWidth = 1.95;
constexpr double kPercentWidth = 0.55;
// The six amount columns share what the item and percent columns leave.
constexpr double kAmountWidth = (kWidth - kItemWidth - kPercentWidth) / 6;
constexpr double kTop = 0.3;
constexpr double kBottom = 10.35;

struct Column
{
    const char *name;
    QString heading;
    double left;
    double width;
};

QList<Column> columns()
{
    QList<Column> list;
    double left = 0;
    const auto add = [&](const char *name, const QString &heading, double width) {
        list.append({name, heading, left, width});
        left += width;
    };
    add("rvstrItem", QStringLiteral("Item"), kItemWidth);
    add("rvstrScheduledValue", QStringLiteral("Scheduled Value"), kAmountWidth);
    add("rvstrPrevious", QStringLiteral("Previous"), kAmountWidth);
    add("rvstrThisPeriod", QStringLiteral("This Period"), kAmountWidth);
    add("rvstrCompletedToDate", QStringLiteral("Completed to Date"), kAmountWidth);
    add("rvstrPercent", QStringLiteral("%"), kPercentWidth);
    add("rvstrBalanceToFinish", QStringLiteral("Balance to Finish"), kAmountWidth);
    add("rvstrRetainage", QStringLiteral("Retainage"), kAmountWidth);
    return list;
}

QStringList figures(const ProgressRows::Row &row, const QLocale &locale)
{
    const auto amount = [&](double cents) { return Money::currencyText(cents / 100.0, locale); };
    return {amount(row.valueCents),   amount(row.beforeCents),   amount(row.thisPeriodCents),
            amount(row.toDateCents),  locale.toString(row.percent, 'f', 2),
            amount(row.balanceCents), amount(row.retainageCents)};
}

/// One row: the description wrapped in its column, the figures on its first line,
/// each made smaller rather than cut when it is too wide.
Band rowBand(const QList<Column> &cols, const QString &description, const QStringList &values, bool total)
{
    const ReportFont &font = total ? kBold : kFont;
    const double line = ReportFonts::lineHeight(font);
    const QStringList lines = ReportFonts::wrapLines(font, description, cols[0].width - 2 * kPadding);
    Band band{std::max<double>(1, lines.size()) * line + 0.06, {}};
    if (total)
        band.items.append(Items::horizontalLine(QStringLiteral("rvlnTotal"), 0, 0.005, kWidth));
    for (qsizetype i = 0; i < lines.size(); ++i)
        band.items.append(Items::cell(QLatin1String(cols[0].name), kPadding, 0.03 + double(i) * line,
                                      cols[0].width - 2 * kPadding, font, Qt::AlignLeft, lines.at(i)));
    for (qsizetype c = 1; c < cols.size(); ++c)
        band.items.append(Items::fittedCell(QLatin1String(cols[c].name), cols[c].left + kPadding, 0.03,
                                            cols[c].width - 2 * kPadding, font, Qt::AlignRight, values.value(c - 1)));
    return band;
}

} // namespace

QList<ReportPage> pages(const ProgressSchedule &schedule)
{
    const QList<Column> cols = columns();
    QList<Band> bands;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const QString description = schedule.descriptions.value(qsizetype(i)).trimmed();
        bands.append(rowBand(cols, description.isEmpty() ? QStringLiteral("Item %1").arg(i + 1) : description,
                             figures(schedule.rows[i], schedule.locale), false));
    }
    bands.append(rowBand(cols, QStringLiteral("Total"), figures(ProgressRows::total(schedule.rows), schedule.locale), true));

    const double headingTop = kTop + ReportFonts::lineHeight(kTitleFont) + 0.05;
    const double columnsTop = headingTop + ReportFonts::lineHeight(kHeadingFont) + 0.2;
    const double ruleTop = columnsTop + 2 * ReportFonts::lineHeight(kBold) + 0.03;
    const auto furniture = [&](ReportPage &page, int number, int count) {
        page.add(Items::cell(QStringLiteral("rvtxtTitle"), kLeft, kTop, kWidth, kTitleFont, Qt::AlignHCenter,
                             QStringLiteral("Continuation Sheet")));
        page.add(Items::cell(QStringLiteral("rvtxtHeading"), kLeft, headingTop, kWidth, kHeadingFont, Qt::AlignHCenter,
                             ReportFonts::elided(kHeadingFont, schedule.heading, kWidth)));
        for (const Column &column : cols) {
            // Headings take two lines, so an amount column stays narrow.
            TextItem heading = Items::memo(QString::fromLatin1(column.name).replace(0, 5, QStringLiteral("rvlbl")),
                                           QRectF(kLeft + column.left + kPadding, columnsTop,
                                                  column.width - 2 * kPadding, 2 * ReportFonts::lineHeight(kBold)),
                                           kBold, column.heading);
            heading.alignment = (column.left == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom;
            page.add(heading);
        }
        page.add(Items::horizontalLine(QStringLiteral("rvlnHeadings"), kLeft, ruleTop, kWidth));
        page.add(Items::text(QStringLiteral("rvtxtPageNumber"), 5.7, 10.5, 2.5, kFont, Qt::AlignRight,
                             pageNumberText(number, count)));
    };
    return layoutBands(QRectF(kLeft, ruleTop + 0.04, kWidth, kBottom - ruleTop - 0.04), bands, furniture);
}

} // namespace ProgressScheduleReport
