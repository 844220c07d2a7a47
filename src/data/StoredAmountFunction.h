#pragma once

#include <QByteArrayView>
#include <optional>

struct sqlite3;

/// Lets a statement read a stored amount text exactly as StoredForm::readAmount does,
/// so sums and filters in SQL agree with what the program reads row by row.
namespace StoredAmountFunction {

/// Registers stored_amount(text) on \a db: the amount as REAL, or NULL when the text
/// does not read as one.
void registerOn(sqlite3 *db);

/// The amount of the stored text \a utf8 as stored_amount() reads it; nothing when
/// the text (or a null) does not read as one. For passes that read the text itself.
[[nodiscard]] std::optional<double> read(QByteArrayView utf8);

} // namespace StoredAmountFunction
