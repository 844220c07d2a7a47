#pragma once

#include "UpdateCheck.h"

#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <memory>

class Edition;
class QNetworkAccessManager;

class QSaveFile;

/// Talks to the update server: reads the newest version and downloads the installer.
/// The installer is written under a temporary name and only put in place when the
/// server announced its size and exactly that many bytes arrived, so a failed or
/// partial download leaves nothing that could be run.
class UpdateClient final : public QObject
{
    Q_OBJECT
public:
    /// How long the server may stay silent before the version check gives up.
    static constexpr std::chrono::milliseconds kAnswerTimeout{10000};

    explicit UpdateClient(const Edition &edition, std::chrono::milliseconds answerTimeout = kAnswerTimeout,
                          QObject *parent = nullptr);
    ~UpdateClient() override;

    void checkVersion();
    void downloadInstaller();
    [[nodiscard]] bool isDownloading() const { return m_download != nullptr; }

    /// Answers longer than this are not a version text.
    static constexpr qint64 kMaxVersionAnswer = 64;

signals:
    /// NotNewer / Newer, or Unreadable for any failure of the request or the answer,
    /// including a server that does not answer in time.
    void versionChecked(UpdateCheck::Verdict verdict);
    void downloadStarted(qint64 expectedBytes);
    void downloadProgress(qint64 receivedBytes);
    /// \a path is the complete installer, or empty when the download failed.
    void downloadFinished(const QString &path);

private:
    void finishDownload();
    void failDownload();

    const Edition &m_edition;
    std::chrono::milliseconds m_answerTimeout;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_download;
    std::unique_ptr<QSaveFile> m_file;
    qint64 m_expected = -1;
    qint64 m_written = 0;
    bool m_started = false;
};
