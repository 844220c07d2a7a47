#pragma once

#include "core/Shell.h"

/// The real Shell: QDesktopServices, the desktop's mail opener and QCoreApplication.
class DesktopShell final : public Shell
{
public:
    bool openFile(const QString &path) override;
    bool openUrl(const QUrl &url) override;
    MailOutcome composeMail(const QString &to, const QString &subject, const QString &attachment) override;
    void quit() override;
};
