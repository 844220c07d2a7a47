#include "LiveFileCheck.h"

#include "DamageWatch.h"
#include "Database.h"

#include <QMutex>
#include <QPointer>
#include <QScopeGuard>
#include <QStringList>
#include <QThread>

#include <sqlite3.h>

namespace LiveFileCheck {

namespace {

/// The background check's connection while it runs, for stop() to interrupt.
struct Running
{
    QMutex mutex;
    sqlite3 *handle = nullptr;
    bool stopping = false;
};

Running &running()
{
    static Running state;
    return state;
}

// Started and stopped on the main thread only.
QPointer<QThread> g_thread;

QString check(const QString &path, bool interruptible)
{
    try {
        Database db(path, Database::OpenMode::ReadOnly);
        if (interruptible) {
            QMutexLocker lock(&running().mutex);
            if (running().stopping)
                return {};
            running().handle = db.handle();
        }
        const auto forget = qScopeGuard([interruptible] {
            if (interruptible) {
                QMutexLocker lock(&running().mutex);
                running().handle = nullptr;
            }
        });
        Statement quickCheck = db.prepare(QStringLiteral("PRAGMA quick_check(5)"));
        QStringList found;
        while (quickCheck.step())
            found << quickCheck.textAt(0);
        return found == QStringList{QStringLiteral("ok")} ? QString() : found.join(QLatin1Char('\n'));
    } catch (const DbError &error) {
        // A busy file is checked another time, and a check cut short is no finding;
        // damage the engine itself reports is already with DamageWatch, but is
        // returned here too.
        return error.isDamage() ? error.detail() : QString();
    }
}

} // namespace

QString problems(const QString &path)
{
    return check(path, false);
}

void startInBackground(const QString &path)
{
    stop();
    {
        QMutexLocker lock(&running().mutex);
        running().stopping = false;
    }
    g_thread = QThread::create([path] {
        const QString found = check(path, true);
        if (!found.isEmpty())
            DamageWatch::instance().noticeDamage(path, found);
    });
    QObject::connect(g_thread, &QThread::finished, g_thread, &QObject::deleteLater);
    g_thread->start(QThread::LowPriority);
}

void askToStop()
{
    QMutexLocker lock(&running().mutex);
    running().stopping = true;
    if (running().handle)
        sqlite3_interrupt(running().handle);
}

void stop()
{
    if (!g_thread)
        return;
    // The interrupt only reaches a statement already running: repeat it until the
    // thread is gone, in case the check was between opening and stepping.
    do
        askToStop();
    while (g_thread && !g_thread->wait(10));
}

} // namespace LiveFileCheck
