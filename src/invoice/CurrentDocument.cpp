#include "CurrentDocument.h"

#include "core/Edition.h"

namespace {

QStringList captionsFor(const Edition &edition)
{
    if (edition.usesWorkSheets()) {
        return {"Area Name", "Interior/Exterior", "Area Work On", "Paints Coats", "Trim Coats", "Area Length",
                "Area Width", "Area Height", "Area Multiplier", "Area Prime", "Area Wash", "Area Sand", "Area Caulk",
                "Area Mask", "Number of Doors", "Number of Door Frame/Trim", "Number of Window Frame/Trim",
                "Number of Closets", "Hang Wallpaper", "Remove Wallpaper", "Hang Boarder", "Remove Border",
                "Extra Charges Name", "Extra Charges Labor", "Extra Charges Material", "Area Totals",
                "Area SQFT Totals"};
    }
    if (edition.spellsOutLineCaptions()) {
        return {"Description", "Quantity", "Price Each", "Total", "Labor Price", "Labor Taxable", "Material Price",
                "Material Taxable", "Tax Total"};
    }
    return {"Description", "Quantity", "Price Each", "Total", "LabPrice", "LabTax", "MatPrice", "MatTax", "TaxTotal"};
}

} // namespace

CurrentDocument::CurrentDocument(const Edition &edition)
    : lines(edition.usesWorkSheets())
{
    lines.setHeaderCaptions(captionsFor(edition));
}
