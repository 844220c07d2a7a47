#pragma once

#include "WritingForm.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

class Database;
class Edition;
class Prompts;

/// Brings a database made by an older version of the program up to the current
/// schema level, once, when it is first opened (and after an older backup is
/// restored). The level is kept in tblSchemaLevel, apart from PRAGMA user_version,
/// which stays the edition number the file check relies on.
namespace SchemaUpgrade {

/// What the steps need to know: whose file it is and how its old texts are read.
struct UpgradeContext
{
    const Edition &edition;
    /// The user's language, for a file without old texts.
    QLocale locale;
    /// The form the file's old texts were written in, decided for the whole file.
    std::optional<WritingForm> writingForm = std::nullopt;
    /// Dates later than a few years after this day were not meant.
    QDate today = QDate::currentDate();
};

/// What an upgrade did, and what it could not take over as it was meant to. Values
/// that do not read are kept as they were and named here, never dropped.
struct UpgradeReport
{
    int fromLevel = 0;
    int toLevel = 0;
    QString safetyCopyPath;
    QStringList unreadValues;
    /// Documents that shared a number with another and were given a new one.
    QStringList renumbered;

    [[nodiscard]] bool upgraded() const { return toLevel > fromLevel; }
    /// What the user is told, once, after the upgrade of an existing file: what was
    /// not taken over, where the copy of the file as it was is, and how to go back.
    [[nodiscard]] QString notice(const Edition &edition) const;
};

/// The level a file of this program is at when it is built or fully upgraded.
[[nodiscard]] int currentLevel();

/// The level stored in \a db; 0 for a file from before levels were kept.
[[nodiscard]] int schemaLevel(Database &db);

/// Throws DbError when \a db was made by a newer version of the program, whose
/// changes this one does not know and must not write over.
void checkNotNewer(Database &db);

/// Runs the steps above the level in \a report on \a db inside the caller's
/// transaction and records the current level and this program's version. A new file
/// is built at level 0 and brought up by the same steps, so new and upgraded files
/// cannot differ.
void applyMissingSteps(Database &db, const UpgradeContext &context, UpgradeReport &report);

/// Where the upgrade is asked for: the way out of a question differs.
enum class Occasion { StartUp, Restore };

/// What an upgrade will do, decided before anything is written.
struct UpgradePlan
{
    int fromLevel = 0;
    std::optional<WritingForm> writingForm;
    QDate today;
    /// The user chose to leave the file as it is.
    bool declined = false;

    [[nodiscard]] bool needed() const { return fromLevel < currentLevel(); }
};

/// Looks at the file at \a path without writing it. Refuses a newer file (DbError).
/// For a file holding old texts, decides the one form they are read by, asking
/// through \a prompts when the file alone cannot tell or when some texts read under
/// no form.
[[nodiscard]] UpgradePlan planUpgrade(const QString &path, const QLocale &locale, Prompts &prompts,
                                      Occasion occasion, QDate today);

/// Carries out \a plan: a dated safety copy of the file first, then, in ONE write
/// transaction that reads the level again (another copy of the program may have
/// upgraded it meanwhile), every missing step. Throws DbError or FileError; the file
/// is then as it was.
UpgradeReport pUpgradeDataBase(const QString &path, const UpgradeContext &context, const UpgradePlan &plan);

/// Plans and carries out the upgrade of the file at \a path on \a today, then tells
/// the user what was done. False when the user chose to leave the file as it is.
[[nodiscard]] bool pUpgradeAsking(const QString &path, const Edition &edition, const QLocale &locale,
                                  Prompts &prompts, Occasion occasion, QDate today);

/// How many safety copies upgrades keep beside the database.
inline constexpr int kSafetyCopies = 3;

/// The safety copies made before upgrades of the database at \a databasePath, newest
/// first. Each is a file named like the database, in a dated folder beside it, so it
/// can be restored as it is.
[[nodiscard]] QStringList safetyCopyPaths(const QString &databasePath);

} // namespace SchemaUpgrade
