#pragma once

#include "PrintKind.h"
#include "RowFeed.h"

/// What a window asks the printing module for: the kind of printout and, for the
/// list printouts, the texts and rows the window lists. Everything the printout
/// needs beyond the current document travels in the request.
struct PrintRequest
{
    int kind = PrintKind::CurrentDocument;
    /// The rows and texts of a list window (price sheet, customer list, planner,
    /// sales and tax report, invoice list), exactly as listed.
    ListPrintout printout;

    [[nodiscard]] static PrintRequest of(int kind) { return {kind, {}}; }
    [[nodiscard]] static PrintRequest list(int kind, ListPrintout printout) { return {kind, std::move(printout)}; }
};
