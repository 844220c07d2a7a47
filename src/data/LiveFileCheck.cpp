#include "LiveFileCheck.h"

#include "DamageWatch.h"
#include "Database.h"

#include <QStringList>
#include <QThread>

namespace LiveFileCheck {

QString problems(const QString &path)
{
    try {
        Database db(path, Database::OpenMode::ReadOnly);
        Statement check = db.prepare(QStringLiteral("PRAGMA quick_check(5)"));
        QStringList found;
        while (check.step())
            found << check.textAt(0);
        return found == QStringList{QStringLiteral("ok")} ? QString() : found.join(QLatin1Char('\n'));
    } catch (const DbError &error) {
        // A busy file is checked another time; damage the engine itself reports is
        // already with DamageWatch, but is returned here too.
        return error.isDamage() ? error.detail() : QString();
    }
}

void startInBackground(const QString &path)
{
    QThread *thread = QThread::create([path] {
        const QString found = problems(path);
        if (!found.isEmpty())
            DamageWatch::instance().noticeDamage(path, found);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

} // namespace LiveFileCheck
