#pragma once

#include <QString>
#include <QTemporaryDir>

/// A backup as it is meant to be read, copied into a private folder first: the
/// engine takes a pending write-ahead log into it there, never writing beside the
/// user's backup, and it is left in the live file's rollback-journal mode. The copy
/// goes away with the object.
class SettledCopy
{
public:
    /// Throws FileError when the backup cannot be copied, DbError when the copy
    /// cannot be settled for a reason other than not being a sound database (which
    /// the restore's own checks report, naming the user's file).
    explicit SettledCopy(const QString &backup);

    [[nodiscard]] const QString &path() const { return m_path; }

private:
    QTemporaryDir m_folder;
    QString m_path;
};
