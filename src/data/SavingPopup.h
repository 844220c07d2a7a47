#pragma once

#include "SavingIndicator.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QProgressBar;
class QTimer;

/// The stay-on-top "saving" popup: a short progress run shown after a write. It
/// never blocks; a close request before the bar is 70 % along is put off until the
/// bar completes.
class TfrmSaving final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSaving(const QString &text, QWidget *parent = nullptr);

    [[nodiscard]] int counter() const { return m_counter; }
    /// The line under the caption: the caption itself, or the wait for another program.
    [[nodiscard]] QString lineText() const;
    void setWaiting(bool waiting);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void tick();

    QString m_text;
    QLabel *m_line;
    QProgressBar *m_bar;
    QTimer *m_timer;
    int m_counter = 0;
};

/// Keeps at most one popup open. While an operation waits for another program's
/// lock it shows a wait cursor, says so on the popup (opening one when none is open)
/// and keeps it painted.
class SavingPopup final : public SavingIndicator
{
public:
    ~SavingPopup() override;

    void pShowSaving(const QString &text) override;
    void pCloseSaving() override;
    void pWaitingForLock() override;
    void pLockWaitOver() override;

    /// The open popup, for tests.
    [[nodiscard]] TfrmSaving *current() const { return m_popup; }

private:
    QPointer<TfrmSaving> m_popup;
    bool m_waiting = false;
    bool m_openedForWait = false;
    QElapsedTimer m_sincePainted;
};
