#pragma once

#include "PageModel.h"
#include "invoice/ProgressRows.h"

#include <QLocale>
#include <vector>

/// What the continuation page of a progress invoice prints: the whole schedule.
struct ProgressSchedule
{
    /// Under the title: the invoice, its job and its customer.
    QString heading;
    /// One per row; empty descriptions print as "Item n".
    QStringList descriptions;
    std::vector<ProgressRows::Row> rows;
    QLocale locale;
};

/// The continuation pages of a progress invoice: item, scheduled value, previous,
/// this period, completed to date, percent, balance to finish and retainage per
/// item, with column totals. Long descriptions wrap; a long schedule runs on over
/// as many pages as it needs, its headings on each.
namespace ProgressScheduleReport {

[[nodiscard]] QList<ReportPage> pages(const ProgressSchedule &schedule);

} // namespace ProgressScheduleReport
