#pragma once

#include "widgets/Icons.h"

#include <QKeySequence>
#include <QList>
#include <functional>

class QAction;
class QToolBar;
class QWidget;

/// The commands of a document editor, in the order its tool bar shows them. Adding
/// a command is one add() line; its shortcut works wherever the focus is.
class EditorCommands
{
public:
    explicit EditorCommands(QWidget *owner);

    QAction *add(const char *name, const QString &caption, const QString &hint, Icons::Command icon,
                 std::function<void()> run, const QKeySequence &shortcut = {});
    /// A gap in the tool bar before the next command.
    void addSeparator();

    [[nodiscard]] QList<QAction *> actions() const;
    /// The editor's tool bar with the commands, separators included.
    [[nodiscard]] QToolBar *makeToolBar() const;

private:
    QWidget *m_owner;
    QList<QAction *> m_entries; // nullptr stands for a separator
};
