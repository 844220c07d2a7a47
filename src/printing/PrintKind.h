#pragma once

/// What the windows set before they print: which printout the next job makes.
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
};
} // namespace PrintKind
