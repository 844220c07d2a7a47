#include "Totals.h"

#include "CentSplit.h"
#include "CurrentDocument.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "PaymentRules.h"
#include "RoundedOnce.h"
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

bool laborTaxedOn(int taxOn)
{
    return taxOn == 0 || taxOn == 1;
}

bool materialTaxedOn(int taxOn)
{
    return taxOn == 0 || taxOn == 2;
}

/// The print texts below the lines, from figures already in cents.
void setPrintTexts(CurrentDocument &doc, double subTotal, double discount, double taxes, const QLocale &locale)
{
    doc.print.strDiscount = Money::currencyText(discount, locale);
    doc.print.strTax = Money::currencyText(taxes, locale);
    doc.print.strSubTotal = Money::currencyText(subTotal, locale);
}

// ---- Rounded once --------------------------------------------------------------

void calcRoundedOnce(CurrentDocument &doc, const Edition &edition, const CompanyRecord &company,
                     const QLocale &locale)
{
    const int percent = doc.header.intCustDiscountPercent;
    std::vector<RoundedOnce::Line> lines;
    std::vector<::LineAmounts> shown;
    if (edition.usesWorkSheets()) {
        const int taxOn = company.invData.intTaxOn;
        for (const WorkSheet &sheet : doc.lines.workSheets()) {
            const WorkSheetAmounts each = priceWorkSheet(sheet, doc.LbrPrices, doc.MatPrices);
            // The sheet's amount stands for every copy of the area; the discount is
            // taken on that, so the printed discount is what was taken off.
            const double multiplier = sheet.intAreaMultiplier;
            lines.push_back({.totalCents = CentSplit::centsOf(multiplier * (each.labor + each.material)),
                             .laborWeight = multiplier * each.labor,
                             .materialWeight = multiplier * each.material,
                             .laborTaxed = laborTaxedOn(taxOn),
                             .materialTaxed = materialTaxedOn(taxOn)});
            shown.push_back({.sqft = sheet.area()});
        }
    } else {
        for (const PriceLine &item : doc.lines.priceLines()) {
            const PrintedLine printed = printedLine(item, PricingRule::RoundedOnce);
            lines.push_back({.totalCents = CentSplit::centsOf(printed.total),
                             .laborWeight = item.laborPrice,
                             .materialWeight = item.materialPrice,
                             .laborTaxed = item.laborTaxable,
                             .materialTaxed = item.materialTaxable});
            const double eachAfter = CentSplit::productCents(CentSplit::centsOf(printed.each), (100 - percent) / 100.0);
            shown.push_back({.priceEach = eachAfter / 100.0});
        }
    }

    const RoundedOnce::Figures figures = RoundedOnce::work(lines, percent, effectiveRates(doc.header));
    for (std::size_t row = 0; row < lines.size(); ++row) {
        ::LineAmounts amounts = shown[row];
        amounts.total = figures.lines[row].afterDiscount() / 100.0;
        doc.lines.setAmounts(int(row), amounts);
    }
    doc.totals = figures.totals;
    setPrintTexts(doc, figures.subTotalCents / 100.0, figures.discountCents / 100.0, figures.taxTotalCents() / 100.0,
                  locale);
}

// ---- Parts rounded apart -------------------------------------------------------

/// One line's labor and material, each rounded, and the discount of each.
struct PartAmounts
{
    double labor = 0;
    double material = 0;
    double laborDiscount = 0;
    double materialDiscount = 0;

    [[nodiscard]] double beforeDiscount() const { return labor + material; }
    [[nodiscard]] double discount() const { return laborDiscount + materialDiscount; }
    [[nodiscard]] double afterDiscount() const { return beforeDiscount() - discount(); }
};

PartAmounts amountsOf(double quantity, double laborEach, double materialEach, int discountPercent, Rounding round)
{
    const double d = discountPercent / 100.0;
    PartAmounts a;
    a.labor = round(quantity * laborEach);
    a.material = round(quantity * materialEach);
    a.laborDiscount = round(a.labor * d);
    a.materialDiscount = round(a.material * d);
    return a;
}

