#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

/// Where damage to the live company database is first noticed, by whoever finds it:
/// the engine on any operation, or the check run after start. The main window
/// listens and offers a restore; it is told once, not at every failing statement.
class DamageWatch final : public QObject
{
    Q_OBJECT
public:
    [[nodiscard]] static DamageWatch &instance();

    /// The live database to watch; damage noticed in any other file (a backup being
    /// checked, a safety copy) is not reported. Arms the report again.
    void watch(const QString &liveDatabase);

    /// Reports damage in \a file, with the engine's words; emits damageFound the
    /// first time for the watched file. Callable from any thread.
    void noticeDamage(const QString &file, const QString &detail);

signals:
    void damageFound(const QString &file, const QString &detail);

private:
    DamageWatch() = default;

    QMutex m_mutex;
    QString m_live;
    bool m_reported = false;
};
