#pragma once

#include <QList>

class QAction;
class QMenu;
class QWidget;

/// Alt-letter mnemonics given by rule rather than by hand, so every command of a
/// window gets one and no two share a letter.
namespace Mnemonics {

/// The property that marks a button as the header of a collapsible panel.
inline constexpr char kPanelHeader[] = "panelHeader";

/// Marks a letter in the caption of every item of \a menu (and its submenus),
/// word starts first, keeping any letter already marked.
void markMenu(QMenu *menu);

/// Marks a letter in the caption of each panel header, command ("act..." action) and
/// push button of \a window,
/// avoiding the letters the captions and buttons of \a window already use, and
/// makes Alt with a command's letter trigger it from anywhere in the window (a
/// ribbon or tool bar button shows no underline of its own).
void giveCommands(QWidget *window);

/// Makes Alt with the letter marked in each of \a commands trigger it from anywhere in
/// \a window (a tool bar shows the letter its menu gave), except letters that the
/// titles of \a window's menu bar answer to.
void answerInWindow(QWidget *window, const QList<QAction *> &commands);

} // namespace Mnemonics
