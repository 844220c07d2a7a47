#include "TfrmPrntPreview.h"

#include "PageViewer.h"
#include "widgets/Ribbon.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

TfrmPrntPreview::TfrmPrntPreview(const ReportJob &job, std::function<void()> print, std::function<void()> help,
                                 QWidget *parent)
    : QDialog(parent)
    , m_print(std::move(print))
    , m_viewer(new PageViewer(job.pages))
    , m_scroll(new QScrollArea(this))
    , m_pageInfo(new QLabel(this))
{
    setObjectName(QStringLiteral("frmPrntPreview"));
    setWindowTitle(job.previewTitle);
    setModal(true);

    m_actClose = makeAction("actClose", tr("Close"), QStringLiteral("Close Print Preview"));
    m_actPrint = makeAction("actPrint", tr("Print"), QStringLiteral("Print document"));
    m_actZoomIn = makeAction("actZoomIn", tr("Zoom In"), QStringLiteral("Zoom in document"));
    m_actZoomOut = makeAction("actZoomOut", tr("Zoom Out"), QStringLiteral("Zoom out document"));
    m_actPreviousPage = makeAction("actPreviousPage", tr("Previous Page"), QStringLiteral("Preview Previous document"));
    m_actNextPage = makeAction("actNextPage", tr("Next Page"), QStringLiteral("Preview Next document"));
    m_actFirstPage = makeAction("actFirstPage", tr("First Page"), QStringLiteral("Preview First page"));
    m_actLastPage = makeAction("actLastPage", tr("Last Page"), QStringLiteral("Preview Last page"));
    m_actPreviousPage->setData(1);
    m_actNextPage->setData(2);
    m_actFirstPage->setData(3);
    m_actLastPage->setData(4);

    m_actClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_actPrint->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(QStyle::SP_FileIcon)));
    m_actZoomIn->setIcon(QIcon::fromTheme(QStringLiteral("zoom-in"), style()->standardIcon(QStyle::SP_ArrowUp)));
    m_actZoomOut->setIcon(QIcon::fromTheme(QStringLiteral("zoom-out"), style()->standardIcon(QStyle::SP_ArrowDown)));
    m_actPreviousPage->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_actNextPage->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_actFirstPage->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    m_actLastPage->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));

    m_actPrint->setShortcut(QKeySequence::Print);
    m_actZoomIn->setShortcut(QKeySequence::ZoomIn);
    m_actZoomOut->setShortcut(QKeySequence::ZoomOut);
    m_actPreviousPage->setShortcut(QKeySequence::MoveToPreviousPage);
    m_actNextPage->setShortcut(QKeySequence::MoveToNextPage);
    // A report of thousands of pages is crossed in one key, not one page at a time.
    m_actFirstPage->setShortcuts({QKeySequence(Qt::Key_Home), QKeySequence::MoveToStartOfDocument});
    m_actLastPage->setShortcuts({QKeySequence(Qt::Key_End), QKeySequence::MoveToEndOfDocument});

    connect(m_actClose, &QAction::triggered, this, &QDialog::accept);
    connect(m_actPrint, &QAction::triggered, this, &TfrmPrntPreview::actPrintExecute);
    connect(m_actZoomIn, &QAction::triggered, this, &TfrmPrntPreview::actZoomInExecute);
    connect(m_actZoomOut, &QAction::triggered, this, &TfrmPrntPreview::actZoomOutExecute);
    for (QAction *page : {m_actPreviousPage, m_actNextPage, m_actFirstPage, m_actLastPage})
        connect(page, &QAction::triggered, this, [this, page] { pSelectAPageToView(page->data().toInt()); });

    auto *ribbon = new Ribbon(this);
    ribbon->setCaption(job.previewTitle);
    ribbon->applicationMenu()->addAction(m_actPrint);
    ribbon->applicationMenu()->addSeparator();
    ribbon->applicationMenu()->addAction(m_actClose);
    auto *helpAction = new QAction(style()->standardIcon(QStyle::SP_DialogHelpButton), tr("Help"), this);
    helpAction->setObjectName(QStringLiteral("actHelp"));
    helpAction->setToolTip(QStringLiteral("Open Help"));
    helpAction->setShortcut(QKeySequence::HelpContents);
    connect(helpAction, &QAction::triggered, this, [help = std::move(help)] {
        if (help)
            help();
    });
    ribbon->setHelpAction(helpAction);

    QWidget *page = ribbon->addPage(tr("Print Preview"));
    ribbon->addGroup(page, tr("Close"))->addAction(m_actClose);
    ribbon->addGroup(page, tr("Print"))->addAction(m_actPrint);
    RibbonGroup *zoom = ribbon->addGroup(page, tr("Zoom"));
    zoom->addAction(m_actZoomIn);
    zoom->addAction(m_actZoomOut);
    RibbonGroup *pages = ribbon->addGroup(page, tr("Pages"));
    pages->addAction(m_actFirstPage);
    pages->addAction(m_actPreviousPage);
    pages->addAction(m_actNextPage);
    pages->addAction(m_actLastPage);
    m_pageInfo->setObjectName(QStringLiteral("lblPageInfo"));
    m_pageInfo->setMinimumWidth(m_pageInfo->fontMetrics().horizontalAdvance(QStringLiteral("Page 888 of 888  200%")));
    pages->addWidget(m_pageInfo);

    m_scroll->setObjectName(QStringLiteral("scrollPreview"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    QPalette grey = m_scroll->palette();
    grey.setColor(QPalette::Dark, QColor(128, 128, 128));
    m_scroll->setPalette(grey);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_viewer);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ribbon);
    layout->addWidget(m_scroll, 1);

    resize(1000, 800);
    pSetMenuButtons();
}

