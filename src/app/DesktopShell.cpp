#include "DesktopShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrlQuery>

bool DesktopShell::openFile(const QString &path)
{
    return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool DesktopShell::composeMail(const QString &to, const QString &subject, const QString &attachment)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (opener.isEmpty())
        return false;
    QStringList arguments = {QStringLiteral("--utf8"), QStringLiteral("--attach"), attachment,
                             QStringLiteral("--subject"), subject};
    if (!to.isEmpty())
        arguments << to;
    return QProcess::startDetached(opener, arguments);
#else
    // A mailto address cannot carry a file; the body tells the user which one to attach.
    QUrl url(QStringLiteral("mailto:") + to);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), subject);
    query.addQueryItem(QStringLiteral("body"), QStringLiteral("Please attach: ") + attachment);
    url.setQuery(query);
    return QDesktopServices::openUrl(url);
#endif
}

void DesktopShell::quit()
{
    QCoreApplication::quit();
}
