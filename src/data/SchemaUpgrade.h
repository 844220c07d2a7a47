#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class Database;
class Edition;

/// Brings a database made by an older version of the program up to the current
/// schema level, once, when it is first opened (and after an older backup is
/// restored). The level is kept in tblSchemaLevel, apart from PRAGMA user_version,
/// which stays the edition number the file check relies on.
namespace SchemaUpgrade {

/// What the steps need to know: whose file it is and the locale older texts were
/// most likely written in (the user's own).
struct UpgradeContext
{
    const Edition &edition;
    QLocale locale;
};

/// What an upgrade could not take over as it was meant to. Values that do not read
/// are kept as they were and named here, never dropped.
struct UpgradeReport
{
    int fromLevel = 0;
    int toLevel = 0;
    QString safetyCopyPath;
    QStringList unreadValues;

    [[nodiscard]] bool upgraded() const { return toLevel > fromLevel; }
    /// What the user is told, once, about unreadValues.
    [[nodiscard]] QString unreadNotice() const;
};

/// The level a file of this program is at when it is built or fully upgraded.
[[nodiscard]] int currentLevel();

/// The level stored in \a db; 0 for a file from before levels were kept.
[[nodiscard]] int schemaLevel(Database &db);

/// Runs the steps above the level in \a report on \a db inside the caller's
/// transaction and records the current level. A new file is built at level 0 and
/// brought up by the same steps, so new and upgraded files cannot differ.
void applyMissingSteps(Database &db, const UpgradeContext &context, UpgradeReport &report);

/// Upgrades the database at \a path when its level is below the current one: first a
/// safety copy of the file beside it, then every missing step in ONE transaction, so
/// the file is either wholly upgraded or left as it was. Throws DbError or FileError.
UpgradeReport pUpgradeDataBase(const QString &path, const UpgradeContext &context);

/// The safety copy made before upgrading a file from \a fromLevel.
[[nodiscard]] QString safetyCopyPath(const QString &databasePath, int fromLevel);

} // namespace SchemaUpgrade
