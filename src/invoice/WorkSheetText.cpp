#include "WorkSheetText.h"

#include "WorkSheet.h"
#include "company/CompanyRecord.h"
#include "invoice/CurrentDocument.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"

#include <QStringList>

namespace WorkSheetText {

namespace {

const char *const kSurfaces[] = {"Walls and Ceiling, ", "Walls Only, ", "Ceiling Only, ", "1 Wall Only, ",
                                 "Floor Only, "};

QString informationLine(const WorkSheet &s, bool hasArea, bool hasPerimeter)
{
    QString text = s.isExterior() ? QStringLiteral("Exterior, ") : QStringLiteral("Interior, ");
    if (hasArea) {
        text += QStringLiteral("Area Work On - ");
        if (s.intAreaWorkOn >= 0 && s.intAreaWorkOn <= 4)
            text += QLatin1String(kSurfaces[s.intAreaWorkOn]);
        if (s.intPaintsCoats > 0)
            text += QStringLiteral("Number of Paint coats: %1, ").arg(s.intPaintsCoats);
    }
    if (hasPerimeter && s.intTrimCoats > 0)
        text += QStringLiteral("Number of Trim coats: %1, ").arg(s.intTrimCoats);
    if (s.intAreaMultiplier > 1)
        text += QStringLiteral("This Work Sheet is multiplied by: %1").arg(s.intAreaMultiplier);
    return text;
}

QString surfacePreparation(const WorkSheet &s, bool hasArea)
{
    if (!hasArea)
        return {};
    QString text;
    if (s.intPrime == WorkSheet::SpotPrime)
        text += QStringLiteral("Spot Prime, ");
    else if (s.intPrime == WorkSheet::PrimeEntireSurface)
        text += QStringLiteral("Prime entire surface, ");
    if (s.intWash == 1)
        text += QStringLiteral("Wash surface, ");
    if (s.intSand == 1)
        text += QStringLiteral("Sand, ");
    if (s.intCaulk == 1)
        text += QStringLiteral("Caulk, ");
    if (s.intMask == 1)
        text += QStringLiteral("Mask");
    return text;
}

QString addOns(const WorkSheet &s)
{
    QString text;
    const auto add = [&text](int count, const char *label) {
        if (count > 0)
            text += QStringLiteral("%1%2, ").arg(QLatin1String(label)).arg(count);
    };
    add(s.intNumOfDoors, "Number of Doors to paint: ");
    add(s.intNumOfDoorFrmTrm, "Number of Doors Frame/Trim to paint: ");
    add(s.intNumOfWindowFrmTrm, "Number of Window Frame/Trim to paint: ");
    add(s.intNumOfClosets, "Number of Closets to paint: ");
    return text;
}

QString wallpaper(const WorkSheet &s, bool hasArea, bool hasPerimeter)
{
    QString text;
    if (hasArea) {
        if (s.intHngWallpaper == 1)
            text += QStringLiteral("Hang Wallpaper, ");
        if (s.intRmvWallpaper == 1)
            text += QStringLiteral("Remove Wallpaper, ");
    }
    if (hasPerimeter) {
        if (s.intHngBoarder == 1)
            text += QStringLiteral("Hang Wallpaper Boarder, ");
        if (s.intRmvBorder == 1)
            text += QStringLiteral("Remove Wallpaper Boarder, ");
    }
    return text;
}

QString extraCharges(const WorkSheet &s, const QLocale &locale)
{
    QString text = s.strExtraChargesName;
    const auto add = [&](double amount, const QString &label) {
        if (amount > 0)
            text += label + Money::currencyText(amount, locale);
    };
    add(s.dbExtraChargesLabor, QStringLiteral(" Extra Labor Charges: "));
    add(s.dbExtraChargesMaterial, QStringLiteral(" Extra Material Charges: "));
    return text;
}

} // namespace

QString GetWorkSheetText(const CurrentDocument &document, const CompanyRecord &company, const QLocale &locale)
{
    const TrecCmpnyInvData &show = company.invData;
    const bool printTotals = !DocumentKinds::is(document.header.strInvName, DocumentKinds::kWorkOrder)
        || show.strShowTotalonWO;
    QStringList out;
    const auto appendIf = [&out](bool shown, const QString &line) {
        if (shown && !line.isEmpty())
            out << line;
    };
    for (int row = 0; row < document.lines.rowCount(); ++row) {
        const WorkSheet &sheet = document.lines.workSheet(row);
        const LineAmounts &amounts = document.lines.amounts(row);
        const int sqft = amounts.sqft;
        const bool hasArea = sqft > 0;
        const bool hasPerimeter = sheet.intAreaLength + sheet.intAreaWidth > 0;

        out << sheet.strWorkSheetName;
        appendIf(show.strShowWorkSheetInfo, informationLine(sheet, hasArea, hasPerimeter));
        const QString prep = surfacePreparation(sheet, hasArea);
        appendIf(show.strShowSurfacePrep && !prep.isEmpty(), QStringLiteral("Surface Prep - ") + prep);
        appendIf(show.strShowWorkSheetAddons, addOns(sheet));
        appendIf(show.strShowWallpaper, wallpaper(sheet, hasArea, hasPerimeter));
        appendIf(show.strShowExtraCharges, extraCharges(sheet, locale));
        if (hasArea)
            out << QStringLiteral("SQFT : %1").arg(sqft);
        if (printTotals)
            out << QStringLiteral("Total : ") + Money::currencyText(amounts.total, locale);
        out << QString();
    }
    // Every line ends with a line break, as in a memo, so the last empty line counts.
    return out.isEmpty() ? QString() : out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace WorkSheetText
