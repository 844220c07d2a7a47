#include "TestEnvironment.h"

#include "core/Edition.h"
#include "app/StartUp.h"

#include <QDir>

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

TestSession::TestSession(int edition)
    : context(Edition::get(edition), prompts, saving)
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
