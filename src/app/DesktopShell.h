#pragma once

#include "core/Shell.h"

/// The real Shell: QDesktopServices and QCoreApplication.
class DesktopShell final : public Shell
{
public:
    bool openFile(const QString &path) override;
    bool openUrl(const QUrl &url) override;
    void quit() override;
};
