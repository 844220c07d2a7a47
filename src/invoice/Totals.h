#pragma once

#include <QLocale>

struct CompanyRecord;
struct CurrentDocument;
class Edition;

namespace Totals {

/// Recomputes everything the document shows as money: the computed amounts of every
/// line, the labor and material totals and taxes, the balance and the print texts.
/// Price-item lines in editions 1, 3 and 4; work sheets in Heddrin. Nothing is
/// rounded but the texts.
void pCalcTotals(CurrentDocument &document, const Edition &edition, const CompanyRecord &company,
                 const QLocale &locale);

} // namespace Totals
