#include "BandLayout.h"

#include <algorithm>

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

ReportPages layoutEvenBands(const QRectF &region, double bandHeight, int rowCount, BandsOf bandsOf,
                            PageFurniture furniture)
{
    // As layoutBands: a page takes bands while they fit, and always at least one.
    const int perPage = std::max(1, int((region.height() + kTolerance) / bandHeight));
    const int pageCount = std::max(1, (rowCount + perPage - 1) / perPage);
    return ReportPages(pageCount, [=, bandsOf = std::move(bandsOf), furniture = std::move(furniture)](int index) {
        ReportPage page;
        if (furniture)
            furniture(page, index + 1, pageCount);
        double top = region.top();
        for (const Band &band : bandsOf(index * perPage, std::min(perPage, rowCount - index * perPage))) {
            for (const PageItem &item : band.items)
                page.add(Items::translated(item, QPointF(region.left(), top)));
            top += band.height;
        }
        return page;
    });
}

QString pageNumberText(int pageNumber, int pageCount)
{
    return QStringLiteral("Page %1 of %2").arg(pageNumber).arg(pageCount);
}
