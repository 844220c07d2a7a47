#include "Paths.h"

#include "Edition.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString machineDataFolder()
{
#if defined(Q_OS_WIN)
    // The machine-wide application data folder, shared by every user.
    return QDir::fromNativeSeparators(qEnvironmentVariable("ProgramData"));
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

} // namespace

QString Paths::GetDataFolder()
{
#ifdef TARNWICK_TEMP_DATA_FOLDER
    return QStringLiteral("TEMP DATA FILE");
#else
    return machineDataFolder() + QLatin1Char('/') + Product::GetCompanyName();
#endif
}

QString Paths::GetCompanyFolderName(const Edition &edition)
{
    return QString(edition.GetEditionName()).remove(QLatin1Char(' ')).toLower() + QString::number(Product::kVersion[0]);
}

QString Paths::GetCompanyFolder(const Edition &edition)
{
    return GetDataFolder() + QLatin1Char('/') + GetCompanyFolderName(edition);
}

QString Paths::GetDataBaseName(const Edition &edition)
{
    return GetCompanyFolderName(edition) + QStringLiteral(".db");
}

QString Paths::GetDataBasePath(const Edition &edition)
{
    return GetCompanyFolder(edition) + QLatin1Char('/') + GetDataBaseName(edition);
}

QString Paths::GetLogoPath(const Edition &edition)
{
    return GetCompanyFolder(edition) + QStringLiteral("/CmpLogo.jpg");
}

QString Paths::GetHelpFilePath(const Edition &edition)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + edition.helpFileName();
}
