#pragma once

#include "InvoiceRecords.h"

#include <QDate>
#include <QLocale>
#include <array>

class Database;

/// The monthly sales and tax totals (tblReport) that paid invoices and credits post to.
namespace ReportPostings {

/// Adds the eight amounts (tblReport column order) to the row of the date's year and
/// month, creating the row on its first posting.
void pAddToReport(Database &db, QDate date, const std::array<double, 8> &amounts);

/// Posts the document about to be saved, replacing what its saved state posted: a
/// paid invoice posts its totals at its date, a credit always posts them negatively
/// (and is never saved as paid in full, so \a header's flag is cleared), other
/// kinds post nothing. An invoice converted into a credit keeps its posted sale,
/// which the credit reverses; a deleted document keeps its postings too. Throws
/// StoredValueError when a document that must be posted has no date.
void pUpdateReport(Database &db, TrecInvHeader &header, const DocumentTotals &totals, const TrecSavedData &saved);

} // namespace ReportPostings
