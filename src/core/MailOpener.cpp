#include "MailOpener.h"

#include <QFileInfo>
#include <QUrl>

namespace MailOpener {

QString mailtoAddress(const QString &addresses)
{
    QStringList parts;
    for (const QString &address : addresses.split(QLatin1Char(',')))
        parts << QString::fromLatin1(QUrl::toPercentEncoding(address.trimmed(), "@"));
    return QStringLiteral("mailto:") + parts.join(QLatin1Char(','));
}

QStringList arguments(const QString &to, const QString &subject, const QString &attachment)
{
    QStringList result = {QStringLiteral("--utf8"), QStringLiteral("--subject"), subject, QStringLiteral("--attach"),
                          QFileInfo(attachment).absoluteFilePath()};
    if (!to.trimmed().isEmpty())
        result << mailtoAddress(to);
    return result;
}

} // namespace MailOpener
