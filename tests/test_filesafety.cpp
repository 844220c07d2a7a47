// The company file itself: its pages, its journal and a full disk under it. A company
// on the office server has no file, so this program runs on the file only.
#include "FullDisk.h"
#include "TestEnvironment.h"
#include "app/TfrmMain.h"
#include "company/CompanySettings.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/BackupRestore.h"
#include "data/DamageWatch.h"
#include "data/Database.h"
#include "data/LiveFileCheck.h"
#include "data/SchemaUpgrade.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "invoice/Totals.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <sqlite3.h>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

/// Overwrites the first page of \a table in the database at \a path, as a failing
/// disk would.
void damageTable(const QString &path, const QString &table)
{
    qint64 pageSize = 0;
    qint64 page = 0;
    {
        Database db(path, Database::OpenMode::ReadOnly);
        pageSize = db.queryInt(QStringLiteral("PRAGMA page_size"));
        Statement q = db.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = ?"));
        q.bind(1, table);
        q.step();
        page = q.int64At(0);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(pageSize * (page - 1)));
    file.write(QByteArray(int(pageSize), '\x7f'));
}

QString companyName(const QString &path)
{
    Database db(path, Database::OpenMode::ReadOnly);
    Statement q = db.prepare(QStringLiteral("SELECT strCompName FROM tblCompanyInfo"));
    q.step();
    return q.textAt(0);
}

void setCompanyName(Database &db, const QString &name)
{
    db.prepare(QStringLiteral("UPDATE tblCompanyInfo SET strCompName = ?")).bind(1, name).run();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QString folderShown(const QString &file)
{
    return QDir::toNativeSeparators(QFileInfo(file).absolutePath());
}

} // namespace

