#pragma once

class QMenu;
class QWidget;

/// Alt-letter mnemonics given by rule rather than by hand, so every command of a
/// window gets one and no two share a letter.
namespace Mnemonics {

/// Marks a letter in the caption of every item of \a menu (and its submenus),
/// word starts first, keeping any letter already marked.
void markMenu(QMenu *menu);

/// Marks a letter in the caption of each command ("act..." action) and push button of
/// \a window,
/// avoiding the letters the captions and buttons of \a window already use, and
/// makes Alt with a command's letter trigger it from anywhere in the window (a
/// ribbon or tool bar button shows no underline of its own).
void giveCommands(QWidget *window);

} // namespace Mnemonics
