#pragma once

#include "InvoiceLines.h"
#include "InvoiceRecords.h"

#include <QLocale>

struct CompanyRecord;
struct CurrentDocument;
class Edition;

namespace Totals {

/// Recomputes everything the document shows as money: the computed cells of every
/// line, the labor and material totals and taxes, the balance and the print texts.
/// Price-item lines in editions 1, 3 and 4; work sheets in Heddrin. Worked out by
/// the rule of ruleFor().
void pCalcTotals(CurrentDocument &document, const Edition &edition, const CompanyRecord &company,
                 const QLocale &locale);

/// Recomputes what follows from the payments alone (paid and deposit texts, the
/// balance, the total printed) on totals already computed.
void pShowPayments(CurrentDocument &document, const Edition &edition, const QLocale &locale);

/// What prices the document, as one text: its lines' quantities, prices and taxable
/// flags (a work sheet's multiplier and its labor and material), the discount and
/// the rates that apply.
[[nodiscard]] QString pricingInputs(const CurrentDocument &document);

/// The rule the document is worked out with: the rule it was stored with while what
/// prices it is as stored, so a document saved before keeps its printed figures;
/// rounding once for a new document and for one whose prices were changed.
[[nodiscard]] PricingRule ruleFor(const CurrentDocument &document);

/// A price-item line as printed: its price each and total before discount.
struct PrintedLine
{
    double each = 0;
    double total = 0;
};

/// \a line as printed on a document worked out by \a rule (ruleFor()).
[[nodiscard]] PrintedLine printedLine(const PriceLine &line, PricingRule rule);

/// The words before the document's last figure: kind + " Total", or "Balance Due" on
/// a deposit kind whose deposits received are taken off that figure. Needs the
/// totals computed.
[[nodiscard]] QString totalHeading(const CurrentDocument &document);

/// The totals as versions before the rounding to cents posted them, nothing
/// rounded; a re-save of a document they posted takes these back out.
[[nodiscard]] DocumentTotals unroundedTotals(const CurrentDocument &document, const Edition &edition,
                                             const CompanyRecord &company);

} // namespace Totals
