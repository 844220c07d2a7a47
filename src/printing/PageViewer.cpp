#include "PageViewer.h"

#include "PageRenderer.h"
#include "data/DbError.h"

#include <QPainter>

PageViewer::PageViewer(ReportPages pages, QWidget *parent)
    : QWidget(parent)
    , m_pages(std::move(pages))
{
    setObjectName(QStringLiteral("PageViewer"));
    if (m_pages.isEmpty())
        m_pages = {ReportPage()}; // a job without pages still shows its blank sheet
    resize(sizeHint());
}

void PageViewer::setCurrentPage(int page)
{
    if (page < 1 || page > pageCount() || page == m_currentPage)
        return;
    m_currentPage = page;
    update();
}

void PageViewer::setZoomFactor(int percent)
{
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    resize(sizeHint());
    update();
}

double PageViewer::dotsPerInch() const
{
    return logicalDpiX() * m_zoom / 100.0;
}

QSize PageViewer::paperSize() const
{
    return QSizeF(Page::kWidth * dotsPerInch(), Page::kHeight * dotsPerInch()).toSize();
}

int PageViewer::margin() const
{
    return paperSize().width() * kPageMarginPercent / 100;
}

QSize PageViewer::sizeHint() const
{
    const int around = 2 * margin() + kShadowDepth;
    return paperSize() + QSize(around, around);
}

ReportPage PageViewer::pageOnScreen() const
{
    try {
        return m_pages.at(m_currentPage - 1);
    } catch (const DbError &error) {
        // A long list lays out its pages from the database as they are shown.
        ReportPage failed;
        failed.add(Items::memo(QStringLiteral("rvtxtError"), QRectF(0.5, 0.5, 7.5, 2.0), ReportFont{}, error.message()));
        return failed;
    }
}

void PageViewer::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const double pictureDpi = dotsPerInch() * ratio;
    if (m_picturePage != m_currentPage || !qFuzzyCompare(m_pictureDpi, pictureDpi)) {
        m_picture = PageRenderer::image(pageOnScreen(), pictureDpi);
        m_picture.setDevicePixelRatio(ratio);
        m_picturePage = m_currentPage;
        m_pictureDpi = pictureDpi;
    }

    QPainter painter(this);
    const QRect paper(QPoint(margin(), margin()), paperSize());
    painter.fillRect(paper.translated(kShadowDepth, kShadowDepth), QColor(64, 64, 64));
    painter.drawImage(paper.topLeft(), m_picture);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
}
