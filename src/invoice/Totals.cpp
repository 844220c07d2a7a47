#include "Totals.h"

#include "CurrentDocument.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "PaymentRules.h"
#include "core/Edition.h"
#include "company/CompanyRecord.h"
#include "invoice/WorkSheet.h"

#include <vector>

namespace Totals {

namespace {

using Rates = std::array<double, 3>;
using Rounding = double (*)(double);

double unrounded(double amount)
{
    return amount;
}

Rates effectiveRates(const TrecInvHeader &h)
{
    if (h.strCustTaxExempt)
        return {0, 0, 0};
    return {h.strUseTax1 ? h.dbTaxRate1 : 0, h.strUseTax2 ? h.dbTaxRate2 : 0, h.strUseTax3 ? h.dbTaxRate3 : 0};
}

LineAmounts amountsOf(double quantity, double laborEach, double materialEach, int discountPercent, Rounding round)
{
    const double d = discountPercent / 100.0;
    LineAmounts a;
    a.labor = round(quantity * laborEach);
    a.material = round(quantity * materialEach);
    a.laborDiscount = round(a.labor * d);
    a.materialDiscount = round(a.material * d);
    return a;
}

/// A line (or work sheet) priced, with what its computed amounts show.
struct PricedLine
{
    LineAmounts amounts;
    bool laborTaxed = false;
    bool materialTaxed = false;
    double eachAfterDiscount = 0; // price-item lines
    int area = 0;                 // work sheets
};

std::vector<PricedLine> priceItemLines(const CurrentDocument &doc, Rounding round)
{
    const int percent = doc.header.intCustDiscountPercent;
    std::vector<PricedLine> priced;
    for (const PriceLine &item : doc.lines.priceLines()) {
        PricedLine line;
        line.amounts = amountsOf(item.quantity, item.laborPrice, item.materialPrice, percent, round);
        line.laborTaxed = item.laborTaxable;
        line.materialTaxed = item.materialTaxable;
        line.eachAfterDiscount = (item.laborPrice + item.materialPrice) * (1 - percent / 100.0);
        priced.push_back(line);
    }
    return priced;
}

std::vector<PricedLine> workSheetLines(const CurrentDocument &doc, int taxOn, Rounding round)
{
    std::vector<PricedLine> priced;
    for (const WorkSheet &sheet : doc.lines.workSheets()) {
        const WorkSheetAmounts each = priceWorkSheet(sheet, doc.LbrPrices, doc.MatPrices);
        PricedLine line;
        // The discount stands for every copy of the area, so the printed discount is
        // the amount actually taken off and the printed figures add up.
        line.amounts = amountsOf(sheet.intAreaMultiplier, each.labor, each.material,
                                 doc.header.intCustDiscountPercent, round);
        line.laborTaxed = taxOn == 0 || taxOn == 1;
        line.materialTaxed = taxOn == 0 || taxOn == 2;
        line.area = sheet.area();
        priced.push_back(line);
    }
    return priced;
}

std::vector<PricedLine> priceLines(const CurrentDocument &doc, const Edition &edition, const CompanyRecord &company,
                                   Rounding round)
{
    return edition.usesWorkSheets() ? workSheetLines(doc, company.invData.intTaxOn, round)
                                    : priceItemLines(doc, round);
}

/// Sums the lines into the totals and returns the discount total. Each tax is
/// taken once from the sum it is due on.
double sumUp(const std::vector<PricedLine> &priced, const Rates &rates, Rounding round, DocumentTotals &totals)
{
    totals = {};
    double discount = 0, laborTaxable = 0, materialTaxable = 0;
    // Sums of cents are rounded again to keep binary noise out of the totals.
    const auto add = [round](double &sum, double amount) { sum = round(sum + amount); };
    for (const PricedLine &line : priced) {
        const LineAmounts &a = line.amounts;
        add(discount, a.discount());
        add(totals.LbrTotals[0], a.labor - a.laborDiscount);
        add(totals.MatTotals[0], a.material - a.materialDiscount);
        if (line.laborTaxed)
            add(laborTaxable, a.labor - a.laborDiscount);
        if (line.materialTaxed)
            add(materialTaxable, a.material - a.materialDiscount);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        totals.LbrTotals[i + 1] = round(laborTaxable * rates[i]);
        totals.MatTotals[i + 1] = round(materialTaxable * rates[i]);
    }
    return discount;
}

void storeLineAmounts(InvoiceLines &lines, const Edition &edition, const std::vector<PricedLine> &priced)
{
    for (int row = 0; row < lines.rowCount(); ++row) {
        const PricedLine &line = priced[std::size_t(row)];
        const double total = line.amounts.afterDiscount();
        lines.setAmounts(row, edition.usesWorkSheets() ? ::LineAmounts{.priceEach = 0, .total = total, .sqft = line.area}
                                                       : ::LineAmounts{.priceEach = line.eachAfterDiscount, .total = total});
    }
}

} // namespace

LineAmounts lineAmounts(double quantity, double laborEach, double materialEach, int discountPercent)
{
    return amountsOf(quantity, laborEach, materialEach, discountPercent, Money::roundToCents);
}

void pCalcTotals(CurrentDocument &doc, const Edition &edition, const CompanyRecord &company, const QLocale &locale)
{
    // The lines show their amounts in the same locale as the totals.
    doc.lines.setLocale(locale);
    const std::vector<PricedLine> priced = priceLines(doc, edition, company, Money::roundToCents);
    const double discount = sumUp(priced, effectiveRates(doc.header), Money::roundToCents, doc.totals);
    storeLineAmounts(doc.lines, edition, priced);

    const auto &lt = doc.totals.LbrTotals;
    const auto &mt = doc.totals.MatTotals;
    const double taxes = Money::roundToCents(lt[1] + lt[2] + lt[3] + mt[1] + mt[2] + mt[3]);
    doc.print.strDiscount = Money::currencyText(discount, locale);
    doc.print.strTax = Money::currencyText(taxes, locale);
    doc.print.strSubTotal = Money::currencyText(Money::roundToCents(lt[0] + mt[0] + discount), locale);
    pShowPayments(doc, edition, locale);
}

void pShowPayments(CurrentDocument &doc, const Edition &edition, const QLocale &locale)
{
    const double total = PaymentRules::grandTotal(doc.totals);
    TrecInvHeader &h = doc.header;
    TrecPrintData &p = doc.print;
    // A paid kind subtracts what was paid (and prints it); a deposit kind prints the
    // deposit required, which it never subtracts, and subtracts and prints only the
    // deposits actually received.
    const bool depositKind = DocumentKinds::isDepositKind(h.strInvName);
    const double received = PaymentRules::received(doc);
    const double open = Money::roundToCents(total - received);

    p.strDepositPaid = Money::currencyText(depositKind ? h.dbDepositAmount : h.dbPaidAmount, locale);
    p.strDepositReceived = depositKind && received != 0 ? Money::currencyText(received, locale) : QString();
    // Without stored documents there are no payments to owe against: the figure is
    // what the paid amount leaves open, as it always was.
    h.dbInvBalance = edition.storesDocuments() ? PaymentRules::balance(doc) : open;
    p.strTotal = Money::currencyText(h.dbInvBalance, locale);
    if (h.strPaidInFull) {
        p.strDepositPaid = Money::currencyText(edition.storesDocuments() ? std::max(received, total) : open, locale);
        p.strTotal = QStringLiteral("Paid In Full");
    }
}

QString totalHeading(const CurrentDocument &doc)
{
    // The deposits received are printed exactly when they are subtracted.
    if (!doc.print.strDepositReceived.isEmpty())
        return QStringLiteral("Balance Due");
    return doc.header.strInvName + QStringLiteral(" Total");
}

DocumentTotals unroundedTotals(const CurrentDocument &doc, const Edition &edition, const CompanyRecord &company)
{
    DocumentTotals totals;
    sumUp(priceLines(doc, edition, company, unrounded), effectiveRates(doc.header), unrounded, totals);
    return totals;
}

} // namespace Totals
