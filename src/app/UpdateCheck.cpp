#include "UpdateCheck.h"

#include "core/Edition.h"
#include "core/Paths.h"

#include <QDir>

namespace UpdateCheck {

namespace {

QUrl &base()
{
    static QUrl url(QStringLiteral("https://updates.tarnwick-software.example/docs/"));
    return url;
}

} // namespace

Verdict compare(const QByteArray &answer)
{
    const QByteArray digits = answer.trimmed();
    if (digits.size() != 4)
        return Verdict::Unreadable;
    for (int i = 0; i < 4; ++i) {
        const char c = digits.at(i);
        if (c < '0' || c > '9')
            return Verdict::Unreadable;
        const int server = c - '0';
        if (server != Product::kVersion[i])
            return server > Product::kVersion[i] ? Verdict::Newer : Verdict::NotNewer;
    }
    return Verdict::NotNewer;
}

QString updateName(const Edition &edition)
{
    return Paths::GetCompanyFolderName(edition);
}

QUrl serverBase()
{
    return base();
}

void setServerBaseForTests(const QUrl &url)
{
    base() = url;
}

QUrl versionUrl(const Edition &edition)
{
    return base().resolved(QUrl(updateName(edition) + QStringLiteral(".txt")));
}

QUrl installerUrl(const Edition &edition)
{
    return base().resolved(QUrl(updateName(edition) + QStringLiteral(".exe")));
}

QString installerPath(const Edition &edition)
{
    return QDir::tempPath() + QLatin1Char('/') + updateName(edition) + QStringLiteral(".exe");
}

} // namespace UpdateCheck
