#include "ChangeWatch.h"

#include "DbError.h"
#include "OfficeServer.h"
#include "PgConnection.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <sqlite3.h>

ChangeWatch::ChangeWatch(const QString &databasePath, QObject *parent)
    : QObject(parent)
    , m_path(databasePath)
    , m_timer(new QTimer(this))
{
    if (OfficeServer::serving(m_path)) {
        m_timer->setSingleShot(true);
        m_timer->setInterval(kRetryMs);
        connect(m_timer, &QTimer::timeout, this, &ChangeWatch::watchServer);
        watchServer();
    } else {
        m_timer->setInterval(kPollMs);
        connect(m_timer, &QTimer::timeout, this, &ChangeWatch::pollFile);
        pollFile();
        m_timer->start();
    }
}

ChangeWatch::~ChangeWatch()
{
    sqlite3_close_v2(m_file);
}

bool ChangeWatch::isWatching() const
{
    return m_server || m_fileVersion >= 0;
}

void ChangeWatch::watchServer()
{
    const std::optional<OfficeServer::Settings> settings = OfficeServer::serving(m_path);
    if (!settings)
        return;
    // Reaching a server that is down may take the client library's whole time-out;
    // the window does not wait for it.
    QPointer<ChangeWatch> watch(this);
    QThread *thread = QThread::create([settings = *settings, watch] {
        std::shared_ptr<PgConnection> server;
        try {
            server = std::make_shared<PgConnection>(settings, true);
            server->listenForChanges();
        } catch (const DbError &) {
            server.reset();
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [watch, server] {
            if (watch)
                watch->listening(server);
        });
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void ChangeWatch::listening(std::shared_ptr<PgConnection> server)
{
    if (!server) {
        m_timer->start();
        return;
    }
    const bool wasLost = m_lost;
    m_server = std::move(server);
    m_lost = false;
    m_serverNotifier = new QSocketNotifier(m_server->socketDescriptor(), QSocketNotifier::Read, this);
    connect(m_serverNotifier, &QSocketNotifier::activated, this, &ChangeWatch::readServer);
    // What happened while the connection was lost is not known, so the lists look again.
    if (wasLost)
        emit changedElsewhere();
    // A commit told while LISTEN itself was answered is read already, and the socket
    // will not say so.
    readServer();
}

void ChangeWatch::readServer()
{
    bool arrived = false;
    try {
        arrived = m_server->changesArrived();
    } catch (const DbError &) {
        m_serverNotifier->setEnabled(false);
        m_serverNotifier->deleteLater();
        m_serverNotifier = nullptr;
        m_server.reset();
        m_lost = true;
        watchServer();
    }
    if (arrived)
        emit changedElsewhere();
}

void ChangeWatch::pollFile()
{
    if (!m_file) {
        const QByteArray path = m_path.toUtf8();
        if (sqlite3_open_v2(path.constData(), &m_file, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(m_file);
            m_file = nullptr;
            return;
        }
    }
    // No busy wait: a file locked by a writer is looked at on the next tick.
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_file, "PRAGMA data_version", -1, &stmt, nullptr) != SQLITE_OK)
        return;
    const bool read = sqlite3_step(stmt) == SQLITE_ROW;
    const qint64 version = read ? sqlite3_column_int64(stmt, 0) : m_fileVersion;
    sqlite3_finalize(stmt);
    const bool changed = m_fileVersion >= 0 && version != m_fileVersion;
    m_fileVersion = version;
    if (changed)
        emit changedElsewhere();
}
