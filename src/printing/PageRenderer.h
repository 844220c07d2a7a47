#pragma once

#include "PageModel.h"

#include <functional>

class QPainter;

/// Called with the number of each page (from 1) before it is drawn, so a long job can
/// show how far it has got; false stops the job (the user cancelled it), which then
/// throws JobCancelled.
using PageProgress = std::function<bool(int pageNumber)>;

/// Draws report pages on any QPainter device: printer, PDF writer, image.
namespace PageRenderer {

/// Draws \a page with its top left corner at \a origin (device pixels), at
/// \a dotsPerInch device pixels per inch.
void draw(QPainter &painter, const ReportPage &page, double dotsPerInch, QPointF origin = {});

/// \a page on white paper as a picture of \a dotsPerInch.
[[nodiscard]] QImage image(const ReportPage &page, double dotsPerInch);

} // namespace PageRenderer
