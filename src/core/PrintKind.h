#pragma once

/// The printouts a print request can ask for.
namespace PrintKind {
enum : int {
    CurrentDocument = 1,
    PriceSheet = 2,
    CustomerList = 3,
    Planner = 4,
    Contract = 5,
    Warranty = 6,
    SalesAndTaxReport = 7,
    InvoiceList = 8,
    /// A titled table a window hands over whole (TablePrintout).
    Table = 9,
};
} // namespace PrintKind
