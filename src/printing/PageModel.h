#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <variant>

/// Printed pages before they meet a device: items placed in inches from the top left
/// corner of a US Letter portrait sheet. Renderers draw them to a printer, a PDF
/// file or an image.
namespace Page {
inline constexpr double kWidth = 8.5;
inline constexpr double kHeight = 11.0;
/// A thin border or rule: one pixel of a 96 dpi screen.
inline constexpr double kHairline = 1.0 / 96.0;
} // namespace Page

/// The font of a printed text. Sizes are in points; "Arial" is drawn with a
/// metric-compatible face where Arial itself is not installed.
struct ReportFont
{
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;

    friend bool operator==(const ReportFont &, const ReportFont &) = default;
};

struct TextItem
{
    QString name;
    QRectF rect;
    QString text;
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QColor color = Qt::black;
    /// Breaks the text into lines at the width of the rectangle.
    bool wrap = false;
    /// Nothing is drawn outside the rectangle.
    bool clip = false;
};

struct LineItem
{
    QString name;
    QLineF line;
    QColor color = Qt::black;
    double width = Page::kHairline;
    Qt::PenStyle style = Qt::SolidLine;
};

/// A rectangle: a frame, a filled bar or a rounded, dotted panel.
struct BoxItem
{
    QString name;
    QRectF rect;
    QColor border = Qt::black;
    /// No fill when invalid.
    QColor fill;
    Qt::PenStyle borderStyle = Qt::SolidLine;
    double cornerRadius = 0;
};

/// A picture drawn into its rectangle, scaled to fit with its proportions kept.
struct ImageItem
{
    QString name;
    QRectF rect;
    QImage image;
};

using PageItem = std::variant<TextItem, LineItem, BoxItem, ImageItem>;

/// The items of one printed page, drawn in order.
class ReportPage
{
public:
    QList<PageItem> items;

    void add(PageItem item) { items.append(std::move(item)); }
    void append(const QList<PageItem> &more) { items.append(more); }

    /// The first item of type T named \a name, or nullptr.
    template<typename T>
    [[nodiscard]] const T *find(const QString &name) const
    {
        for (const PageItem &item : items) {
            if (const T *typed = std::get_if<T>(&item); typed && typed->name == name)
                return typed;
        }
        return nullptr;
    }

    /// Every text item named \a name, in drawing order.
    [[nodiscard]] QList<const TextItem *> textsNamed(const QString &name) const;
    /// The texts of the page in drawing order; empty texts are left out.
    [[nodiscard]] QStringList texts() const;
};

/// The pages of a printout: laid out all at once, or each as it is shown or printed
/// when the number of pages is known beforehand (a list whose rows keep one
/// height), so the first page of a long list shows at once and only the pages in
/// use are held.
class ReportPages
{
public:
    /// Lays out page \a index (from 0).
    using Layout = std::function<ReportPage(int index)>;

    ReportPages() = default;
    ReportPages(QList<ReportPage> pages)
        : m_pages(std::move(pages))
    {
    }
    ReportPages(std::initializer_list<ReportPage> pages)
        : m_pages(pages)
    {
    }
    ReportPages(int count, Layout layout)
        : m_count(count)
        , m_layout(std::move(layout))
    {
    }

    [[nodiscard]] qsizetype size() const { return m_layout ? m_count : m_pages.size(); }
    [[nodiscard]] bool isEmpty() const { return size() == 0; }
    [[nodiscard]] ReportPage at(qsizetype index) const
    {
        return m_layout ? m_layout(int(index)) : m_pages.at(index);
    }
    [[nodiscard]] ReportPage first() const { return at(0); }
    [[nodiscard]] ReportPage last() const { return at(size() - 1); }
    [[nodiscard]] QList<ReportPage> toList() const
    {
        if (!m_layout)
            return m_pages;
        QList<ReportPage> pages;
        for (int i = 0; i < m_count; ++i)
            pages.append(m_layout(i));
        return pages;
    }

private:
    QList<ReportPage> m_pages;
    int m_count = 0;
    Layout m_layout;
};

namespace Items {

/// A one-line text component: \a width wide, as high as one line of \a font. A
/// longer text runs on past its right edge.
[[nodiscard]] TextItem text(const QString &name, double left, double top, double width, const ReportFont &font,
                            Qt::Alignment alignment, const QString &text);
/// A one-line text in a box or a column of boxes: cut at its width, so it never
/// prints over its neighbour.
[[nodiscard]] TextItem cell(const QString &name, double left, double top, double width, const ReportFont &font,
                            Qt::Alignment alignment, const QString &text);
/// A one-line text in a box that must show all of it (an amount, an order number):
/// its font is made smaller until the text fits the width, down to 6 points.
[[nodiscard]] TextItem fittedCell(const QString &name, double left, double top, double width, const ReportFont &font,
                                  Qt::Alignment alignment, const QString &text);
/// The same for a box a line and a third high: what is too long even at 6 points takes
/// two lines of a smaller size.
[[nodiscard]] TextItem fittedCellOnTwoLines(const QString &name, double left, double top, double width,
                                            const ReportFont &font, Qt::Alignment alignment, const QString &text);
/// A one-line text that may be shortened (a name): a little smaller when that makes
/// it fit, otherwise cut at a whole letter with an ellipsis.
[[nodiscard]] TextItem shortenedCell(const QString &name, double left, double top, double width,
                                     const ReportFont &font, Qt::Alignment alignment, const QString &text);
/// A text box that wraps its text and cuts it at the box.
[[nodiscard]] TextItem memo(const QString &name, const QRectF &rect, const ReportFont &font, const QString &text);
[[nodiscard]] LineItem horizontalLine(const QString &name, double left, double top, double width,
                                      const QColor &color = Qt::black);
/// A box with a thin black border and a white fill.
[[nodiscard]] BoxItem frame(const QString &name, const QRectF &rect);
/// A filled bar with a thin black border.
[[nodiscard]] BoxItem bar(const QString &name, const QRectF &rect, const QColor &fill);

/// \a item moved by \a offset inches.
[[nodiscard]] PageItem translated(const PageItem &item, QPointF offset);

} // namespace Items
