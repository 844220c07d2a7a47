#include "OfficeServer.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QUrl>
#include <QUrlQuery>

namespace {

QMutex g_mutex;

QHash<QString, OfficeServer::Settings> &attached()
{
    static QHash<QString, OfficeServer::Settings> map;
    return map;
}

QString key(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

namespace OfficeServer {

QString Settings::shownName() const
{
    const QString where = host.isEmpty() ? QStringLiteral("localhost") : host;
    return QStringLiteral("%1@%2:%3/%4").arg(user, where).arg(port).arg(database);
}

std::optional<Settings> fromAddress(const QString &address, QString &error)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))) {
        error = QStringLiteral("\"%1\" is not a server address; write it as "
                               "postgresql://user@host:port/database.").arg(address);
        return std::nullopt;
    }
    // The client library lets each part stand in the query instead (a socket folder as host, for one).
    const QUrlQuery query(url);
    const auto part = [&query](const QString &inAddress, const char *name) {
        return inAddress.isEmpty() ? query.queryItemValue(QLatin1String(name), QUrl::FullyDecoded) : inAddress;
    };
    Settings settings;
    settings.host = part(url.host(), "host");
    settings.database = part(url.path().mid(1), "dbname");
    settings.user = part(url.userName(), "user");
    settings.password = part(url.password(), "password");
    settings.sslMode = query.queryItemValue(QStringLiteral("sslmode"), QUrl::FullyDecoded);
    bool portReads = true;
    const QString port = part(url.port() < 0 ? QString() : QString::number(url.port()), "port");
    if (!port.isEmpty())
        settings.port = port.toInt(&portReads);
    if (settings.database.isEmpty() || settings.database.contains(QLatin1Char('/')) || settings.user.isEmpty() ||
        !portReads || settings.port <= 0 || settings.port > 65535) {
        error = QStringLiteral("The server address \"%1\" needs a user and a database: "
                               "postgresql://user@host:port/database.").arg(address);
        return std::nullopt;
    }
    return settings;
}

void attach(const QString &databasePath, const Settings &settings)
{
    QMutexLocker lock(&g_mutex);
    attached().insert(key(databasePath), settings);
}

void detach(const QString &databasePath)
{
    QMutexLocker lock(&g_mutex);
    attached().remove(key(databasePath));
}

std::optional<Settings> serving(const QString &databasePath)
{
    QMutexLocker lock(&g_mutex);
    const auto found = attached().constFind(key(databasePath));
    if (found == attached().constEnd())
        return std::nullopt;
    return *found;
}

} // namespace OfficeServer
