#include "DamageWatch.h"

#include <QFileInfo>

namespace {

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

} // namespace

DamageWatch &DamageWatch::instance()
{
    static DamageWatch watch;
    return watch;
}

void DamageWatch::watch(const QString &liveDatabase)
{
    const QMutexLocker lock(&m_mutex);
    m_live = canonical(liveDatabase);
    m_reported = false;
}

void DamageWatch::noticeDamage(const QString &file, const QString &detail)
{
    {
        const QMutexLocker lock(&m_mutex);
        if (m_reported || m_live.isEmpty() || canonical(file) != m_live)
            return;
        m_reported = true;
    }
    emit damageFound(file, detail);
}
