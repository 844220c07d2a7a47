#pragma once

#include "core/TablePrintout.h"
#include "invoice/Receivables.h"

#include <QDate>
#include <QLocale>

/// The receivables as printed: the listed invoices grouped by age, each group with
/// its total, the grand total, then what each customer owes by age.
namespace ReceivablesPrintout {

/// \a rows in the order listed; \a search, when not empty, is named under the title
/// so a filtered printout is not taken for the whole.
[[nodiscard]] TablePrintout build(const QList<Receivables::Row> &rows, QDate today, const QString &search,
                                  const QLocale &locale);

} // namespace ReceivablesPrintout
