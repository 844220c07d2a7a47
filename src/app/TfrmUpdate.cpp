#include "TfrmUpdate.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "core/Shell.h"
#include "UpdateClient.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmUpdate::TfrmUpdate(AppContext &context, QWidget *parent, std::chrono::milliseconds answerTimeout)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_context(context)
    , m_client(new UpdateClient(context.edition(), answerTimeout, this))
    , m_info(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_download(new QPushButton(tr("Download Update"), this))
    , m_close(new QPushButton(tr("Close"), this))
{
    setObjectName(QStringLiteral("frmUpdate"));
    m_info->setObjectName(QStringLiteral("lblUpdateInfo"));
    m_info->setAlignment(Qt::AlignCenter);
    m_info->setMinimumSize(360, 60);
    m_progress->setObjectName(QStringLiteral("ProgressBarUpdate"));
    m_download->setObjectName(QStringLiteral("btnDownloadUpdate"));
    m_close->setObjectName(QStringLiteral("btnClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_download);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_info);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(m_download, &QPushButton::clicked, this, &TfrmUpdate::startDownload);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_client, &UpdateClient::versionChecked, this, &TfrmUpdate::showVerdict);
    connect(m_client, &UpdateClient::downloadStarted, this, [this](qint64 expected) {
        m_closingAllowed = false;
        setBusy(true);
        m_progress->setMaximum(int(qMin<qint64>(expected, INT_MAX)));
        m_progress->setValue(0);
    });
    connect(m_client, &UpdateClient::downloadProgress, this,
            [this](qint64 received) { m_progress->setValue(int(qMin<qint64>(received, m_progress->maximum()))); });
    connect(m_client, &UpdateClient::downloadFinished, this, &TfrmUpdate::downloadFinished);

    pShowFormInformation();
}

TfrmUpdate::~TfrmUpdate()
{
    setBusy(false);
}

void TfrmUpdate::pShowFormInformation()
{
    setWindowTitle(tr("Check For Updates"));
    m_progress->hide();
    m_download->setEnabled(false);
    m_download->setToolTip(tr("Download updates"));
    m_close->setToolTip(tr("Close update from"));
    m_closingAllowed = true;
}

bool TfrmUpdate::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_checked) {
        m_checked = true;
        pCheckforUpDate();
    }
    return QDialog::event(event);
}

void TfrmUpdate::pCheckforUpDate()
{
    // A server that is slow to answer must not leave an empty window.
    m_info->setText(tr("Connecting to the update server . . ."));
    m_progress->setRange(0, 0);
    m_progress->show();
    m_client->checkVersion();
}

void TfrmUpdate::showVerdict(UpdateCheck::Verdict verdict)
{
    m_progress->hide();
    m_progress->setRange(0, 100);
    switch (verdict) {
    case UpdateCheck::Verdict::Newer:
        m_info->setText(tr("A newer version is available.") + QLatin1Char('\n') + tr("Do you want to download now?"));
        m_download->setEnabled(true);
        break;
    case UpdateCheck::Verdict::NotNewer:
        m_info->setText(tr("No new updates are available at this time.") + QLatin1Char('\n')
                        + tr("Please check back later."));
        m_download->setEnabled(false);
        m_closingAllowed = true;
        break;
    case UpdateCheck::Verdict::Unreadable:
        showConnectionError();
        break;
    }
}

void TfrmUpdate::startDownload()
{
    m_download->setEnabled(false);
    m_info->setText(tr("Downloading . . ."));
    m_info->repaint();
    m_progress->setValue(0);
    m_progress->show();
    m_client->downloadInstaller();
}

void TfrmUpdate::downloadFinished(const QString &path)
{
    setBusy(false);
    m_closingAllowed = true;
    if (path.isEmpty()) {
        showConnectionError();
        return;
    }
    m_context.prompts().ShowInformation(m_context.edition().GetEditionName()
                                        + tr(" will now close and install updates."));
    if (m_context.shell().openFile(path))
        m_context.shell().quit();
    else
        m_context.prompts().showPlainMessage(tr("Unable to open the update file!"));
}

void TfrmUpdate::showConnectionError()
{
    m_info->setText(tr("Unable to connect to the Download Server.") + QLatin1Char('\n') + tr("Please try again later!"));
    m_download->setEnabled(false);
    m_closingAllowed = true;
}

void TfrmUpdate::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TfrmUpdate::closeEvent(QCloseEvent *event)
{
    if (m_closingAllowed && !m_client->isDownloading())
        event->accept();
    else
        event->ignore();
}

void TfrmUpdate::reject()
{
    // Escape goes through here, not closeEvent.
    if (m_closingAllowed && !m_client->isDownloading())
        QDialog::reject();
}
