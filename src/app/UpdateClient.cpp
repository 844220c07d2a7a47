#include "UpdateClient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>

namespace {

// A download may pause longer than a short answer should.
constexpr std::chrono::milliseconds kDownloadTimeout{30000};

QNetworkRequest requestFor(const QUrl &url, std::chrono::milliseconds timeout)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(int(timeout.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return request;
}

} // namespace

UpdateClient::UpdateClient(const Edition &edition, std::chrono::milliseconds answerTimeout, QObject *parent)
    : QObject(parent)
    , m_edition(edition)
    , m_answerTimeout(answerTimeout)
    , m_network(new QNetworkAccessManager(this))
{
}

UpdateClient::~UpdateClient()
{
    if (m_download)
        m_download->abort();
}

void UpdateClient::checkVersion()
{
    QNetworkReply *reply = m_network->get(requestFor(UpdateCheck::versionUrl(m_edition), m_answerTimeout));
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxVersionAnswer)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const bool ok = reply->error() == QNetworkReply::NoError
            && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200;
        emit versionChecked(ok ? UpdateCheck::compare(reply->read(kMaxVersionAnswer + 1))
                               : UpdateCheck::Verdict::Unreadable);
    });
}

void UpdateClient::downloadInstaller()
{
    if (m_download)
        return;
    m_file = std::make_unique<QSaveFile>(UpdateCheck::installerPath(m_edition));
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        emit downloadFinished({});
        return;
    }
    m_expected = -1;
    m_written = 0;
    m_started = false;
    m_download = m_network->get(requestFor(UpdateCheck::installerUrl(m_edition), kDownloadTimeout));
    connect(m_download, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (!m_started && total > 0) {
            m_started = true;
            m_expected = total;
            emit downloadStarted(total);
        }
        emit downloadProgress(received);
    });
    connect(m_download, &QNetworkReply::readyRead, this, [this] {
        const QByteArray chunk = m_download->readAll();
        m_written += chunk.size();
        if (m_file->write(chunk) != chunk.size())
            m_download->abort(); // disk full: finishDownload sees the error
    });
    connect(m_download, &QNetworkReply::finished, this, &UpdateClient::finishDownload);
}

void UpdateClient::finishDownload()
{
    QNetworkReply *reply = m_download;
    reply->deleteLater();
    m_download = nullptr;
    const QByteArray rest = reply->readAll();
    m_written += rest.size();
    const bool written = m_file->write(rest) == rest.size();
    const bool complete = reply->error() == QNetworkReply::NoError
        && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200 && written && m_expected > 0
        && m_written == m_expected;
    if (!complete || !m_file->commit()) {
        failDownload();
        return;
    }
    const QString path = m_file->fileName();
    m_file.reset();
    emit downloadFinished(path);
}

void UpdateClient::failDownload()
{
    m_file->cancelWriting();
    m_file.reset();
    emit downloadFinished({});
}
