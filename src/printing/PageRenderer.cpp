#include "PageRenderer.h"

#include "ReportFonts.h"

#include <QPainter>
#include <QPainterPath>

namespace PageRenderer {

namespace {

// A logo needs no more detail than this on paper; a larger picture only makes the
// file bigger.
constexpr double kMaxImageDpi = 300;

class ItemPainter
{
public:
    ItemPainter(QPainter &painter, double dotsPerInch, QPointF origin)
        : m_painter(painter)
        , m_dpi(dotsPerInch)
        , m_origin(origin)
    {
    }

    void operator()(const TextItem &item) const
    {
        if (item.text.isEmpty())
            return;
        const QRectF rect = device(item.rect);
        m_painter.save();
        if (item.clip) {
            // One-line texts are cut at their sides only, so tall accents survive.
            m_painter.setClipRect(item.wrap ? rect : rect.adjusted(0, -rect.height(), 0, rect.height()),
                                  Qt::IntersectClip);
        }
        m_painter.setFont(ReportFonts::qfont(item.font, m_dpi, *m_painter.device()));
        m_painter.setPen(item.color);
        // Clipping, where wanted, is done above; QPainter's own would also cut a
        // one-line text at its width.
        const int flags = int(item.alignment) | int(Qt::TextDontClip)
                          | (item.wrap ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
        m_painter.drawText(rect, flags, item.text);
        m_painter.restore();
    }

    void operator()(const LineItem &item) const
    {
        m_painter.setPen(pen(item.color, item.width, item.style));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawLine(QLineF(device(item.line.p1()), device(item.line.p2())));
    }

    void operator()(const BoxItem &item) const
    {
        m_painter.setPen(pen(item.border, Page::kHairline, item.borderStyle));
        m_painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
        const QRectF rect = device(item.rect);
        if (item.cornerRadius > 0)
            m_painter.drawRoundedRect(rect, item.cornerRadius * m_dpi, item.cornerRadius * m_dpi);
        else
            m_painter.drawRect(rect);
    }

    void operator()(const ImageItem &item) const
    {
        if (item.image.isNull())
            return;
        const QRectF box = device(item.rect);
        QSizeF size = QSizeF(item.image.size()).scaled(box.size(), Qt::KeepAspectRatio);
        const QRectF target(box.topLeft(), size);
        const QSize detail = (size * std::min(1.0, kMaxImageDpi / m_dpi)).toSize().expandedTo(QSize(1, 1));
        const QImage picture = item.image.width() > detail.width()
                                   ? item.image.scaled(detail, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                   : item.image;
        m_painter.drawImage(target, picture);
    }

private:
    [[nodiscard]] QPointF device(QPointF inches) const { return m_origin + inches * m_dpi; }
    [[nodiscard]] QRectF device(const QRectF &inches) const
    {
        return QRectF(device(inches.topLeft()), inches.size() * m_dpi);
    }
    [[nodiscard]] QPen pen(const QColor &color, double widthInches, Qt::PenStyle style) const
    {
        QPen result(color, widthInches * m_dpi, style);
        result.setCapStyle(Qt::FlatCap);
        return result;
    }

    QPainter &m_painter;
    double m_dpi;
    QPointF m_origin;
};

} // namespace

void draw(QPainter &painter, const ReportPage &page, double dotsPerInch, QPointF origin)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const ItemPainter itemPainter(painter, dotsPerInch, origin);
    for (const PageItem &item : page.items)
        std::visit(itemPainter, item);
    painter.restore();
}

QImage image(const ReportPage &page, double dotsPerInch)
{
    QImage picture(QSizeF(Page::kWidth * dotsPerInch, Page::kHeight * dotsPerInch).toSize(), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    draw(painter, page, dotsPerInch);
    return picture;
}

} // namespace PageRenderer
