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
    void quit() override { ++quits; }
};
