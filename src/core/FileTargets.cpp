#include "FileTargets.h"

#include "Prompts.h"

#include <QDir>
#include <QFileInfo>

namespace FileTargets {

QString withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + suffix;
}

bool mayReplace(Prompts &prompts, const QStringList &paths)
{
    QStringList existing;
    for (const QString &path : paths) {
        // A link counts too: writing would replace what it points at.
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            existing << shown(path);
    }
    if (existing.isEmpty())
        return true;
    const QString question = existing.size() == 1
        ? QStringLiteral("%1 already exists.\nReplace it?").arg(existing.first())
        : QStringLiteral("These files already exist:\n%1\nReplace them?").arg(existing.join(QLatin1Char('\n')));
    return prompts.ShowYesNo(question, Prompts::No) == Prompts::Yes;
}

QString shown(const QString &path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

} // namespace FileTargets
