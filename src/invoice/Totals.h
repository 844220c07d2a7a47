#pragma once

#include "InvoiceRecords.h"

#include <QLocale>

struct CompanyRecord;
struct CurrentDocument;
class Edition;

namespace Totals {

/// One line's labor and material, each rounded to the cent, and the customer
/// discount of each, rounded to the cent too. Every printed figure is a sum of
/// these, so the figures on paper add up to the cent.
struct LineAmounts
{
    double labor = 0;
    double material = 0;
    double laborDiscount = 0;
    double materialDiscount = 0;

    [[nodiscard]] double beforeDiscount() const { return labor + material; }
    [[nodiscard]] double discount() const { return laborDiscount + materialDiscount; }
    [[nodiscard]] double afterDiscount() const { return beforeDiscount() - discount(); }
};

/// The amounts of \a quantity at \a laborEach and \a materialEach with \a discountPercent off.
[[nodiscard]] LineAmounts lineAmounts(double quantity, double laborEach, double materialEach, int discountPercent);

/// Recomputes everything the document shows as money: the computed cells of every
/// line, the labor and material totals and taxes, the balance and the print texts.
/// Price-item lines in editions 1, 3 and 4; work sheets in Heddrin. Line amounts
/// are rounded to the cent and each tax is rounded once, from the sum it is due
/// on.
void pCalcTotals(CurrentDocument &document, const Edition &edition, const CompanyRecord &company,
                 const QLocale &locale);

/// Recomputes what follows from the payments alone (paid and deposit texts, the
/// balance, the total printed) on totals already computed.
void pShowPayments(CurrentDocument &document, const Edition &edition, const QLocale &locale);

/// The words before the document's last figure: kind + " Total", or "Balance Due" on
/// a deposit kind whose deposits received are taken off that figure. Needs the
/// totals computed.
[[nodiscard]] QString totalHeading(const CurrentDocument &document);

/// The totals as versions before the rounding to cents posted them, nothing
/// rounded; a re-save of a document they posted takes these back out.
[[nodiscard]] DocumentTotals unroundedTotals(const CurrentDocument &document, const Edition &edition,
                                             const CompanyRecord &company);

} // namespace Totals