class TestFileSafety : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskOnSaveNamesTheDiskAndKeepsTheDocument()
    {
        TestSession session(Edition::Corvalo);
        session.start(QDate(2026, 12, 9));
        DocumentStore store(session.context);
        CurrentDocument &doc = session.context.document;
        doc.header.blnNewInvoice = true;
        store.pLoadInvoice();
        doc.header.strInvName = QStringLiteral("Invoice");
        doc.header.strInvDate = QDate(2026, 12, 9);
        doc.header.strCustFullName = QStringLiteral("Zoë \"Quote\" O'Brien");
        // Enough lines that the save needs pages the file does not have yet.
        for (int i = 0; i < 300; ++i)
            doc.lines.appendPriceLine({QStringLiteral("Ladder hire, day %1 — größer").arg(i), 1.5, 12.25, 3.0, true, false});
        Totals::pCalcTotals(doc, session.context.edition(), session.context.company, session.context.locale);
        const QString live = session.context.databasePath();
        const QByteArray before = fileHash(live);

        {
            const FullDisk full(QFileInfo(live).fileName());
            const bool saved = runReportingDbError(session.prompts, [&] { (void)store.pSaveInvoice(); });
            QVERIFY(!saved);
        }
        QCOMPARE(session.prompts.asked.last().kind, QStringLiteral("Error"));
        QCOMPARE(session.prompts.lastMessage(),
                 QStringLiteral("The disk that holds \"%1\" is full. Free some space on it and try again.")
                     .arg(folderShown(live)));
        QVERIFY2(session.prompts.errorDetails.last().contains(QStringLiteral("full")),
                 qPrintable(session.prompts.errorDetails.last()));
        QCOMPARE(fileHash(live), before);
        // Still unsaved, as typed: the same save goes through once there is room.
        QVERIFY(doc.header.blnNewInvoice);
        QCOMPARE(doc.lines.rowCount(), 300);
        QCOMPARE(store.pSaveInvoice(), 500);
    }

    void fullDiskOnBackupNamesTheBackupFolder()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString folder = session.folder.path() + QStringLiteral("/usb stick «B»");
        QVERIFY(QDir().mkpath(folder));
        session.prompts.choices = {folder};
        {
            const FullDisk full(QStringLiteral("«B»"));
            BackupRestore::pBackupData(session.context);
        }
        const QString message = session.prompts.lastMessage();
        QCOMPARE(session.prompts.asked.last().kind, QStringLiteral("Information"));
        QVERIFY2(message.startsWith(QStringLiteral("Error 13 : The disk that holds \"%1\" is full.")
                                        .arg(QDir::toNativeSeparators(folder))),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("\n\nDetails: database or disk is full")), qPrintable(message));
        QVERIFY(filesIn(folder).isEmpty()); // no half-written backup left behind
    }

    void fullDiskOnRestoreLeavesTheLiveFile()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        const QString offered = session.folder.path() + QStringLiteral("/offered/corvalo6.db");
        QVERIFY(QDir().mkpath(QFileInfo(offered).path()));
        QVERIFY(QFile::copy(live, offered));
        const QByteArray before = fileHash(live);
        session.prompts.choices = {offered};
        {
            // The safety copy is written beside the live file, on the same disk.
            const FullDisk full(QStringLiteral(".before-restore-"));
            QVERIFY(!CompanySettings::pRestoreCompanyData(session.context));
        }
        QVERIFY2(session.prompts.lastMessage().startsWith(
                     QStringLiteral("Error 13 : The disk that holds \"%1\" is full.").arg(folderShown(live))),
                 qPrintable(session.prompts.lastMessage()));
        QCOMPARE(fileHash(live), before);
        QVERIFY(BackupRestore::GetSafetyCopyPaths(session.context.edition()).isEmpty());
    }

    void damageIsReportedOnceForTheLiveFileOnly()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        const QString other = session.folder.path() + QStringLiteral("/other.db");
        QVERIFY(QFile::copy(live, other));
        damageTable(live, QStringLiteral("tblPrices"));
        damageTable(other, QStringLiteral("tblPrices"));

        DamageWatch::instance().watch(live);
        QSignalSpy found(&DamageWatch::instance(), &DamageWatch::damageFound);
        const auto readPrices = [](const QString &path) {
            Database db(path);
            (void)db.queryInt(QStringLiteral("SELECT COUNT(*) FROM tblPrices WHERE dbLbrPrc > 0"));
        };
        try {
            readPrices(other);
            QFAIL("a damaged table read without error");
        } catch (const DbError &error) {
            QVERIFY(error.isDamage());
        }
        QCOMPARE(found.count(), 0); // not the company database

        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                readPrices(live);
                QFAIL("a damaged table read without error");
            } catch (const DbError &error) {
                QVERIFY(error.isDamage());
                QCOMPARE(error.message(), QStringLiteral("The database file \"%1\" is damaged: part of what it holds "
                                                         "can no longer be read.")
                                              .arg(QDir::toNativeSeparators(live)));
                QVERIFY(!error.detail().isEmpty());
            }
        }
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.first().at(0).toString(), live);
        DamageWatch::instance().watch(QString());
    }

    void quickCheckFindsDamageOnItsOwnThread()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        QCOMPARE(LiveFileCheck::problems(live), QString());

        // A damaged index is not met by ordinary reads of the table; only the check sees it.
        damageTable(live, QStringLiteral("idxInvDataNumber"));
        QVERIFY(!LiveFileCheck::problems(live).isEmpty());

        DamageWatch::instance().watch(live);
        QSignalSpy found(&DamageWatch::instance(), &DamageWatch::damageFound);
        LiveFileCheck::startInBackground(live);
        // The thread may report before the test starts to wait: count, do not wait for a signal.
        QTRY_COMPARE_WITH_TIMEOUT(found.count(), 1, 10000);
        DamageWatch::instance().watch(QString());
    }

    void checkCutShortAtQuitReportsNothingAndTheNextOneRuns()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        {
            // Enough pages that the check cannot end before it is stopped.
            Database db(live);
            db.exec(QStringLiteral("CREATE TABLE tblBulk(b BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                                   "i + 1 FROM n WHERE i < 40000) INSERT INTO tblBulk SELECT randomblob(1000) FROM n"));
        }
        damageTable(live, QStringLiteral("idxInvDataNumber"));
        DamageWatch::instance().watch(live);
        QSignalSpy found(&DamageWatch::instance(), &DamageWatch::damageFound);

        // As the main window quits: asked first, waited for once the last writes are done.
        LiveFileCheck::startInBackground(live);
        LiveFileCheck::askToStop();
        LiveFileCheck::stop();
        QCoreApplication::processEvents();
        QCOMPARE(found.count(), 0); // an interrupted check is no finding

        // Stopping once does not stop the checks of later starts.
        LiveFileCheck::startInBackground(live);
        QTRY_COMPARE_WITH_TIMEOUT(found.count(), 1, 20000);
        LiveFileCheck::stop();
        DamageWatch::instance().watch(QString());
    }

    void damagedLiveFileIsOfferedTheNewestSafetyCopy()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        {
            Database db(live);
            setCompanyName(db, QStringLiteral("Before the damage"));
        }
        // Laid out as an upgrade keeps its copy: a dated folder beside the file.
        const QString upgradeCopy = QFileInfo(live).dir().filePath(QStringLiteral("before-upgrade-2026-12-01-101500/")
                                                                   + QFileInfo(live).fileName());
        QVERIFY(QDir().mkpath(QFileInfo(upgradeCopy).path()));
        BackupRestore::copyDatabaseFile(live, upgradeCopy);
        QCOMPARE(SchemaUpgrade::safetyCopyPaths(live), QStringList{upgradeCopy});
        damageTable(live, QStringLiteral("idxInvDataNumber"));

        session.prompts.answers = {Prompts::Yes};
        TfrmMain window(session.context);
        window.showAsPreferred();
        QTRY_VERIFY_WITH_TIMEOUT(!session.prompts.messages(QStringLiteral("YesNo")).isEmpty(), 10000);
        QTRY_COMPARE(session.prompts.lastMessage(), QStringLiteral("Restore of company database successful"));

        const QString question = session.prompts.messages(QStringLiteral("YesNo")).first();
        QVERIFY2(question.startsWith(QStringLiteral("The company database \"%1\" is damaged")
                                         .arg(QDir::toNativeSeparators(live))),
                 qPrintable(question));
        QVERIFY2(question.contains(QDir::toNativeSeparators(upgradeCopy)),
                 qPrintable(question));
        for (const ScriptedPrompts::Asked &asked : session.prompts.asked) {
            if (asked.kind == QLatin1String("YesNo"))
                QCOMPARE(asked.preferred, Prompts::No); // replacing the live file is not the default
        }
        QCOMPARE(LiveFileCheck::problems(live), QString());
        QCOMPARE(companyName(live), QStringLiteral("Before the damage"));
        // The damaged file itself is kept, as a restore keeps what it replaces.
        QCOMPARE(BackupRestore::GetSafetyCopyPaths(session.context.edition()).size(), 1);
        DamageWatch::instance().watch(QString());
    }

    void damagedLiveFileWithoutCopiesAsksForABackup()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        damageTable(live, QStringLiteral("idxInvDataNumber"));
        const QByteArray before = fileHash(live);

        session.prompts.answers = {Prompts::No};
        TfrmMain window(session.context);
        window.showAsPreferred();
        QTRY_VERIFY_WITH_TIMEOUT(!session.prompts.messages(QStringLiteral("YesNo")).isEmpty(), 10000);
        QVERIFY(session.prompts.lastMessage().contains(QStringLiteral("There is no safety copy of it. Restore it now "
                                                                      "from a backup?")));
        QCOMPARE(fileHash(live), before); // No leaves everything as it was
        DamageWatch::instance().watch(QString());
    }

    void restoreTakesAPendingLogAndLeavesBothFoldersAsTheyWere()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString live = session.context.databasePath();
        const QString folder = session.folder.path() + QStringLiteral("/backups");
        QVERIFY(QDir().mkpath(folder));
        const QString backup = folder + QStringLiteral("/corvalo6.db");
        BackupRestore::copyDatabaseFile(live, backup);
        {
            // A copy of the program that kept its file in write-ahead-log mode and stopped
            // before the log was taken into the file.
            Database db(backup);
            db.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
            db.exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0"));
            QCOMPARE(sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr), SQLITE_OK);
            setCompanyName(db, QStringLiteral("Only in the log «WAL»"));
        }
        QFile::remove(backup + QStringLiteral("-shm"));
        QVERIFY(QFileInfo::exists(backup + QStringLiteral("-wal")));
        const QStringList backupFiles = filesIn(folder);
        const QByteArray backupHash = fileHash(backup);
        const QByteArray logHash = fileHash(backup + QStringLiteral("-wal"));

        session.prompts.choices = {backup};
        QVERIFY(CompanySettings::pRestoreCompanyData(session.context));
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Restore of company database successful"));

        QCOMPARE(session.context.company.company.strCompName, QStringLiteral("Only in the log «WAL»"));
        QCOMPARE(filesIn(folder), backupFiles);
        QCOMPARE(fileHash(backup), backupHash);
        QCOMPARE(fileHash(backup + QStringLiteral("-wal")), logHash);
        {
            Database db(live);
            Statement mode = db.prepare(QStringLiteral("PRAGMA journal_mode"));
            QVERIFY(mode.step());
            QCOMPARE(mode.textAt(0), QStringLiteral("delete"));
        }
        QCOMPARE(companyName(live), QStringLiteral("Only in the log «WAL»"));
        QVERIFY(!QFileInfo::exists(live + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists(live + QStringLiteral("-shm")));
    }

    void aRefusedBackupIsNamedAsTheUserChoseIt()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QString backup = session.folder.path() + QStringLiteral("/from a newer PC/corvalo6.db");
        QVERIFY(QDir().mkpath(QFileInfo(backup).path()));
        BackupRestore::copyDatabaseFile(session.context.databasePath(), backup);
        {
            Database db(backup);
            db.exec(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = 99"));
        }
        const QByteArray before = fileHash(session.context.databasePath());
        session.prompts.choices = {backup};
        QVERIFY(!CompanySettings::pRestoreCompanyData(session.context));
        const QString message = session.prompts.lastMessage();
        QVERIFY2(message.contains(QStringLiteral("\"%1\" was made by").arg(QDir::toNativeSeparators(backup))),
                 qPrintable(message));
        // No other file named like it (the private copy the checks read) is mentioned.
        QCOMPARE(message.count(QStringLiteral("corvalo6.db")), message.count(QDir::toNativeSeparators(backup)));
        QCOMPARE(fileHash(session.context.databasePath()), before);
    }
};

QTEST_MAIN(TestFileSafety)
#include "test_filesafety.moc"
