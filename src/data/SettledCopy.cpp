#include "SettledCopy.h"

#include "Database.h"
#include "FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

void copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.copy(to)) {
        throw FileError(QStringLiteral("Unable to copy \"%1\" to \"%2\": %3")
                            .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), source.errorString()));
    }
}

} // namespace

SettledCopy::SettledCopy(const QString &backup)
{
    if (!m_folder.isValid())
        throw FileError(QStringLiteral("No temporary folder to read the backup in: %1").arg(m_folder.errorString()));
    m_path = m_folder.filePath(QFileInfo(backup).fileName());
    copyFile(backup, m_path);
    if (QFileInfo::exists(backup + QStringLiteral("-wal")))
        copyFile(backup + QStringLiteral("-wal"), m_path + QStringLiteral("-wal"));
    try {
        Database settled(m_path);
        settled.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    } catch (const DbError &error) {
        // What is no sound database is refused by the restore's own checks, in words
        // that name the user's file; a full temporary folder is not.
        if (!error.isDamage() && (error.code() & 0xff) != SQLITE_NOTADB)
            throw;
    }
}
