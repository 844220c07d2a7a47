#pragma once

#include "Payments.h"
#include "data/RowConflict.h"

#include <QLocale>
#include <QString>
#include <QStringList>

struct CurrentDocument;

/// How this copy's edits of a document meet what another copy stored meanwhile.
namespace DocumentMerge {

/// Everything the user edits on a document except its payments and what follows
/// from them (amount paid, paid in full, balance), as one text: equal texts, equal
/// edits.
[[nodiscard]] QString contentKey(const CurrentDocument &doc);

/// Makes \a mine hold this copy's edits on top of \a theirs (the document as stored
/// now) when all the other copy did was add payments: their payments are kept, this
/// copy's new ones follow, and paid in full is what this copy made it if it changed
/// it, theirs otherwise. mine.saved becomes
/// theirs.saved, so the save undoes the posting that is stored now. False, with
/// \a mine untouched, when the two cannot be combined.
[[nodiscard]] bool combine(CurrentDocument &mine, const CurrentDocument &theirs);

/// What storing \a mine over \a theirs would lose, one line each: their payments
/// that mine lacks and every field they hold differently.
[[nodiscard]] QStringList lostByOverwrite(const CurrentDocument &mine, const CurrentDocument &theirs,
                                          const QLocale &locale);

/// This copy's payments that were not stored when it loaded the document.
[[nodiscard]] QList<Payment> newPayments(const CurrentDocument &doc);

} // namespace DocumentMerge
