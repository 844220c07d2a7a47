#pragma once

#include <QString>
#include <sqlite3.h>

namespace FullDiskDetail {

/// Files whose path contains this text cannot grow: every connection the program
/// opens to them is limited to the pages they hold, as on a full disk.
inline QString g_fullWhere;

inline int limitGrowth(sqlite3 *db, const char **, const void *)
{
    const char *file = sqlite3_db_filename(db, "main");
    if (g_fullWhere.isEmpty() || !file || !QString::fromUtf8(file).contains(g_fullWhere))
        return SQLITE_OK;
    // The pragma never sets the limit below what the file already holds.
    sqlite3_exec(db, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);
    return SQLITE_OK;
}

} // namespace FullDiskDetail

/// A full disk wherever \a where is in the path, for as long as it lives.
struct FullDisk
{
    explicit FullDisk(const QString &where)
    {
        FullDiskDetail::g_fullWhere = where;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&FullDiskDetail::limitGrowth));
    }
    ~FullDisk()
    {
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&FullDiskDetail::limitGrowth));
        FullDiskDetail::g_fullWhere.clear();
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;
};
