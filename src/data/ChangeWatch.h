#pragma once

#include <QObject>
#include <QString>
#include <memory>

class PgConnection;
class QSocketNotifier;
class QTimer;
struct sqlite3;

/// Tells an open list that the company's data changed: on the office server when any
/// PC commits (the server's notifications), on the file when any copy of the program
/// commits to it (its data version, looked at every second). The program's own
/// commits are told too, which costs a list no more than one refresh.
class ChangeWatch : public QObject
{
    Q_OBJECT
public:
    explicit ChangeWatch(const QString &databasePath, QObject *parent = nullptr);
    ~ChangeWatch() override;

    /// Whether commits are told from now on (the server connection is made on another
    /// thread, so not at once).
    [[nodiscard]] bool isWatching() const;

    /// How often the file is looked at.
    static constexpr int kPollMs = 1000;
    /// How soon a server that could not be reached is tried again.
    static constexpr int kRetryMs = 5000;

signals:
    void changedElsewhere();

private:
    void watchServer();
    void listening(std::shared_ptr<PgConnection> server);
    void readServer();
    void pollFile();

    QString m_path;
    std::shared_ptr<PgConnection> m_server;
    bool m_lost = false;
    QSocketNotifier *m_serverNotifier = nullptr;
    QTimer *m_timer = nullptr;
    sqlite3 *m_file = nullptr;
    qint64 m_fileVersion = -1;
};
