#include "DesktopShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

bool DesktopShell::openFile(const QString &path)
{
    return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void DesktopShell::quit()
{
    QCoreApplication::quit();
}
