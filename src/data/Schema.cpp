#include "Schema.h"

#include "Database.h"
#include "OfficeServer.h"
#include "SavingIndicator.h"
#include "SchemaUpgrade.h"
#include "SeedData.h"
#include "ServerCopy.h"
#include "core/Edition.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace Schema {

void createTablesAndSeed(Database &db, const Edition &edition, QDate today, const QLocale &locale)
{
    for (const QString &sql : SeedData::createStatements(edition))
        db.exec(sql);
    SeedData::insertSeedRows(db, edition, today);
    SchemaUpgrade::UpgradeReport report;
    SchemaUpgrade::applyMissingSteps(db, {edition, locale}, report);
}

namespace {

// A company on the server starts as a new file would, copied over whole.
void buildOnServer(const QString &path, const Edition &edition, QDate today, const QLocale &locale,
                   SavingIndicator &saving)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("No temporary folder for building the database."));
    const QString file = folder.filePath(QFileInfo(path).fileName());
    pBuildDataBase(file, edition, today, locale, saving);
    Database server(path);
    ServerCopy::copyFileToServer(file, server);
}

} // namespace

bool databaseExists(const QString &path)
{
    if (!OfficeServer::serving(path))
        return QFileInfo::exists(path);
    Database server(path);
    return ServerCopy::holdsTables(server);
}

void pBuildDataBase(const QString &path, const Edition &edition, QDate today, const QLocale &locale,
                    SavingIndicator &saving)
{
    if (OfficeServer::serving(path)) {
        buildOnServer(path, edition, today, locale, saving);
        return;
    }
    saving.pShowSaving(QStringLiteral("Building DataBase..."));
    if (QFileInfo::exists(path)) {
        saving.pCloseSaving();
        return;
    }

    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    try {
        {
            Database db(building, Database::OpenMode::CreateFile);
            // Set before the first table exists; it cannot be changed afterwards without a VACUUM.
            db.exec(QStringLiteral("PRAGMA auto_vacuum = INCREMENTAL"));
            db.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
            Transaction tx(db);
            db.exec(QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
            db.exec(QStringLiteral("PRAGMA user_version = %1").arg(edition.GetEditionNumber()));
            createTablesAndSeed(db, edition, today, locale);
            tx.commit();
        }
        if (!QFile::rename(building, path))
            throw DbError(SQLITE_CANTOPEN, QStringLiteral("the finished file could not be moved into place"));
    } catch (const DbError &error) {
        QFile::remove(building);
        QFile::remove(building + QStringLiteral("-journal"));
        saving.pCloseSaving();
        throw DbError(error.code(),
                      QStringLiteral("Unable to build the database \"%1\": %2").arg(path, error.message()),
                      error.statement());
    }
    saving.pCloseSaving();
}

void verifyDatabaseFile(const QString &path, const Edition &edition)
{
    const QFileInfo info(path);
    if (!OfficeServer::serving(path) && info.size() == 0) {
        throw DbError(SQLITE_NOTADB, QStringLiteral("The database file \"%1\" is empty. Restore it from a backup, "
                                                    "or move it away so a new database is built.")
                                         .arg(path));
    }
    Database db(path);
    qint64 applicationId = 0;
    qint64 userVersion = 0;
    try {
        applicationId = db.queryInt(QStringLiteral("PRAGMA application_id"));
        userVersion = db.queryInt(QStringLiteral("PRAGMA user_version"));
    } catch (const DbError &error) {
        throw DbError(error.code(), QStringLiteral("\"%1\" is not a database of this program: %2")
                                        .arg(path, error.message()));
    }
    // Files from before application_id was set are recognised by their tables.
    const bool ours = applicationId == kApplicationId
        || (applicationId == 0 && db.tableExists(QStringLiteral("tblCompanyInvData")));
    if (!ours)
        throw DbError(SQLITE_NOTADB, QStringLiteral("\"%1\" is not a database of this program.").arg(path));
    if (applicationId == kApplicationId && userVersion != edition.GetEditionNumber()) {
        throw DbError(SQLITE_NOTADB, QStringLiteral("\"%1\" belongs to another edition of this program.").arg(path));
    }
}

} // namespace Schema
