#pragma once

#include "InvoiceRecords.h"

/// What a saved progress invoice bills beyond what its lines show, in currency units
/// and with the document's signs (a Credit holds them turned round): its totals,
/// worked out over the job's bills rather than from its lines alone, and what its
/// Amount Due takes off the total or adds to it.
struct ProgressFigures
{
    DocumentTotals totals;
    /// "Less Retainage" (negative gives retainage back).
    double retainage = 0;
    /// The retainage the release bill asks for.
    double released = 0;
    /// "Less Deposits Applied".
    double depositsApplied = 0;

    /// The retainage this document holds back, less what it releases.
    [[nodiscard]] double heldBack() const { return retainage - released; }
    /// What the Amount Due takes off the total.
    [[nodiscard]] double offTotal() const { return heldBack() + depositsApplied; }
};
