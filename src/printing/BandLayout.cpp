#include "BandLayout.h"

namespace {

// Inch positions are sums of tenths; without a tolerance a band that fits exactly
// could be pushed to the next page by rounding noise.
constexpr double kTolerance = 1e-6;

/// Height of the bands from \a first that are kept together with it.
double keptHeight(const QList<Band> &bands, qsizetype first)
{
    double height = 0;
    qsizetype i = first;
    for (; i < bands.size() && bands.at(i).keepWithNext; ++i)
        height += bands.at(i).height;
    return i < bands.size() ? height + bands.at(i).height : height;
}

} // namespace

QList<ReportPage> layoutBands(const QRectF &region, const QList<Band> &bands, const PageFurniture &furniture)
{
    QList<QList<PageItem>> placed(1);
    double top = region.top();
    bool insideKeptGroup = false;
    for (qsizetype i = 0; i < bands.size(); ++i) {
        const Band &band = bands.at(i);
        const bool pageHasBands = top > region.top();
        const auto fits = [&](double height) { return top + height <= region.bottom() + kTolerance; };
        // A group that would be parted starts on a new page when it fits on one.
        const double groupHeight = band.keepWithNext && !insideKeptGroup ? keptHeight(bands, i) : 0;
        const bool partedGroup = !fits(groupHeight) && groupHeight <= region.height() + kTolerance;
        if (pageHasBands && (!fits(band.height) || partedGroup)) {
            placed.append(QList<PageItem>());
            top = region.top();
        }
        insideKeptGroup = band.keepWithNext;
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
