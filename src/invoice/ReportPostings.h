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

/// Posts the document about to be saved: takes out what its saved state posted and
/// puts in what its new state posts, each at its own date. An invoice posts while
/// paid in full, a credit always and negatively (and is never saved as paid in full,
/// so \a header's flag is cleared). Throws DbError when a date that must be posted
/// is not a date.
void pUpdateReport(Database &db, TrecInvHeader &header, const DocumentTotals &totals, const TrecSavedData &saved,
                   const QLocale &locale);

} // namespace ReportPostings
