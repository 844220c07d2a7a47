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
    const QString path = url.path().mid(1);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))) {
        error = QStringLiteral("\"%1\" is not a server address; write it as "
                               "postgresql://user@host:port/database.").arg(address);
        return std::nullopt;
    }
    if (path.isEmpty() || path.contains(QLatin1Char('/')) || url.userName().isEmpty()) {
        error = QStringLiteral("The server address \"%1\" needs a user and a database: "
                               "postgresql://user@host:port/database.").arg(address);
        return std::nullopt;
    }
    Settings settings;
    const QUrlQuery query(url);
    // A server on this computer's socket folder is named in the query, as the client library allows.
    settings.host = url.host().isEmpty() ? query.queryItemValue(QStringLiteral("host")) : url.host();
    settings.port = url.port(5432);
    settings.database = path;
    settings.user = url.userName();
    settings.password = url.password();
    settings.sslMode = query.queryItemValue(QStringLiteral("sslmode"));
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
