#include "core/Edition.h"
#include "company/CompanyRecord.h"
#include "invoice/CurrentDocument.h"
#include "invoice/Totals.h"
#include "invoice/WorkSheet.h"
#include "invoice/WorkSheetText.h"

#include <QTest>

namespace {

const QLocale us(QLocale::English, QLocale::UnitedStates);

CompanyRecord showingEverything()
{
    CompanyRecord company;
    TrecCmpnyInvData &d = company.invData;
    d.strShowWorkSheetInfo = d.strShowSurfacePrep = d.strShowWorkSheetAddons = d.strShowWallpaper =
        d.strShowExtraCharges = true;
    return company;
}

WorkSheet kitchen()
{
    WorkSheet sheet;
    sheet.strWorkSheetName = QStringLiteral("Kitchen");
    sheet.intAreaWorkOn = WorkSheet::WallsOnly;
    sheet.intAreaLength = 12;
    sheet.intAreaWidth = 10;
    sheet.intAreaHeight = 8;
    sheet.intPaintsCoats = 2;
    return sheet;
}

} // namespace

class TestWorkSheets : public QObject
{
    Q_OBJECT

    const Edition &m_heddrin = Edition::get(Edition::Heddrin);

    QStringList describe(const QList<WorkSheet> &sheets, const CompanyRecord &company,
                         const QString &kind = QStringLiteral("Invoice"))
    {
        CurrentDocument doc(m_heddrin);
        doc.header.strInvName = kind;
        for (int item = 1; item <= 27; ++item) {
            doc.LbrPrices[std::size_t(item)] = 1.0;
            doc.MatPrices[std::size_t(item)] = 0.5;
        }
        for (const WorkSheet &sheet : sheets)
            doc.lines.appendWorkSheet(sheet);
        Totals::pCalcTotals(doc, m_heddrin, company, us);
        const QString text = WorkSheetText::GetWorkSheetText(doc, company, us);
        if (!text.endsWith(QLatin1Char('\n')))
            return {QStringLiteral("text does not end with a line break")};
        return text.chopped(1).split(QLatin1Char('\n'));
    }

private slots:
    void plainRoomPrintsFourLinesAndAGap()
    {
        // 704 sq ft of paint at 1.00 + 0.50.
        QCOMPARE(describe({kitchen()}, showingEverything()),
                 QStringList({"Kitchen", "Interior, Area Work On - Walls Only, Number of Paint coats: 2, ", "SQFT : 352",
                              "Total : $1,056.00", ""}));
    }

    void addOnsMultiplierExtrasAndPreparation()
    {
        WorkSheet sheet = kitchen();
        sheet.intNumOfDoors = 1;
        sheet.intNumOfClosets = 2;
        sheet.intAreaMultiplier = 3;
        sheet.intPrime = WorkSheet::PrimeEntireSurface;
        sheet.intCaulk = 1;
        sheet.intMask = 1;
        sheet.intHngWallpaper = 1;
        sheet.intRmvBorder = 1;
        sheet.strExtraChargesName = QStringLiteral("Scaffold");
        sheet.dbExtraChargesLabor = 150;
        const QStringList lines = describe({sheet}, showingEverything());
        QCOMPARE(lines.at(1), QStringLiteral("Interior, Area Work On - Walls Only, Number of Paint coats: 2, "
                                             "This Work Sheet is multiplied by: 3"));
        QCOMPARE(lines.at(2), QStringLiteral("Surface Prep - Prime entire surface, Caulk, Mask"));
        QCOMPARE(lines.at(3), QStringLiteral("Number of Doors to paint: 1, Number of Closets to paint: 2, "));
        QCOMPARE(lines.at(4), QStringLiteral("Hang Wallpaper, Remove Wallpaper Boarder, "));
        QCOMPARE(lines.at(5), QStringLiteral("Scaffold Extra Labor Charges: $150.00"));
        QCOMPARE(lines.at(6), QStringLiteral("SQFT : 352"));
        QVERIFY(lines.at(7).startsWith(QStringLiteral("Total : $")));
    }

    void doorsOnlyHaveNoAreaButAnAmount()
    {
        WorkSheet doors;
        doors.strWorkSheetName = QStringLiteral("Doors");
        doors.intNumOfDoors = 2;
        doors.intWash = 1; // no area: no surface preparation line
        QCOMPARE(describe({doors}, showingEverything()),
                 QStringList({"Doors", "Interior, ", "Number of Doors to paint: 2, ", "Total : $3.00", ""}));
    }

    void showFlagsRemoveWholeLinesOnly()
    {
        CompanyRecord company; // every show flag clear
        WorkSheet sheet = kitchen();
        sheet.intSand = 1;
        QCOMPARE(describe({sheet}, company, QStringLiteral("work order")), QStringList({"Kitchen", "SQFT : 352", ""}));
        company.invData.strShowTotalonWO = true;
        QCOMPARE(describe({sheet}, company, QStringLiteral("Work Order")).size(), 4);

        // An empty name still gets its line.
        WorkSheet unnamed = kitchen();
        unnamed.strWorkSheetName.clear();
        QCOMPARE(describe({unnamed, kitchen()}, company).mid(0, 4),
                 QStringList({"", "SQFT : 352", "Total : $1,056.00", ""}));
    }
};

QTEST_GUILESS_MAIN(TestWorkSheets)
#include "test_worksheets.moc"
