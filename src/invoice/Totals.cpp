#include "Totals.h"

#include "CurrentDocument.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "core/Edition.h"
#include "company/CompanyRecord.h"
#include "worksheets/WorkSheet.h"

namespace Totals {

namespace {

using Rates = std::array<double, 3>;

Rates effectiveRates(const TrecInvHeader &h)
{
    if (h.strCustTaxExempt)
        return {0, 0, 0};
    return {h.strUseTax1 ? h.dbTaxRate1 : 0, h.strUseTax2 ? h.dbTaxRate2 : 0, h.strUseTax3 ? h.dbTaxRate3 : 0};
}

void addTaxes(std::array<double, 4> &totals, double amount, const Rates &rates)
{
    for (std::size_t i = 0; i < 3; ++i)
        totals[i + 1] += amount * rates[i];
}

/// Returns the discount total.
double calcInvoiceTotals(CurrentDocument &doc, const Rates &rates)
{
    InvoiceLines &lines = doc.lines;
    const double d = doc.header.intCustDiscountPercent / 100.0;
    double discount = 0;
    for (int row = 0; row < lines.rowCount(); ++row) {
        const PriceLine &line = lines.priceLine(row);
        const double q = line.quantity;
        double lab = line.laborPrice;
        double mat = line.materialPrice;
        const double dl = d * lab;
        const double dm = d * mat;
        lab -= dl;
        mat -= dm;
        discount += (dl + dm) * q;
        if (line.laborTaxable)
            addTaxes(doc.totals.LbrTotals, lab * q, rates);
        if (line.materialTaxable)
            addTaxes(doc.totals.MatTotals, mat * q, rates);
        lines.setAmounts(row, {.priceEach = lab + mat, .total = (lab + mat) * q});
        doc.totals.LbrTotals[0] += lab * q;
        doc.totals.MatTotals[0] += mat * q;
    }
    return discount;
}

double calcWorkSheetTotals(CurrentDocument &doc, const Rates &rates, int taxOn)
{
    InvoiceLines &lines = doc.lines;
    const double d = doc.header.intCustDiscountPercent / 100.0;
    double discount = 0;
    for (int row = 0; row < lines.rowCount(); ++row) {
        const WorkSheet &sheet = lines.workSheet(row);
        const WorkSheetAmounts before = priceWorkSheet(sheet, doc.LbrPrices, doc.MatPrices);
        const double dl = d * before.labor;
        const double dm = d * before.material;
        // The discount stands for every copy of the area, so the printed discount is
        // the amount actually taken off and the printed figures add up.
        discount += (dl + dm) * sheet.intAreaMultiplier;
        const double labor = sheet.intAreaMultiplier * (before.labor - dl);
        const double material = sheet.intAreaMultiplier * (before.material - dm);

        if (taxOn == 0 || taxOn == 1)
            addTaxes(doc.totals.LbrTotals, labor, rates);
        if (taxOn == 0 || taxOn == 2)
            addTaxes(doc.totals.MatTotals, material, rates);
        doc.totals.LbrTotals[0] += labor;
        doc.totals.MatTotals[0] += material;
        lines.setAmounts(row, {.priceEach = 0, .total = labor + material, .sqft = sheet.area()});
    }
    return discount;
}

} // namespace

void pCalcTotals(CurrentDocument &doc, const Edition &edition, const CompanyRecord &company, const QLocale &locale)
{
    doc.totals = {};
    // The lines show their amounts in the same locale as the totals.
    doc.lines.setLocale(locale);
    const Rates rates = effectiveRates(doc.header);
    const double discount = edition.usesWorkSheets()
        ? calcWorkSheetTotals(doc, rates, company.invData.intTaxOn)
        : calcInvoiceTotals(doc, rates);

    const auto &lt = doc.totals.LbrTotals;
    const auto &mt = doc.totals.MatTotals;
    const double taxes = lt[1] + lt[2] + lt[3] + mt[1] + mt[2] + mt[3];
    TrecInvHeader &h = doc.header;
    TrecPrintData &p = doc.print;

    p.strDiscount = Money::currencyText(discount, locale);
    p.strDepositPaid = Money::currencyText(
        DocumentKinds::isDepositKind(h.strInvName) ? h.dbDepositAmount : h.dbPaidAmount, locale);
    p.strTax = Money::currencyText(taxes, locale);
    p.strSubTotal = Money::currencyText(lt[0] + mt[0] + discount, locale);
    h.dbInvBalance = lt[0] + mt[0] + taxes - h.dbPaidAmount;
    p.strTotal = Money::currencyText(h.dbInvBalance, locale);
    h.strInvTotal = p.strTotal;
    if (h.strPaidInFull) {
        p.strDepositPaid = Money::currencyText(h.dbInvBalance, locale);
        p.strTotal = QStringLiteral("Paid In Full");
    }
}

} // namespace Totals
