#include "BackupRestore.h"

#include "Database.h"
#include "FileError.h"
#include "Schema.h"
#include "SeedData.h"
#include "DataContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "core/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <filesystem>
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
        throw DbError(sqlite3_extended_errcode(to.handle()), to.errorMessage());
    int rc = SQLITE_OK;
    for (int attempt = 1;; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        const int primary = rc & 0xff;
        if ((primary != SQLITE_BUSY && primary != SQLITE_LOCKED) || attempt >= Database::kBusyAttempts)
            break;
        QThread::msleep(10);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw DbError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
}

/// Runs \a work; a failure is shown as "Error <code> : <reason>" and gives false.
template<typename Work>
bool reportingFailure(Prompts &prompts, Work work)
{
    const auto report = [&](int code, const QString &message) {
        prompts.ShowInformation(QStringLiteral("Error %1 : %2").arg(code).arg(message));
        return false;
    };
    try {
        work();
        return true;
    } catch (const DbError &error) {
        return report(error.code(), error.message());
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

    Statement check = db.prepare(QStringLiteral("PRAGMA integrity_check"));
    check.step();
    if (check.textAt(0) != QLatin1String("ok"))
        throw DbError(SQLITE_CORRUPT, QStringLiteral("the file is damaged (%1).").arg(check.textAt(0)));

    // What the program reloads right after the restore must be readable.
    readsBack(db);
}

bool isSameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return fs::equivalent(fsPath(a), fsPath(b), error);
}

} // namespace

QString GetSafetyCopyPath(const Edition &edition)
{
    return Paths::GetDataBasePath(edition) + QStringLiteral(".before-restore");
}

void copyDatabaseFile(const QString &source, const QString &target)
{
    const QString partial = target + QStringLiteral(".partial");
    removeQuietly(partial);
    try {
        Database from(source, Database::OpenMode::ReadOnly);
        Database to(partial, Database::OpenMode::CreateFile);
        runBackup(from, to);
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

void verifyBackupFile(const QString &path, const Edition &edition, const ContentCheck &readsBack)
{
    const auto refuse = [&](int code, const QString &reason) {
        return DbError(code, QStringLiteral("\"%1\" cannot be restored: %2").arg(QDir::toNativeSeparators(path), reason));
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
        throw refuse(error.code(), error.message());
    }
}

void copyDatabaseInto(const QString &source, const QString &target)
{
    Database from(source, Database::OpenMode::ReadOnly);
    Database to(target, Database::OpenMode::CreateFile);
    runBackup(from, to);
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

    const QString live = context.databasePath();
    const bool restored = reportingFailure(prompts, [&] {
        verifyBackupFile(chosen, edition, readsBack);
        if (!isSameFile(chosen, live)) {
            if (QFileInfo::exists(live))
                copyDatabaseFile(live, GetSafetyCopyPath(edition));
            copyDatabaseInto(chosen, live);
        }
    });
    if (restored)
        prompts.showPlainMessage(QStringLiteral("Restore of company database successful"));
    return restored;
}

} // namespace BackupRestore