QAction *TfrmPrntPreview::makeAction(const char *name, const QString &caption, const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    QDialog::addAction(action); // shortcuts work anywhere in the window
    return action;
}

void TfrmPrntPreview::actPrintExecute()
{
    if (m_print)
        m_print();
}

void TfrmPrntPreview::actZoomInExecute()
{
    setZoom(m_viewer->zoomFactor() + kZoomStep);
}

void TfrmPrntPreview::actZoomOutExecute()
{
    if (m_viewer->zoomFactor() > kZoomStep)
        setZoom(m_viewer->zoomFactor() - kZoomStep);
}

void TfrmPrntPreview::setZoom(int percent)
{
    m_viewer->setZoomFactor(std::clamp(percent, kMinZoom, kMaxZoom));
    showPageInfo();
}

void TfrmPrntPreview::pSelectAPageToView(int tag)
{
    const int current = m_viewer->currentPage();
    const int count = m_viewer->pageCount();
    if (tag == 1 && current > 1)
        m_viewer->setCurrentPage(current - 1);
    else if (tag == 2 && current < count)
        m_viewer->setCurrentPage(current + 1);
    else if (tag == 3 && current > 1)
        m_viewer->setCurrentPage(1);
    else if (tag == 4 && current < count)
        m_viewer->setCurrentPage(count);
    if (m_viewer->currentPage() != current)
        m_scroll->verticalScrollBar()->setValue(0); // a page is read from its top
    pSetMenuButtons();
}

void TfrmPrntPreview::pSetMenuButtons()
{
    const int count = m_viewer->pageCount();
    const int current = m_viewer->currentPage();
    if (count == 1) {
        m_actPreviousPage->setEnabled(false);
        m_actNextPage->setEnabled(false);
    } else {
        m_actPreviousPage->setEnabled(current > 1);
        m_actNextPage->setEnabled(current < count);
    }
    m_actFirstPage->setEnabled(m_actPreviousPage->isEnabled());
    m_actLastPage->setEnabled(m_actNextPage->isEnabled());
    showPageInfo();
}

void TfrmPrntPreview::showPageInfo()
{
    m_pageInfo->setText(tr("Page %1 of %2  %3%")
                            .arg(m_viewer->currentPage())
                            .arg(m_viewer->pageCount())
                            .arg(m_viewer->zoomFactor()));
}
