#include "TestEnvironment.h"

#include "core/Edition.h"
#include "app/StartUp.h"
#include "core/Paths.h"
#include "data/OfficeServer.h"
#include "data/PgConnection.h"
#include "data/ServerCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

TestDataFolder::TestDataFolder()
    : m_previous(qgetenv("XDG_DATA_HOME"))
    , m_previousTemp(qgetenv("TMPDIR"))
{
    qputenv("XDG_DATA_HOME", m_dir.path().toUtf8());
    QDir().mkpath(tempPath());
    qputenv("TMPDIR", tempPath().toUtf8());
}

TestDataFolder::~TestDataFolder()
{
    qputenv("XDG_DATA_HOME", m_previous);
    if (m_previousTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_previousTemp);
}

OfficeServer::Settings TestCompanyOnServer::suiteServer()
{
    OfficeServer::Settings settings;
    settings.host = qEnvironmentVariable("PGHOST");
    settings.port = qEnvironmentVariableIntValue("PGPORT");
    settings.user = qEnvironmentVariable("PGUSER");
    settings.database = qEnvironmentVariable("PGDATABASE");
    if (settings.host.isEmpty() || settings.database.isEmpty() || settings.port == 0)
        qFatal("TARNWICK_TEST_ENGINE=server needs PGHOST, PGPORT, PGUSER and PGDATABASE (scripts/with-server)");
    return settings;
}

bool TestCompanyOnServer::selected()
{
    return qgetenv("TARNWICK_TEST_ENGINE") == "server";
}

TestCompanyOnServer::TestCompanyOnServer(int edition)
{
    // The smallest edition keeps its few numbers in the file only.
    if (!selected() || edition == Edition::Lunvard)
        return;
    static int sessions = 0;
    m_path = Paths::GetDataBasePath(Edition::get(edition));
    m_schema = QStringLiteral("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++sessions);
    OfficeServer::Settings settings = suiteServer();
    PgConnection(settings, false).runPlain(QStringLiteral("CREATE SCHEMA %1").arg(m_schema));
    settings.schema = m_schema;
    OfficeServer::attach(m_path, settings);
}

TestCompanyOnServer::~TestCompanyOnServer()
{
    if (m_schema.isEmpty())
        return;
    OfficeServer::detach(m_path);
    try {
        PgConnection(suiteServer(), false).runPlain(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
    } catch (const DbError &) {
        // A schema left behind goes with the throwaway cluster.
    }
}

TestSession::TestSession(int edition)
    : onServer(edition)
    , context(Edition::get(edition), prompts, saving)
{
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    context.windows = &windows;
}

void TestSession::start(QDate today)
{
    StartUp::pStartUp(context, today);
}

SchemaUpgrade::UpgradeReport TestSession::upgrade(QDate today)
{
    const QString path = context.databasePath();
    const SchemaUpgrade::UpgradePlan plan =
        SchemaUpgrade::planUpgrade(path, context.locale, prompts, SchemaUpgrade::Occasion::StartUp, today);
    return SchemaUpgrade::pUpgradeDataBase(path, {context.edition(), context.locale}, plan);
}

void TestSession::placeCompany(const QString &file)
{
    const QString path = context.databasePath();
    if (OfficeServer::serving(path)) {
        Database server(path);
        ServerCopy::replaceServerFromFile(file, server);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    if (!QFile::copy(file, path))
        qFatal("the company file %s cannot be put in place", qPrintable(file));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}
