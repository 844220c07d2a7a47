#pragma once

#include "UpdateCheck.h"
#include "UpdateClient.h"

#include <QDialog>

class AppContext;
class QLabel;
class QProgressBar;
class QPushButton;

/// "Check For Updates": asks the server for the newest version when it becomes
/// active, downloads the installer on request and hands it to the desktop. It
/// cannot be closed while a download runs.
class TfrmUpdate final : public QDialog
{
    Q_OBJECT
public:
    /// \a answerTimeout: how long the server may stay silent before the check gives up.
    explicit TfrmUpdate(AppContext &context, QWidget *parent = nullptr,
                        std::chrono::milliseconds answerTimeout = UpdateClient::kAnswerTimeout);
    ~TfrmUpdate() override;

    [[nodiscard]] bool closingAllowed() const { return m_closingAllowed; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void pShowFormInformation();
    void pCheckforUpDate();
    void showVerdict(UpdateCheck::Verdict verdict);
    void startDownload();
    void downloadFinished(const QString &path);
    void showConnectionError();
    void setBusy(bool busy);

    AppContext &m_context;
    UpdateClient *m_client;
    QLabel *m_info;
    QProgressBar *m_progress;
    QPushButton *m_download;
    QPushButton *m_close;
    bool m_closingAllowed = true;
    bool m_checked = false;
    bool m_busy = false;
};
