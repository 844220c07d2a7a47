#include "WorkSheet.h"

namespace {

using Counts = std::array<int WorkSheet::*, 21>;

constexpr Counts kCountFields = {
    &WorkSheet::intIntExt,      &WorkSheet::intAreaWorkOn,       &WorkSheet::intPaintsCoats,
    &WorkSheet::intTrimCoats,   &WorkSheet::intAreaLength,       &WorkSheet::intAreaWidth,
    &WorkSheet::intAreaHeight,  &WorkSheet::intAreaMultiplier,   &WorkSheet::intPrime,
    &WorkSheet::intWash,        &WorkSheet::intSand,             &WorkSheet::intCaulk,
    &WorkSheet::intMask,        &WorkSheet::intNumOfDoors,       &WorkSheet::intNumOfDoorFrmTrm,
    &WorkSheet::intNumOfWindowFrmTrm, &WorkSheet::intNumOfClosets, &WorkSheet::intHngWallpaper,
    &WorkSheet::intRmvWallpaper, &WorkSheet::intHngBoarder,      &WorkSheet::intRmvBorder,
};

} // namespace

std::array<int, 21> WorkSheet::counts() const
{
    std::array<int, 21> values{};
    for (std::size_t i = 0; i < kCountFields.size(); ++i)
        values[i] = this->*kCountFields[i];
    return values;
}

void WorkSheet::setCounts(const std::array<int, 21> &values)
{
    for (std::size_t i = 0; i < kCountFields.size(); ++i)
        this->*kCountFields[i] = values[i];
}

int WorkSheet::area() const
{
    const int l = intAreaLength, w = intAreaWidth, h = intAreaHeight;
    switch (intAreaWorkOn) {
    case WallsAndCeiling:
        return 2 * (l + w) * h + l * w;
    case WallsOnly:
        return 2 * (l + w) * h;
    case CeilingOnly:
    case FloorOnly:
        return l * w;
    case OneWallOnly:
        return l * h;
    default:
        return 0;
    }
}

int WorkSheet::perimeter() const
{
    switch (intAreaWorkOn) {
    case WallsAndCeiling:
    case WallsOnly:
    case CeilingOnly:
    case FloorOnly:
        return 2 * (intAreaLength + intAreaWidth);
    case OneWallOnly:
        return intAreaLength;
    default:
        return 0;
    }
}

WorkSheetAmounts priceWorkSheet(const WorkSheet &sheet, const WorkSheetPrices &labor, const WorkSheetPrices &material)
{
    WorkSheetAmounts amounts;
    const auto add = [&](int item, double quantity) {
        amounts.labor += quantity * labor[std::size_t(item)];
        amounts.material += quantity * material[std::size_t(item)];
    };
    const bool interior = !sheet.isExterior();
    // Interior items are the odd numbers; their exterior twins follow them.
    const auto pick = [interior](int interiorItem) { return interior ? interiorItem : interiorItem + 1; };
    const double a = sheet.area();
    const double p = sheet.perimeter();

    add(pick(1), sheet.intPaintsCoats * a);
    add(pick(3), sheet.intTrimCoats * p);
    if (sheet.intPrime == WorkSheet::PrimeEntireSurface)
        add(pick(5), a);
    if (sheet.intPrime == WorkSheet::SpotPrime)
        add(pick(7), a);
    if (sheet.intWash == 1)
        add(pick(9), a);
    if (sheet.intSand == 1)
        add(pick(11), a);
    if (sheet.intCaulk == 1)
        add(pick(13), a);
    if (sheet.intMask == 1)
        add(pick(15), a);
    add(pick(17), sheet.intNumOfDoors);
    add(pick(19), sheet.intNumOfDoorFrmTrm);
    add(pick(21), sheet.intNumOfWindowFrmTrm);
    if (interior) {
        add(23, sheet.intNumOfClosets);
        if (sheet.intHngWallpaper == 1)
            add(24, a);
        if (sheet.intRmvWallpaper == 1)
            add(25, a);
        if (sheet.intHngBoarder == 1)
            add(26, p);
        if (sheet.intRmvBorder == 1)
            add(27, p);
    }
    amounts.labor += sheet.dbExtraChargesLabor;
    amounts.material += sheet.dbExtraChargesMaterial;
    return amounts;
}
