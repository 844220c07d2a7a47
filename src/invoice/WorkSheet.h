#pragma once

#include <QString>
#include <array>

/// One room or outside area of a painting document: a line of a Heddrin document.
struct WorkSheet
{
    enum Surface { WallsAndCeiling, WallsOnly, CeilingOnly, OneWallOnly, FloorOnly };
    enum PrimeKind { NoPrime, SpotPrime, PrimeEntireSurface };

    QString strWorkSheetName;
    int intIntExt = 0;
    int intAreaWorkOn = WallsAndCeiling;
    int intPaintsCoats = 0;
    int intTrimCoats = 0;
    int intAreaLength = 0;
    int intAreaWidth = 0;
    int intAreaHeight = 0;
    int intAreaMultiplier = 1;
    int intPrime = NoPrime;
    int intWash = 0;
    int intSand = 0;
    int intCaulk = 0;
    int intMask = 0;
    int intNumOfDoors = 0;
    int intNumOfDoorFrmTrm = 0;
    int intNumOfWindowFrmTrm = 0;
    int intNumOfClosets = 0;
    int intHngWallpaper = 0;
    int intRmvWallpaper = 0;
    int intHngBoarder = 0;
    int intRmvBorder = 0;
    QString strExtraChargesName;
    double dbExtraChargesLabor = 0;
    double dbExtraChargesMaterial = 0;

    friend bool operator==(const WorkSheet &, const WorkSheet &) = default;

    /// The integer fields in stored column order (intIntExt ... intRmvBorder).
    [[nodiscard]] std::array<int, 21> counts() const;
    void setCounts(const std::array<int, 21> &values);

    [[nodiscard]] bool isExterior() const { return intIntExt != 0; }
    /// Square feet of the surface worked on.
    [[nodiscard]] int area() const;
    /// Running feet of its edges (trim and border).
    [[nodiscard]] int perimeter() const;
};

/// Labor and material of one sheet.
struct WorkSheetAmounts
{
    double labor = 0;
    double material = 0;
};

using WorkSheetPrices = std::array<double, 28>; // indexed by item number 1..27

/// Labor and material of \a sheet before discount and multiplier, from the 27 item
/// prices.
[[nodiscard]] WorkSheetAmounts priceWorkSheet(const WorkSheet &sheet, const WorkSheetPrices &labor,
                                              const WorkSheetPrices &material);
