#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step: payments and the links between documents. Adds tblPayments (one
/// row per payment or deposit received) and, to tblInvHeader, the due date (empty
/// while it follows the payment terms), the customer id and the job id.
/// - An older document with an amount paid gets that amount as one payment dated
///   with the document.
/// - Documents are matched to customers by company and full name.
/// - A past-due notice or credit joins the job of the document it was made from;
///   every other document starts its own job.
namespace PaymentsStep {

inline constexpr int kLevel = 5;

void addPaymentsAndLinks(Database &db, const SchemaUpgrade::UpgradeContext &context,
                         SchemaUpgrade::UpgradeReport &report);

} // namespace PaymentsStep
