#pragma once

#include <QString>
#include <QStringList>

class AppContext;
class Edition;

/// Copying the company database to a folder the user picks, and back.
namespace BackupRestore {

/// Asks for a folder and copies the live database into it under its own file name,
/// replacing an older backup there. Reports the outcome through the prompts.
void pBackupData(AppContext &context);

/// Asks for a backup file named like the database, checks that it is a sound
/// database of this edition, keeps a dated safety copy of the live file (the last
/// kSafetyCopies of them), copies the backup into the live database and reloads the
/// company record. A refused or failed restore leaves the live database as it was.
void pRestoreData(AppContext &context);

/// How many safety copies of the live database restores keep.
inline constexpr int kSafetyCopies = 3;

/// The safety copies of the live database made just before restores, newest first.
[[nodiscard]] QStringList GetSafetyCopyPaths(const Edition &edition);

/// Copies the database at \a source into a new file at \a target, through a
/// temporary file beside \a target that is renamed into place when complete.
/// Throws DbError or FileError; \a target is untouched then.
void copyDatabaseFile(const QString &source, const QString &target);

/// Throws DbError saying why \a path is not a sound database of \a edition: not an
/// SQLite file, another program's or edition's file, a damaged file (the engine's
/// own words as details) or unreadable company settings.
void verifyBackupFile(const QString &path, const Edition &edition);

/// Replaces the content of the database at \a target with the database at \a source,
/// in one write transaction on \a target. Throws DbError; \a target is unchanged then.
void copyDatabaseInto(const QString &source, const QString &target);

} // namespace BackupRestore
