#include "ServerChoice.h"

#include "FileError.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace ServerChoice {

namespace {

QString choiceFile(const QString &databasePath)
{
    return QFileInfo(databasePath).dir().filePath(QStringLiteral("company-database.ini"));
}

} // namespace

Choice remembered(const QString &databasePath)
{
    const QSettings stored(choiceFile(databasePath), QSettings::IniFormat);
    Choice choice;
    choice.onServer = stored.value(QStringLiteral("Database/Where")).toString() == QLatin1String("server");
    choice.server.host = stored.value(QStringLiteral("Server/Host")).toString();
    choice.server.port = stored.value(QStringLiteral("Server/Port"), 5432).toInt();
    choice.server.database = stored.value(QStringLiteral("Server/Database")).toString();
    choice.server.user = stored.value(QStringLiteral("Server/User")).toString();
    choice.server.sslMode = stored.value(QStringLiteral("Server/SslMode")).toString();
    // A server without a database or user cannot be reached; the file stays in use.
    if (choice.server.database.isEmpty() || choice.server.user.isEmpty())
        choice.onServer = false;
    return choice;
}

void remember(const QString &databasePath, const Choice &choice)
{
    const QString path = choiceFile(databasePath);
    if (!QDir().mkpath(QFileInfo(path).path()))
        throw FileError(QStringLiteral("The folder \"%1\" cannot be made.").arg(QDir::toNativeSeparators(QFileInfo(path).path())));
    QSettings stored(path, QSettings::IniFormat);
    stored.setValue(QStringLiteral("Database/Where"), choice.onServer ? QStringLiteral("server") : QStringLiteral("file"));
    stored.setValue(QStringLiteral("Server/Host"), choice.server.host);
    stored.setValue(QStringLiteral("Server/Port"), choice.server.port);
    stored.setValue(QStringLiteral("Server/Database"), choice.server.database);
    stored.setValue(QStringLiteral("Server/User"), choice.server.user);
    stored.setValue(QStringLiteral("Server/SslMode"), choice.server.sslMode);
    stored.sync();
    if (stored.status() != QSettings::NoError)
        throw FileError(QStringLiteral("The choice of company database cannot be written to \"%1\".")
                            .arg(QDir::toNativeSeparators(path)));
}

} // namespace ServerChoice
