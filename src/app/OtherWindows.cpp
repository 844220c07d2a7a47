#include "OtherWindows.h"

#include <QApplication>
#include <QWidget>

namespace OtherWindows {

bool closeAllBut(const QWidget *main)
{
    // From the top of the modal chain down: each window closes over nothing of its
    // own, and a refusal leaves the windows beneath it as they were.
    for (QWidget *top = QApplication::activeModalWidget(); top && top != main;
         top = QApplication::activeModalWidget()) {
        if (!top->close())
            return false;
    }
    // What is left (a saving popup finishing its bar) has nothing to ask and goes
    // with the process.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != main && window->isVisible() && !window->isModal())
            window->close();
    }
    return true;
}

} // namespace OtherWindows
