#pragma once

#include "core/Shell.h"

#include <QList>
#include <QStringList>

/// A Shell for tests: records what would have been opened and answers as planned.
class RecordingShell final : public Shell
{
public:
    bool opens = true;
    QStringList files;
    QList<QUrl> urls;
    int quits = 0;
    /// What the mail opener answers.
    MailOutcome mailOutcome = MailOutcome::Opened;
    struct Mail
    {
        QString to;
        QString subject;
        QString attachment;
    };
    QList<Mail> mails;

    bool openFile(const QString &path) override
    {
        files << path;
        return opens;
    }
    bool openUrl(const QUrl &url) override
    {
        urls << url;
        return opens;
    }
    MailOutcome composeMail(const QString &to, const QString &subject, const QString &attachment) override
    {
        mails.append({to, subject, attachment});
        return mailOutcome;
    }
    void quit() override { ++quits; }
};
