#include "WorkSheetRules.h"

#include "data/DbError.h"
#include "invoice/InvoiceLines.h"
#include "invoice/Money.h"

#include <algorithm>

namespace WorkSheetRules {

namespace {

const QStringList kFalseTrue{QStringLiteral("False"), QStringLiteral("True")};

bool isYesNo(int column)
{
    switch (column) {
    case InvoiceLines::Wash:
    case InvoiceLines::Sand:
    case InvoiceLines::Caulk:
    case InvoiceLines::Mask:
    case InvoiceLines::HngWallpaper:
    case InvoiceLines::RmvWallpaper:
    case InvoiceLines::HngBoarder:
    case InvoiceLines::RmvBorder:
        return true;
    default:
        return false;
    }
}

} // namespace

bool isSurfaceWork(int column)
{
    switch (column) {
    case InvoiceLines::PaintsCoats:
    case InvoiceLines::TrimCoats:
    case InvoiceLines::Prime:
        return true;
    default:
        return isYesNo(column);
    }
}

Range limits(int column)
{
    switch (column) {
    case InvoiceLines::PaintsCoats:
    case InvoiceLines::TrimCoats:
        return {0, 10};
    case InvoiceLines::AreaLength:
    case InvoiceLines::AreaWidth:
        return {0, 1000};
    case InvoiceLines::AreaHeight:
        return {0, 500};
    case InvoiceLines::AreaMultiplier:
        return {1, 25};
    case InvoiceLines::NumOfDoors:
    case InvoiceLines::NumOfDoorFrmTrm:
    case InvoiceLines::NumOfWindowFrmTrm:
    case InvoiceLines::NumOfClosets:
        return {0, 200};
    default: {
        const int entries = int(choices(column).size());
        return {0, std::max(0, entries - 1)};
    }
    }
}

QStringList choices(int column)
{
    switch (column) {
    case InvoiceLines::IntExt:
        return {QStringLiteral("Interior"), QStringLiteral("Exterior")};
    case InvoiceLines::AreaWorkOn:
        return {QStringLiteral("Walls and Ceiling"), QStringLiteral("Walls Only"), QStringLiteral("Ceiling Only"),
                QStringLiteral("1 Wall Only"), QStringLiteral("Floor Only")};
    case InvoiceLines::Prime:
        return {QStringLiteral("No Prime"), QStringLiteral("Spot Prime"), QStringLiteral("Prime Entire Surface")};
    default:
        return isYesNo(column) ? kFalseTrue : QStringList();
    }
}

WorkSheet newSheet(int position)
{
    WorkSheet sheet;
    sheet.strWorkSheetName = displayName({}, position);
    return sheet;
}

void applyTies(WorkSheet &sheet)
{
    std::array<int, 21> counts = sheet.counts();
    for (int i = 0; i < int(counts.size()); ++i) {
        const Range range = limits(InvoiceLines::IntExt + i);
        counts[std::size_t(i)] = std::clamp(counts[std::size_t(i)], range.minimum, range.maximum);
    }
    sheet.setCounts(counts);

    if (sheet.isExterior()) {
        sheet.intNumOfClosets = 0;
        sheet.intHngWallpaper = sheet.intRmvWallpaper = 0;
        sheet.intHngBoarder = sheet.intRmvBorder = 0;
    }
    switch (sheet.intAreaWorkOn) {
    case WorkSheet::CeilingOnly:
    case WorkSheet::FloorOnly:
        sheet.intAreaHeight = 0;
        break;
    case WorkSheet::OneWallOnly:
        sheet.intAreaWidth = 0;
        break;
    default:
        break;
    }
}

bool hasSurfaceWork(const WorkSheet &sheet)
{
    return sheet.intPaintsCoats > 0 || sheet.intTrimCoats > 0 || sheet.intPrime > 0 || sheet.intWash > 0
        || sheet.intSand > 0 || sheet.intCaulk > 0 || sheet.intMask > 0 || sheet.intHngWallpaper > 0
        || sheet.intRmvWallpaper > 0 || sheet.intHngBoarder > 0 || sheet.intRmvBorder > 0;
}

bool isComplete(const WorkSheet &sheet, const LineAmounts &amounts, bool beingEdited)
{
    if (amounts.total <= 0)
        return false;
    if (!beingEdited || amounts.sqft > 0)
        return true;
    return !hasSurfaceWork(sheet);
}

QString displayName(const QString &name, int position)
{
    return name.isEmpty() ? QStringLiteral("Work Sheet %1").arg(position) : name;
}

QString fIncompleteWorkSheetMessage(const QString &name)
{
    return name + QStringLiteral(" is not complete. Please add work to complete!");
}

} // namespace WorkSheetRules
