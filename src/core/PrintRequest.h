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
    /// sales and tax report), as listed.
    ListPrintout printout;
    /// The list window's filter, for a printout that reads its rows itself (the
    /// invoice list): the window's list type, search item and typed text.
    struct Filter
    {
        int type = 0;
        QString searchItem;
        QString text;
    } filter;

    [[nodiscard]] static PrintRequest of(int kind) { return {kind, {}, {}}; }
    [[nodiscard]] static PrintRequest list(int kind, ListPrintout printout) { return {kind, std::move(printout), {}}; }
};
