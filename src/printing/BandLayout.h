#pragma once

#include "PageModel.h"

#include <functional>

/// A horizontal strip of a report (one detail row, a signature block): its height
/// and its items, placed relative to the strip's top left corner.
struct Band
{
    double height = 0;
    QList<PageItem> items;
    /// Stays on the page of the band after it (a heading with its text, the lines of
    /// one block), unless the bands held together are higher than a page.
    bool keepWithNext = false;
};

/// Draws what repeats on every page (title, headings, footer, "Page 1 of 3") once
/// the number of pages is known.
using PageFurniture = std::function<void(ReportPage &page, int pageNumber, int pageCount)>;

/// Flows \a bands from top to bottom through \a region (inches), one page after the
/// other: a band that does not fit in what is left of the region starts the next
/// page, and so do bands kept together (Band::keepWithNext) that would be parted
/// but fit on one page. There is always at least one page; a band higher than the
/// region gets a page of its own and runs past the region's bottom.
[[nodiscard]] QList<ReportPage> layoutBands(const QRectF &region, const QList<Band> &bands,
                                            const PageFurniture &furniture);

/// Bands \a first to \a first + \a count - 1 of a list.
using BandsOf = std::function<QList<Band>(int first, int count)>;

/// The same flow for \a rowCount bands that are all \a bandHeight high: the page
/// count follows from the row count, and each page is laid out only when it is
/// asked for, from the bands \a bandsOf gives for its rows.
[[nodiscard]] ReportPages layoutEvenBands(const QRectF &region, double bandHeight, int rowCount, BandsOf bandsOf,
                                          PageFurniture furniture);

/// "Page 2 of 3", as every report prints its page number.
[[nodiscard]] QString pageNumberText(int pageNumber, int pageCount);
