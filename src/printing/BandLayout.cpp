#include "BandLayout.h"

namespace {

// Inch positions are sums of tenths; without a tolerance a band that fits exactly
// could be pushed to the next page by rounding noise.
constexpr double kTolerance = 1e-6;

} // namespace

QList<ReportPage> layoutBands(const QRectF &region, const QList<Band> &bands, const PageFurniture &furniture)
{
    QList<QList<PageItem>> placed(1);
    double top = region.top();
    for (const Band &band : bands) {
        const bool pageHasBands = top > region.top();
        if (pageHasBands && top + band.height > region.bottom() + kTolerance) {
            placed.append(QList<PageItem>());
            top = region.top();
        }
        for (const PageItem &item : band.items)
            placed.last().append(Items::translated(item, QPointF(region.left(), top)));
        top += band.height;
    }

    QList<ReportPage> pages;
    const int count = int(placed.size());
    for (int i = 0; i < count; ++i) {
        ReportPage page;
        if (furniture)
            furniture(page, i + 1, count);
        page.append(placed.at(i));
        pages.append(std::move(page));
    }
    return pages;
}

QString pageNumberText(int pageNumber, int pageCount)
{
    return QStringLiteral("Page %1 of %2").arg(pageNumber).arg(pageCount);
}
