#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Database;
class DataContext;
class Edition;

/// Copying the company database to a folder the user picks, and back.
namespace BackupRestore {

/// Asks for a folder and copies the live database into it under its own file name,
/// replacing an older backup there. Reports the outcome through the prompts.
void pBackupData(const DataContext &context);

/// Reads from a database what the program holds in memory; throws DbError when it
/// cannot.
using ContentCheck = std::function<void(Database &)>;

/// Asks for a backup file named like the database, checks that it is a sound
/// database of this edition whose content \a readsBack can read, keeps a dated safety
/// copy of the live file (the last kSafetyCopies of them) and copies the backup into
/// the live database, upgrading it when it comes from an older version. True when the
/// live database was replaced: the caller reloads what it holds from it. A refused or
/// failed restore leaves the live database as it was.
[[nodiscard]] bool pRestoreData(const DataContext &context, const ContentCheck &readsBack);
/// pRestoreData from the file \a chosen, which is not asked for (a safety copy
/// offered for a damaged live file). A backup's pending write-ahead log is read
/// with it; nothing is written beside \a chosen.
[[nodiscard]] bool pRestoreDataFrom(const DataContext &context, const QString &chosen, const ContentCheck &readsBack);

/// How many safety copies of the live database restores keep.
inline constexpr int kSafetyCopies = 3;

/// The safety copies of the live database made just before restores, newest first.
[[nodiscard]] QStringList GetSafetyCopyPaths(const Edition &edition);
/// The newest copy of the live database kept by a restore or an upgrade; empty when
/// there is none.
[[nodiscard]] QString newestSafetyCopy(const Edition &edition);

/// Copies the database at \a source into a new file at \a target, through a
/// temporary file beside \a target that is renamed into place when complete.
/// Throws DbError or FileError; \a target is untouched then.
void copyDatabaseFile(const QString &source, const QString &target);
/// The same for the company \a server is connected to on the office server, inside
/// the transaction it holds, if any.
void copyServerCompany(Database &server, const QString &target);

/// Throws DbError saying why \a path is not a sound database of \a edition: not an
/// SQLite file, another program's or edition's file, a damaged file (the engine's
/// own words as details) or content that \a readsBack cannot read.
/// Messages name \a shownAs instead of \a path when given (a private copy is checked).
void verifyBackupFile(const QString &path, const Edition &edition, const ContentCheck &readsBack,
                      const QString &shownAs = {});

/// Replaces the content of the database at \a target with the database at \a source,
/// in one write transaction on \a target. Throws DbError; \a target is unchanged then.
void copyDatabaseInto(const QString &source, const QString &target);

} // namespace BackupRestore
