#pragma once

#include "ScriptedPrompts.h"
#include "app/WindowOpener.h"
#include "context/AppContext.h"
#include "data/OfficeServer.h"
#include "data/SavingIndicator.h"
#include "data/SchemaUpgrade.h"

#include <QDate>
#include <QTemporaryDir>
#include <memory>

/// A private data folder: points XDG_DATA_HOME at a fresh temporary folder for as
/// long as it lives, so no test sees another's database; the temporary folder
/// (TMPDIR, where mail attachments go) is a private one inside it.
class TestDataFolder
{
public:
    TestDataFolder();
    ~TestDataFolder();
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString tempPath() const { return m_dir.filePath(QStringLiteral("tmp")); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    QByteArray m_previousTemp;
};

/// When the suite runs against the office server (TARNWICK_TEST_ENGINE=server, with
/// the server named by PGHOST, PGPORT, PGUSER and PGDATABASE), the edition's company
/// lives in a schema of its own there for as long as this lives; otherwise in the file.
class TestCompanyOnServer
{
public:
    explicit TestCompanyOnServer(int edition);
    ~TestCompanyOnServer();
    TestCompanyOnServer(const TestCompanyOnServer &) = delete;
    TestCompanyOnServer &operator=(const TestCompanyOnServer &) = delete;

    /// Whether this run keeps companies on the server.
    [[nodiscard]] static bool selected();
    /// The suite's server as the environment names it, reached without a password.
    [[nodiscard]] static OfficeServer::Settings suiteServer();

private:
    QString m_path;
    QString m_schema;
};

/// A started program for one edition: its own data folder, scripted prompts, no
/// saving popup, en_US locale unless the test sets another before start().
class TestSession
{
public:
    explicit TestSession(int edition);

    /// Runs start-up (builds the database on first use).
    void start(QDate today = QDate::currentDate());

    [[nodiscard]] std::unique_ptr<Database> db() const { return context.openDatabase(); }
    /// Puts the company file \a file in place of the company before start(): the
    /// file itself, or on the office server its restore there.
    void placeCompany(const QString &file);
    /// Upgrades the database as start-up would, questions going to the scripted prompts.
    SchemaUpgrade::UpgradeReport upgrade(QDate today = QDate::currentDate());

    TestDataFolder folder;
    TestCompanyOnServer onServer;
    ScriptedPrompts prompts;
    NoSavingIndicator saving;
    AppContext context;
    AppWindows windows{context};
};
