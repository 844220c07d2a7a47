#include "Ribbon.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

RibbonGroup::RibbonGroup(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_row(new QHBoxLayout)
{
    // A group keeps the width its captions need; the page grows, not the captions shrink.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(1);
    m_row->setSpacing(2);
    layout->addLayout(m_row, 1);
    auto *label = new QLabel(title, this);
    label->setAlignment(Qt::AlignHCenter);
    label->setEnabled(false); // the muted look of a caption, not a command
    layout->addWidget(label);
}

QToolButton *RibbonGroup::addAction(QAction *action, bool large)
{
    auto *button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setObjectName(QStringLiteral("btn") + action->objectName());
    if (large) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
    } else {
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(16, 16));
    }
    // A tool button follows its action's text and state, but not its visibility.
    button->setVisible(action->isVisible());
    connect(action, &QAction::visibleChanged, button, [button, action] { button->setVisible(action->isVisible()); });
    m_row->addWidget(button);
    return button;
}

void RibbonGroup::addWidget(QWidget *widget)
{
    widget->setParent(this);
    m_row->addWidget(widget);
}

Ribbon::Ribbon(QWidget *parent)
    : QWidget(parent)
    , m_appButton(new QToolButton(this))
    , m_appMenu(new QMenu(this))
    , m_tabs(new QTabBar(this))
    , m_caption(new QLabel(this))
    , m_helpButton(new QToolButton(this))
    , m_minimizeButton(new QToolButton(this))
    , m_pages(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("Ribbon"));
    m_appButton->setText(tr("File"));
    m_appButton->setMenu(m_appMenu);
    m_appButton->setPopupMode(QToolButton::InstantPopup);
    m_appButton->setVisible(false);
    m_caption->setObjectName(QStringLiteral("lblRibbonCaption"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_helpButton->setVisible(false);
    m_helpButton->setAutoRaise(true);
    m_minimizeButton->setAutoRaise(true);
    m_minimizeButton->setObjectName(QStringLiteral("btnRibbonMinimize"));
    m_minimizeButton->setToolTip(tr("Minimize the ribbon"));
    m_minimizeButton->setArrowType(Qt::UpArrow);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_appButton);
    top->addWidget(m_tabs);
    top->addWidget(m_caption, 1);
    top->addWidget(m_helpButton);
    top->addWidget(m_minimizeButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_pages);

    connect(m_tabs, &QTabBar::currentChanged, m_pages, [this](int index) {
        m_pages->setCurrentIndex(index);
        // Chosen by its letter or a click, a page takes the focus, so Tab goes on
        // through its controls.
        QWidget *page = m_pages->currentWidget();
        if (!page || !isActiveWindow() || !page->isVisible())
            return;
        for (QWidget *control : page->findChildren<QWidget *>()) {
            if ((control->focusPolicy() & Qt::TabFocus) && control->isVisible() && control->isEnabled()) {
                control->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    });
    connect(m_tabs, &QTabBar::tabBarClicked, this, [this] {
        if (m_minimized)
            setMinimized(false);
    });
    connect(m_minimizeButton, &QToolButton::clicked, this, [this] { setMinimized(!m_minimized); });
}

QWidget *Ribbon::addPage(const QString &title)
{
    auto *page = new QWidget(m_pages);
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch(1);
    m_pages->addWidget(page);
    m_tabs->addTab(title);
    return page;
}

RibbonGroup *Ribbon::addGroup(QWidget *page, const QString &title)
{
    auto *group = new RibbonGroup(title, page);
    auto *row = static_cast<QHBoxLayout *>(page->layout());
    if (row->count() > 1) {
        auto *line = new QFrame(page);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        row->insertWidget(row->count() - 1, line);
    }
    row->insertWidget(row->count() - 1, group); // before the closing stretch
    return group;
}

void Ribbon::setCaption(const QString &caption)
{
    m_caption->setText(caption);
}

QString Ribbon::caption() const
{
    return m_caption->text();
}

void Ribbon::setHelpAction(QAction *help)
{
    m_helpButton->setDefaultAction(help);
    m_helpButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_helpButton->setVisible(true);
}

void Ribbon::showEvent(QShowEvent *event)
{
    m_appButton->setVisible(!m_appMenu->isEmpty());
    QWidget::showEvent(event);
}

void Ribbon::setMinimized(bool minimized)
{
    if (m_minimized == minimized)
        return;
    m_minimized = minimized;
    m_pages->setVisible(!minimized);
    m_minimizeButton->setArrowType(minimized ? Qt::DownArrow : Qt::UpArrow);
    m_minimizeButton->setToolTip(minimized ? tr("Expand the ribbon") : tr("Minimize the ribbon"));
    emit minimizedChanged(minimized);
}
