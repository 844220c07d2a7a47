#pragma once

#include "PrintJobs.h"

#include <QDialog>
#include <functional>

class PageViewer;
class QAction;
class QLabel;
class QScrollArea;

/// The print preview: the pages of one job on a grey background, paged and zoomed,
/// and sent to the printer from here. Created by the printing module for one
/// preview, shown modally, destroyed when closed.
class TfrmPrntPreview final : public QDialog
{
    Q_OBJECT
public:
    /// \a print runs the same job again to the printer; \a help opens the help file.
    TfrmPrntPreview(const ReportJob &job, std::function<void()> print, std::function<void()> help,
                    QWidget *parent = nullptr);

    [[nodiscard]] PageViewer *viewer() const { return m_viewer; }

    static constexpr int kZoomStep = 10;
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 200;

    void actPrintExecute();
    void actZoomInExecute();
    void actZoomOutExecute();
    /// \a tag 1 goes to the previous page, 2 to the next, 3 to the first, 4 to the last.
    void pSelectAPageToView(int tag);
    /// Enables the page actions that lead somewhere.
    void pSetMenuButtons();

private:
    QAction *makeAction(const char *name, const QString &caption, const QString &hint);
    void setZoom(int percent);
    void showPageInfo();

    std::function<void()> m_print;
    PageViewer *m_viewer;
    QScrollArea *m_scroll;
    QLabel *m_pageInfo;
    QAction *m_actClose;
    QAction *m_actPrint;
    QAction *m_actZoomIn;
    QAction *m_actZoomOut;
    QAction *m_actPreviousPage;
    QAction *m_actNextPage;
    QAction *m_actFirstPage;
    QAction *m_actLastPage;
};
