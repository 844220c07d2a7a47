#pragma once

class QWidget;

namespace OtherWindows {

/// Closes every window of the program but \a main, the topmost modal window first,
/// each as its own close would (an editor with unsaved changes asks). Returns false,
/// and leaves the rest open, when one of them stays open (the user chose Cancel).
[[nodiscard]] bool closeAllBut(const QWidget *main);

} // namespace OtherWindows
