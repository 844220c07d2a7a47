#pragma once

#include <QCoreApplication>
#include <QWidget>

/// Lets the window take in what happened and paint, as the user would see it: the
/// end point of every window timing.
inline void paint(QWidget &window)
{
    QCoreApplication::processEvents();
    window.repaint();
}
