#pragma once

#include "PageModel.h"

#include <QFont>

class QPaintDevice;

/// Fonts of printed pages and the measurements the layouts need. Measurements are
/// taken at a printer's resolution without hinting, so a line that fits in the
/// layout also fits on paper, in the PDF and in the preview.
namespace ReportFonts {

/// The installed family that prints \a family: "Liberation Sans" stands in for a
/// missing "Arial".
[[nodiscard]] QString resolvedFamily(const QString &family);

/// The QFont that draws \a font at \a dotsPerInch on \a device (whose own logical
/// resolution may differ, as a screen's does).
[[nodiscard]] QFont qfont(const ReportFont &font, double dotsPerInch, const QPaintDevice &device);

/// Height of one line of \a font, in inches.
[[nodiscard]] double lineHeight(const ReportFont &font);
/// Advance width of \a text on one line, in inches.
[[nodiscard]] double textWidth(const ReportFont &font, const QString &text);

/// \a font made smaller, in half points down to \a smallestPointSize, until \a text
/// fits in \a width inches; \a font itself when it fits already.
[[nodiscard]] ReportFont fittedFont(const ReportFont &font, const QString &text, double width,
                                    double smallestPointSize);

/// \a text cut short with an ellipsis so it fits in \a width inches.
[[nodiscard]] QString elided(const ReportFont &font, const QString &text, double width);

/// \a text broken into the lines it takes at \a width inches: at its own line
/// breaks, then between words, and inside a word longer than the width. Empty text
/// gives no lines; an empty line of the text stays an empty line.
[[nodiscard]] QStringList wrapLines(const ReportFont &font, const QString &text, double width);

/// The lines of a memo text, as a multi-line text box counts them: split at CR LF,
/// LF or CR, a final line break not starting another line.
[[nodiscard]] QStringList memoLines(const QString &text);

} // namespace ReportFonts
