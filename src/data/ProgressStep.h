#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step level 10: the tables progress billing keeps.
/// - tblProgressSchedule: a job's schedule of values, one row per line of its
///   estimate, work order or change orders (a work sheet in Heddrin), after discount.
/// - tblProgressJobs: the retainage percent of each job that has one.
/// - tblProgressBilled: completed to date per schedule item on each progress invoice.
/// - tblProgressInvoices: what each progress invoice or retainage release came to.
/// Older files have no progress invoices, so nothing is converted.
namespace ProgressStep {

inline constexpr int kLevel = 10;

void addProgressTables(Database &db, const SchemaUpgrade::UpgradeContext &context, SchemaUpgrade::UpgradeReport &report);

} // namespace ProgressStep
