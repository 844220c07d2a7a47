#pragma once

#include "csv/CsvWriter.h"

#include <QDate>
#include <QLocale>

class Database;

/// Saved documents as CSV files for an accountant or a spreadsheet. The columns are
/// the stored ones under the captions users know (a column added later gets its
/// name in words), so every edition's line layout and every later column is
/// exported; yes/no columns read Yes and No.
namespace DocumentExport {

struct Files
{
    Csv::Writer headers;
    Csv::Writer lines;
};

/// The documents dated \a from to \a to (both included), oldest number first: one
/// row per line with the document's header fields repeated on each (a document
/// without lines gets one row). Dates are written yyyy-MM-dd whatever form they
/// are stored in; \a storedLocale reads the older stored form.
[[nodiscard]] Csv::Writer oneFile(Database &db, QDate from, QDate to, const QLocale &storedLocale);

/// The same documents as two files: one row per document, and one row per line
/// (each line carries its document number).
[[nodiscard]] Files twoFiles(Database &db, QDate from, QDate to, const QLocale &storedLocale);

} // namespace DocumentExport
