#pragma once

struct sqlite3;

/// Lets a statement read a stored amount text exactly as StoredForm::readAmount does,
/// so sums and filters in SQL agree with what the program reads row by row.
namespace StoredAmountFunction {

/// Registers stored_amount(text) on \a db: the amount as REAL, or NULL when the text
/// does not read as one.
void registerOn(sqlite3 *db);

} // namespace StoredAmountFunction
