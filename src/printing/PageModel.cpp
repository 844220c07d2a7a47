#include "PageModel.h"

#include "ReportFonts.h"

QList<const TextItem *> ReportPage::textsNamed(const QString &name) const
{
    QList<const TextItem *> found;
    for (const PageItem &item : items) {
        if (const auto *text = std::get_if<TextItem>(&item); text && text->name == name)
            found.append(text);
    }
    return found;
}

QStringList ReportPage::texts() const
{
    QStringList result;
    for (const PageItem &item : items) {
        if (const auto *text = std::get_if<TextItem>(&item); text && !text->text.isEmpty())
            result.append(text->text);
    }
    return result;
}

namespace Items {

TextItem text(const QString &name, double left, double top, double width, const ReportFont &font,
              Qt::Alignment alignment, const QString &text)
{
    TextItem item;
    item.name = name;
    item.rect = QRectF(left, top, width, ReportFonts::lineHeight(font));
    item.text = text;
    item.font = font;
    item.alignment = alignment | Qt::AlignTop;
    return item;
}

TextItem cell(const QString &name, double left, double top, double width, const ReportFont &font,
              Qt::Alignment alignment, const QString &text)
{
    TextItem item = Items::text(name, left, top, width, font, alignment, text);
    item.clip = true;
    return item;
}

TextItem fittedCell(const QString &name, double left, double top, double width, const ReportFont &font,
                    Qt::Alignment alignment, const QString &text)
{
    TextItem item = cell(name, left, top, width, font, alignment, text);
    item.font = ReportFonts::fittedFont(font, text, width, 6);
    // The smaller text stays on the line's middle.
    const double smaller = ReportFonts::lineHeight(font) - ReportFonts::lineHeight(item.font);
    item.rect = QRectF(left, top + smaller / 2, width, ReportFonts::lineHeight(item.font));
    return item;
}

TextItem fittedCellOnTwoLines(const QString &name, double left, double top, double width, const ReportFont &font,
                              Qt::Alignment alignment, const QString &text)
{
    TextItem item = fittedCell(name, left, top, width, font, alignment, text);
    if (ReportFonts::textWidth(item.font, text) <= width)
        return item;
    // Two lines in the height of the box around it (a line and a third).
    const double lineHeight = ReportFonts::lineHeight(font);
    for (ReportFont two = font; two.pointSize >= 4; two.pointSize -= 0.5) {
        const double twoLines = 2 * ReportFonts::lineHeight(two);
        const QStringList lines = ReportFonts::wrapLines(two, text, width);
        if (twoLines <= lineHeight * 4 / 3 && lines.size() <= 2) {
            // Broken where the measuring broke it (inside a long number too), and not
            // clipped: the renderer's line spacing may differ by a hair.
            item.font = two;
            item.text = lines.join(QLatin1Char('\n'));
            item.wrap = true;
            item.clip = false;
            item.rect = QRectF(left, top + (lineHeight - twoLines) / 2, width, twoLines);
            return item;
        }
    }
    return item;
}

TextItem shortenedCell(const QString &name, double left, double top, double width, const ReportFont &font,
                       Qt::Alignment alignment, const QString &text)
{
    TextItem item = cell(name, left, top, width, font, alignment, text);
    item.font = ReportFonts::fittedFont(font, text, width, font.pointSize * 0.8);
    item.text = ReportFonts::elided(item.font, text, width);
    const double smaller = ReportFonts::lineHeight(font) - ReportFonts::lineHeight(item.font);
    item.rect = QRectF(left, top + smaller / 2, width, ReportFonts::lineHeight(item.font));
    return item;
}

TextItem memo(const QString &name, const QRectF &rect, const ReportFont &font, const QString &text)
{
    TextItem item;
    item.name = name;
    item.rect = rect;
    item.text = text;
    item.font = font;
    item.wrap = true;
    item.clip = true;
    return item;
}

LineItem horizontalLine(const QString &name, double left, double top, double width, const QColor &color)
{
    LineItem item;
    item.name = name;
    item.line = QLineF(left, top, left + width, top);
    item.color = color;
    return item;
}

BoxItem frame(const QString &name, const QRectF &rect)
{
    BoxItem item;
    item.name = name;
    item.rect = rect;
    item.fill = Qt::white;
    return item;
}

BoxItem bar(const QString &name, const QRectF &rect, const QColor &fill)
{
    BoxItem item;
    item.name = name;
    item.rect = rect;
    item.fill = fill;
    return item;
}

PageItem translated(const PageItem &item, QPointF offset)
{
    return std::visit(
        [offset](auto copy) -> PageItem {
            if constexpr (std::is_same_v<decltype(copy), LineItem>)
                copy.line.translate(offset);
            else
                copy.rect.translate(offset);
            return copy;
        },
        item);
}

} // namespace Items
