#include "DesktopShell.h"

#include "core/MailOpener.h"

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

Shell::MailOutcome DesktopShell::composeMail(const QString &to, const QString &subject, const QString &attachment)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (opener.isEmpty())
        return MailOutcome::NoMailProgram;
    // Kept until it ends: an opener that is still running when we stop waiting has
    // handed the message to a mail program that keeps it open.
    auto *process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments(MailOpener::arguments(to, subject, attachment));
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start();
    if (!process->waitForStarted()) {
        process->deleteLater();
        return MailOutcome::NoMailProgram;
    }
    constexpr int kOpenerMs = 10000;
    if (!process->waitForFinished(kOpenerMs))
        return MailOutcome::Opened;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0 ? MailOutcome::Opened
                                                                                        : MailOutcome::Failed;
#else
    // A mailto address cannot carry a file; the body tells the user which one to attach.
    QUrl url(MailOpener::mailtoAddress(to));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), subject);
    query.addQueryItem(QStringLiteral("body"), QStringLiteral("Please attach: ") + attachment);
    url.setQuery(query);
    return QDesktopServices::openUrl(url) ? MailOutcome::Opened : MailOutcome::Failed;
#endif
}

void DesktopShell::quit()
{
    QCoreApplication::quit();
}
