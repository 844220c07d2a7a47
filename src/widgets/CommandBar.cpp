#include "CommandBar.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

QToolBar *makeCommandBar(QWidget *window, const QString &objectName)
{
    auto *bar = new QToolBar(window);
    bar->setObjectName(objectName);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(32, 32));
    return bar;
}

QAction *addCommand(QToolBar *bar, const QString &name, const QString &caption, const QString &hint,
                    Icons::Command picture)
{
    auto *action = new QAction(Icons::forCommand(picture), caption, bar->parentWidget());
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    bar->addAction(action);
    if (QWidget *button = bar->widgetForAction(action))
        button->setObjectName(QStringLiteral("btn") + name);
    return action;
}
