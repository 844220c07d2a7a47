#include "BackupRestore.h"

#include "Database.h"
#include "FileError.h"
#include "OfficeServer.h"
#include "Schema.h"
#include "ServerCopy.h"
#include "SchemaUpgrade.h"
#include "SeedData.h"
#include "SettledCopy.h"
#include "DataContext.h"
#include "core/Edition.h"
#include "core/FileTargets.h"
#include "core/Paths.h"
#include "core/Prompts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <tuple>
#include <vector>
#include <sqlite3.h>

namespace BackupRestore {

namespace {

namespace fs = std::filesystem;

fs::path fsPath(const QString &path)
{
    return fs::path(path.toStdU16String());
}

void removeQuietly(const QString &path)
{
    std::error_code ignored;
    fs::remove(fsPath(path), ignored);
}

/// Copies every page of \a from into \a to with the engine's online backup, which
/// writes \a to in one transaction: it lands whole or not at all.
void runBackup(Database &from, Database &to)
{
    sqlite3_backup *backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup)
        throw DbError::fromEngine(sqlite3_extended_errcode(to.handle()), to.errorMessage(), {}, to.path());
    // The source's locks are not covered by the destination's busy handler, so the
    // same policy waits for them here.
    BusyWait wait;
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(backup, -1);
    } while (((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) && wait.pause());
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        // Only the copy being written can run out of room; anything else is the source's.
        const bool written = (rc & 0xff) == SQLITE_FULL || (rc & 0xff) == SQLITE_IOERR;
        throw DbError::fromEngine(rc, QString::fromUtf8(sqlite3_errstr(rc)), {}, written ? to.path() : from.path());
    }
}

/// Runs \a work; a failure is shown as "Error <code> : <reason>", the engine's own words
/// after it as details when the reason is told in plainer ones, and gives false.
template<typename Work>
bool reportingFailure(Prompts &prompts, Work work)
{
    const auto report = [&](int code, const QString &message, const QString &detail = {}) {
        const QString details = detail.isEmpty() ? QString() : QStringLiteral("\n\nDetails: ") + detail;
        prompts.ShowInformation(QStringLiteral("Error %1 : %2").arg(code).arg(message) + details);
        return false;
    };
    try {
        work();
        return true;
    } catch (const DbError &error) {
        return report(error.code(), error.message(), error.detail());
    } catch (const FileError &error) {
        return report(error.code(), error.message());
    }
}

/// Table name -> column names, as this edition creates them.
QMap<QString, QStringList> expectedTables(const Edition &edition)
{
    static const QRegularExpression create(QStringLiteral("^CREATE TABLE (\\w+)\\((.*)\\)$"));
    QMap<QString, QStringList> tables;
    for (const QString &sql : SeedData::createStatements(edition)) {
        const QRegularExpressionMatch match = create.match(sql);
        if (!match.hasMatch())
            continue;
        QStringList columns;
        for (const QString &definition : match.captured(2).split(QLatin1Char(',')))
            columns << definition.section(QLatin1Char(' '), 0, 0);
        tables.insert(match.captured(1), columns);
    }
    return tables;
}

/// The first expected table or column the file lacks, or empty text.
QString missingSchemaPart(Database &db, const Edition &edition)
{
    Statement q = db.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    const QMap<QString, QStringList> tables = expectedTables(edition);
    for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
        q.reset();
        q.bind(1, table.key());
        QStringList present;
        while (q.step())
            present << q.textAt(0);
        if (present.isEmpty())
            return QStringLiteral("the table %1").arg(table.key());
        for (const QString &column : table.value()) {
            if (!present.contains(column, Qt::CaseInsensitive))
                return QStringLiteral("the column %1 of %2").arg(column, table.key());
        }
    }
    return {};
}

void checkOpenedBackup(Database &db, const Edition &edition, const ContentCheck &readsBack)
{
    const qint64 applicationId = db.queryInt(QStringLiteral("PRAGMA application_id"));
    const qint64 userVersion = db.queryInt(QStringLiteral("PRAGMA user_version"));
    // Files made before application_id was set carry 0 and are recognised by their tables.
    if (applicationId != 0 && applicationId != Schema::kApplicationId)
        throw DbError(SQLITE_NOTADB, QStringLiteral("it is not a database of this program."));
    if (applicationId == Schema::kApplicationId && userVersion != edition.GetEditionNumber())
        throw DbError(SQLITE_NOTADB, QStringLiteral("it belongs to another edition of this program."));
    const QString missing = missingSchemaPart(db, edition);
    if (!missing.isEmpty()) {
        throw DbError(SQLITE_NOTADB,
                      QStringLiteral("it is not a %1 company database (%2 is missing).")
                          .arg(edition.GetEditionName(), missing));
    }

    Statement check = db.prepare(QStringLiteral("PRAGMA integrity_check(5)"));
    QStringList problems;
    while (check.step())
        problems << check.textAt(0);
    if (problems != QStringList{QStringLiteral("ok")})
        throw DbError(SQLITE_CORRUPT, problems.join(QLatin1Char('\n')));

    // A newer version's file would be written over by this one's older rules.
    SchemaUpgrade::checkNotNewer(db);
    // What the program reloads right after the restore must be readable.
    readsBack(db);
}

