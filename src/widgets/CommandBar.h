#pragma once

#include "Icons.h"

#include <QString>

class QAction;
class QToolBar;
class QWidget;

/// The tool bar of a secondary window: large buttons, each caption under its picture.
[[nodiscard]] QToolBar *makeCommandBar(QWidget *window, const QString &objectName);

/// Adds the command \a name ("actSave") with its caption, hint and picture to \a bar.
QAction *addCommand(QToolBar *bar, const QString &name, const QString &caption, const QString &hint,
                    Icons::Command picture);
