#include "EditorCommands.h"

#include "widgets/FormFields.h"

#include <QAction>
#include <QToolBar>
#include <QWidget>

EditorCommands::EditorCommands(QWidget *owner)
    : m_owner(owner)
{
}

QAction *EditorCommands::add(const char *name, const QString &caption, const QString &hint, Icons::Command icon,
                             std::function<void()> run, const QKeySequence &shortcut)
{
    QAction *action =
        FormFields::action(m_owner, QString::fromLatin1(name), caption, hint, Icons::forCommand(icon));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    m_owner->addAction(action);
    QObject::connect(action, &QAction::triggered, m_owner, std::move(run));
    m_entries.append(action);
    return action;
}

void EditorCommands::addSeparator()
{
    m_entries.append(nullptr);
}

QList<QAction *> EditorCommands::actions() const
{
    QList<QAction *> result;
    for (QAction *action : m_entries) {
        if (action)
            result.append(action);
    }
    return result;
}

QToolBar *EditorCommands::makeToolBar() const
{
    auto *toolBar = new QToolBar(m_owner);
    toolBar->setObjectName(QStringLiteral("ToolBarInvoice"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (QAction *action : m_entries) {
        if (action)
            toolBar->addAction(action);
        else
            toolBar->addSeparator();
    }
    return toolBar;
}