/// Copies the live database aside under the time it was made, then lets go of all
/// but the newest kSafetyCopies copies.
void keepSafetyCopy(const Edition &edition, const QString &live)
{
    const QString base = Paths::GetDataBasePath(edition) + QStringLiteral(".before-restore-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString path = base;
    for (int sequence = 2; QFileInfo::exists(path); ++sequence)
        path = base + QStringLiteral("-%1").arg(sequence);
    copyDatabaseFile(live, path);
    const QStringList copies = GetSafetyCopyPaths(edition);
    for (qsizetype i = kSafetyCopies; i < copies.size(); ++i)
        removeQuietly(copies.at(i));
}

bool isSameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return fs::equivalent(fsPath(a), fsPath(b), error);
}

} // namespace

QString newestSafetyCopy(const Edition &edition)
{
    const QFileInfo live(Paths::GetDataBasePath(edition));
    QFileInfoList copies;
    for (const QString &path : SchemaUpgrade::safetyCopyPaths(live.filePath()) + GetSafetyCopyPaths(edition))
        copies << QFileInfo(path);
    QString newest;
    QDateTime newestTime;
    for (const QFileInfo &copy : copies) {
        if (newest.isEmpty() || copy.lastModified() > newestTime) {
            newest = copy.absoluteFilePath();
            newestTime = copy.lastModified();
        }
    }
    return newest;
}

QStringList GetSafetyCopyPaths(const Edition &edition)
{
    const QFileInfo live(Paths::GetDataBasePath(edition));
    struct Copy
    {
        QString stamp;
        int sequence;
        QString path;
    };
    std::vector<Copy> copies;
    const QRegularExpression dated(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(live.fileName())
        + QStringLiteral("\\.before-restore-(\\d{4}-\\d\\d-\\d\\d-\\d{6})(?:-(\\d+))?")));
    const QStringList candidates = live.dir().entryList({live.fileName() + QStringLiteral(".before-restore-*")}, QDir::Files);
    for (const QString &name : candidates) {
        const QRegularExpressionMatch match = dated.match(name);
        if (match.hasMatch())
            copies.push_back({match.captured(1), match.captured(2).toInt(), live.dir().filePath(name)});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) {
        return std::tie(b.stamp, b.sequence) < std::tie(a.stamp, a.sequence);
    });
    QStringList paths;
    for (const Copy &copy : copies)
        paths << copy.path;
    return paths;
}

namespace {

/// Runs \a write on a new file beside \a target and renames it into place when complete.
template<typename Write>
void writeThenRename(const QString &target, Write write)
{
    const QString partial = target + QStringLiteral(".partial");
    removeQuietly(partial);
    try {
        Database to(partial, Database::OpenMode::CreateFile);
        write(to);
    } catch (const DbError &) {
        removeQuietly(partial);
        removeQuietly(partial + QStringLiteral("-journal"));
        throw;
    }
    std::error_code error;
    fs::rename(fsPath(partial), fsPath(target), error);
    if (error) {
        removeQuietly(partial);
        throw FileError(QStringLiteral("Unable to write \"%1\": %2")
                            .arg(QDir::toNativeSeparators(target), QString::fromStdString(error.message())),
                        error.value());
    }
}

} // namespace

void copyDatabaseFile(const QString &source, const QString &target)
{
    if (OfficeServer::serving(source)) {
        Database from(source);
        copyServerCompany(from, target);
        return;
    }
    Database from(source, Database::OpenMode::ReadOnly);
    writeThenRename(target, [&](Database &to) { runBackup(from, to); });
}

void copyServerCompany(Database &server, const QString &target)
{
    writeThenRename(target, [&](Database &to) { ServerCopy::copyServerToFile(server, to); });
}