/// A line (or work sheet) priced, with what its computed amounts show.
struct PricedLine
{
    PartAmounts amounts;
    bool laborTaxed = false;
    bool materialTaxed = false;
    double each = 0; // price-item lines, before discount
    int area = 0;    // work sheets
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
        line.each = item.laborPrice + item.materialPrice;
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
        line.amounts = amountsOf(sheet.intAreaMultiplier, each.labor, each.material,
                                 doc.header.intCustDiscountPercent, round);
        line.laborTaxed = laborTaxedOn(taxOn);
        line.materialTaxed = materialTaxedOn(taxOn);
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
/// taken once from the labor and once from the material it is due on.
double sumUp(const std::vector<PricedLine> &priced, const Rates &rates, Rounding round, DocumentTotals &totals)
{
    totals = {};
    double discount = 0, laborTaxable = 0, materialTaxable = 0;
    // Sums of cents are rounded again to keep binary noise out of the totals.
    const auto add = [round](double &sum, double amount) { sum = round(sum + amount); };
    for (const PricedLine &line : priced) {
        const PartAmounts &a = line.amounts;
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

void calcPartsRoundedApart(CurrentDocument &doc, const Edition &edition, const CompanyRecord &company,
                           const QLocale &locale)
{
    const int percent = doc.header.intCustDiscountPercent;
    const std::vector<PricedLine> priced = priceLines(doc, edition, company, Money::roundToCents);
    const double discount = sumUp(priced, effectiveRates(doc.header), Money::roundToCents, doc.totals);
    for (int row = 0; row < doc.lines.rowCount(); ++row) {
        const PricedLine &line = priced[std::size_t(row)];
        doc.lines.setAmounts(row, {.priceEach = line.each * (1 - percent / 100.0),
                                   .total = line.amounts.afterDiscount(),
                                   .sqft = line.area});
    }
    const auto &lt = doc.totals.LbrTotals;
    const auto &mt = doc.totals.MatTotals;
    setPrintTexts(doc, Money::roundToCents(lt[0] + mt[0] + discount), discount,
                  Money::roundToCents(lt[1] + lt[2] + lt[3] + mt[1] + mt[2] + mt[3]), locale);
}

} // namespace

QString pricingInputs(const CurrentDocument &doc)
{
    // What the figures are worked out from, not the fields typed: the editors set
    // fields that price nothing (the taxes in use of an exempt customer, the height
    // of a ceiling) when they show a document, which must not reprice it.
    const auto number = [](double value) { return QString::number(value, 'g', 17); };
    QStringList parts = {QString::number(doc.header.intCustDiscountPercent)};
    for (double rate : effectiveRates(doc.header))
        parts << number(rate);
    for (const PriceLine &line : doc.lines.priceLines()) {
        parts << number(line.quantity) << number(line.laborPrice) << number(line.materialPrice)
              << QString::number(line.laborTaxable) << QString::number(line.materialTaxable);
    }
    for (const WorkSheet &sheet : doc.lines.workSheets()) {
        const WorkSheetAmounts each = priceWorkSheet(sheet, doc.LbrPrices, doc.MatPrices);
        parts << QString::number(sheet.intAreaMultiplier) << number(each.labor) << number(each.material);
    }
    return parts.join(QLatin1Char(' '));
}

PrintedLine printedLine(const PriceLine &line, PricingRule rule)
{
    const double each = line.laborPrice + line.materialPrice;
    if (rule == PricingRule::RoundedOnce) {
        // The customer checks quantity x the printed Price Each.
        const double eachCents = CentSplit::centsOf(each);
        return {eachCents / 100.0, CentSplit::productCents(eachCents, line.quantity) / 100.0};
    }
    return {each, amountsOf(line.quantity, line.laborPrice, line.materialPrice, 0, Money::roundToCents).beforeDiscount()};
}

PricingRule ruleFor(const CurrentDocument &doc)
{
    if (doc.saved.pricingRule == PricingRule::RoundedOnce || pricingInputs(doc) != doc.saved.pricingInputs)
        return PricingRule::RoundedOnce;
    return doc.saved.pricingRule;
}

void pCalcTotals(CurrentDocument &doc, const Edition &edition, const CompanyRecord &company, const QLocale &locale)
{
    // The lines show their amounts in the same locale as the totals.
    doc.lines.setLocale(locale);
    if (ruleFor(doc) == PricingRule::RoundedOnce)
        calcRoundedOnce(doc, edition, company, locale);
    else
        calcPartsRoundedApart(doc, edition, company, locale);
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

    p.strDepositPaid = Money::currencyText(depositKind ? h.dbDepositAmount : received, locale);
    p.strDepositReceived = depositKind && received != 0 ? Money::currencyText(received, locale) : QString();
    // Without stored documents there are no payments to owe against: the figure is
    // what the paid amount leaves open, as it always was.
    h.dbInvBalance = edition.storesDocuments() ? PaymentRules::balance(doc) : open;
    p.strTotal = Money::currencyText(h.dbInvBalance, locale);
    if (h.strPaidInFull) {
        p.strDepositPaid = Money::currencyText(edition.storesDocuments() ? std::max(received, total) : open, locale);
        // More than the total paid: the balance is the customer's credit.
        p.strTotal = edition.storesDocuments() && h.dbInvBalance < 0
            ? Money::currencyText(h.dbInvBalance, locale) : QStringLiteral("Paid In Full");
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
