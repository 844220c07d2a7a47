#pragma once

#include "SchemaUpgrade.h"

/// Upgrade step: documents saved before amounts were rounded to the cent posted
/// their unrounded totals to tblReport. tblInvHeader.strPostedInCents tells them
/// apart, so a re-save takes out exactly what was put in. Documents saved later mark
/// the rule their figures were worked out with: "-1" labor and material rounded
/// apart, "2" each checkable figure rounded once (DocumentStore).
namespace PostingRuleStep {

inline constexpr int kLevel = 4;

void markPostingsBeforeCents(Database &db, const SchemaUpgrade::UpgradeContext &context,
                             SchemaUpgrade::UpgradeReport &report);

} // namespace PostingRuleStep
