#include "CategoryPanels.h"

#include "widgets/Mnemonics.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

CategoryPanelGroup::CategoryPanelGroup(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
}

int CategoryPanelGroup::addPanel(const QString &name, const QString &caption, QWidget *content)
{
    auto *header = new QToolButton(this);
    header->setObjectName(name);
    header->setText(caption);
    header->setCheckable(true);
    header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header->setFocusPolicy(Qt::StrongFocus);
    header->setProperty(Mnemonics::kPanelHeader, true);
    header->installEventFilter(this);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    content->setParent(this);

    const int index = int(m_panels.size());
    m_panels.append({header, content});
    m_layout->insertWidget(m_layout->count() - 1, header);
    m_layout->insertWidget(m_layout->count() - 1, content);
    // A click on the open panel's header keeps it open: one panel is always shown.
    connect(header, &QToolButton::clicked, this, [this, index] { expand(index); });
    if (index == 0) {
        expand(0);
    } else {
        header->setArrowType(Qt::RightArrow);
        content->setVisible(false);
    }
    return index;
}

void CategoryPanelGroup::expand(int index)
{
    for (int i = 0; i < m_panels.size(); ++i) {
        const bool open = i == index;
        m_panels[i].header->setChecked(open);
        m_panels[i].header->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        m_panels[i].content->setVisible(open);
    }
}

bool CategoryPanelGroup::eventFilter(QObject *watched, QEvent *event)
{
    // Shift+Tab from a header goes back into the panel above, opened, to its last control.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backtab) {
        for (int i = 1; i < m_panels.size(); ++i) {
            if (m_panels.at(i).header != watched)
                continue;
            expand(i - 1);
            QWidget *last = m_panels.at(i - 1).header;
            for (QWidget *control : m_panels.at(i - 1).content->findChildren<QWidget *>()) {
                if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(this) && control->isEnabled())
                    last = control;
            }
            last->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    // Reached by Tab or by its letter, a header opens its panel, so the next Tab
    // goes on into the panel's controls.
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
            for (int i = 0; i < m_panels.size(); ++i) {
                if (m_panels.at(i).header == watched && !isExpanded(i))
                    expand(i);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CategoryPanelGroup::isExpanded(int index) const
{
    return index >= 0 && index < m_panels.size() && m_panels.at(index).header->isChecked();
}

QWidget *CategoryPanelGroup::header(int index) const
{
    return m_panels.at(index).header;
}
