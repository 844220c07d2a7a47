#include "MailAttachments.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace MailAttachments {

namespace {

const QString kPrefix = QStringLiteral("tarnwick-mail-");

/// A folder this user made itself, not a link planted under the name.
bool isOwnFolder(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
#else
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
#endif
}

} // namespace

QString makeFolder(QString *error)
{
    // The name is made unguessable and the folder is created new with owner-only
    // rights; a name already taken, by a link or anything else, is never used.
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(kPrefix + QStringLiteral("XXXXXX")));
    if (!folder.isValid()) {
        if (error)
            *error = folder.errorString();
        return {};
    }
    folder.setAutoRemove(false);
    return folder.path();
}

int removeOldFolders(const QDateTime &now)
{
    const QDir temp(QDir::tempPath());
    int removed = 0;
    const QStringList names = temp.entryList({kPrefix + QLatin1Char('*')},
                                             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QString path = temp.filePath(name);
        if (!isOwnFolder(path))
            continue;
        const QDateTime made = QFileInfo(path).lastModified().toUTC();
        if (made.secsTo(now) <= kReadingSeconds)
            continue;
        // Removing the folder's own entries never follows a link inside it.
        if (QDir(path).removeRecursively())
            ++removed;
    }
    return removed;
}

} // namespace MailAttachments
