#pragma once

#include "PageModel.h"

#include <QWidget>

/// Shows one report page at a time as a sheet of paper with a shadow, at a zoom
/// factor in percent (100 is the page's real size on the screen). Sits in a scroll
/// area; its size follows the zoom. Only the page on screen is laid out and drawn,
/// so a preview of thousands of pages holds one picture.
class PageViewer final : public QWidget
{
    Q_OBJECT
public:
    explicit PageViewer(ReportPages pages, QWidget *parent = nullptr);

    [[nodiscard]] int pageCount() const { return int(m_pages.size()); }
    /// Counted from 1.
    [[nodiscard]] int currentPage() const { return m_currentPage; }
    [[nodiscard]] int zoomFactor() const { return m_zoom; }

    /// Shows page \a page (1 to pageCount()); other numbers are ignored.
    void setCurrentPage(int page);
    void setZoomFactor(int percent);

    QSize sizeHint() const override;

    static constexpr int kShadowDepth = 2;
    static constexpr int kPageMarginPercent = 5;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] double dotsPerInch() const;
    [[nodiscard]] QSize paperSize() const;
    [[nodiscard]] int margin() const;
    /// The current page, or a page saying why it cannot be read.
    [[nodiscard]] ReportPage pageOnScreen() const;

    ReportPages m_pages;
    int m_currentPage = 1;
    int m_zoom = 100;
    // The drawn page, kept until the page, the zoom or the screen changes.
    QImage m_picture;
    int m_picturePage = 0;
    double m_pictureDpi = 0;
};