void verifyBackupFile(const QString &path, const Edition &edition, const ContentCheck &readsBack,
                      const QString &shownAs)
{
    const QString shown = shownAs.isEmpty() ? path : shownAs;
    const auto refuse = [&](int code, const QString &reason) {
        return DbError(code, QStringLiteral("\"%1\" cannot be restored: %2").arg(QDir::toNativeSeparators(shown), reason));
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw refuse(SQLITE_CANTOPEN, file.errorString());
    static const QByteArray header("SQLite format 3\0", 16);
    if (file.read(header.size()) != header)
        throw refuse(SQLITE_NOTADB, QStringLiteral("it is not a database file."));
    file.close();

    try {
        Database db(path, Database::OpenMode::ReadOnly);
        checkOpenedBackup(db, edition, readsBack);
    } catch (const DbError &error) {
        if (!error.isDamage()) {
            // A reason that names the file checked names the user's file, not a private copy of it.
            QString reason = error.message();
            reason.replace(QDir::toNativeSeparators(path), QDir::toNativeSeparators(shown));
            throw refuse(error.code(), reason);
        }
        // The engine's words mean little to the user; they come second, for whoever helps.
        const QString engineWords = error.detail().isEmpty() ? error.message() : error.detail();
        throw refuse(error.code(), QStringLiteral("the file is damaged.\n\nDetails: ") + engineWords);
    }
}

void copyDatabaseInto(const QString &source, const QString &target)
{
    if (OfficeServer::serving(target)) {
        Database server(target);
        ServerCopy::replaceServerFromFile(source, server);
        return;
    }
    Database from(source, Database::OpenMode::ReadOnly);
    Database to(target, Database::OpenMode::CreateFile);
    runBackup(from, to);
    // The copied header carries the source's journal mode; the live file keeps its own.
    to.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
}

void pBackupData(const DataContext &context)
{
    Prompts &prompts = context.prompts();
    const QString folder = prompts.chooseFolder(QStringLiteral("Backup Company Database"), QDir::homePath());
    if (folder.isEmpty()) {
        prompts.showPlainMessage(QStringLiteral("Backup of company database cancelled"));
        return;
    }
    const QString target = QDir(folder).filePath(Paths::GetDataBaseName(context.edition()));
    if (!FileTargets::mayReplace(prompts, {target})) {
        prompts.showPlainMessage(QStringLiteral("Backup of company database cancelled"));
        return;
    }
    if (reportingFailure(prompts, [&] { copyDatabaseFile(context.databasePath(), target); }))
        prompts.ShowInformation(QStringLiteral("Backup of company database successful"));
}

bool pRestoreData(const DataContext &context, const ContentCheck &readsBack)
{
    Prompts &prompts = context.prompts();
    const Edition &edition = context.edition();
    const QString name = Paths::GetDataBaseName(edition);
    const QString chosen = prompts.chooseOpenFile(QStringLiteral("Restore Company Database\nDatabase File Name: ") + name,
                                                  QDir::homePath(),
                                                  QStringLiteral("Company Database (%1);;All Files (*)").arg(name));
    if (chosen.isEmpty()) {
        prompts.showPlainMessage(QStringLiteral("Restore of company database cancelled"));
        return false;
    }
    if (QFileInfo(chosen).fileName() != name) {
        prompts.showPlainMessage(QStringLiteral("Database File \"%1\" not found\nRestore of company database cancelled")
                                     .arg(name));
        return false;
    }
    return pRestoreDataFrom(context, chosen, readsBack);
}

bool pRestoreDataFrom(const DataContext &context, const QString &chosen, const ContentCheck &readsBack)
{
    Prompts &prompts = context.prompts();
    const Edition &edition = context.edition();
    const QString live = context.databasePath();
    bool declined = false;
    const bool restored = reportingFailure(prompts, [&] {
        const SettledCopy backup(chosen);
        verifyBackupFile(backup.path(), edition, readsBack, chosen);
        // A backup made by an older version is brought up to date at once, as at
        // start-up; what that asks is asked before the live file is touched.
        const SchemaUpgrade::UpgradePlan plan = SchemaUpgrade::planUpgrade(
            backup.path(), context.locale, prompts, SchemaUpgrade::Occasion::Restore, QDate::currentDate());
        if ((declined = plan.declined))
            return;
        if (!isSameFile(chosen, live)) {
            if (OfficeServer::serving(live) || QFileInfo::exists(live))
                keepSafetyCopy(edition, live);
            copyDatabaseInto(backup.path(), live);
        }
        const SchemaUpgrade::UpgradeReport upgrade = SchemaUpgrade::pUpgradeDataBase(live, {edition, context.locale}, plan);
        if (upgrade.upgraded())
            prompts.ShowInformation(upgrade.notice(edition));
    });
    if (declined) {
        prompts.showPlainMessage(QStringLiteral("Restore of company database cancelled"));
        return false;
    }
    if (restored)
        prompts.showPlainMessage(QStringLiteral("Restore of company database successful"));
    return restored;
}

} // namespace BackupRestore
