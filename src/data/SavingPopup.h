#pragma once

#include "SavingIndicator.h"

#include <QDialog>
#include <QPointer>

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

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void tick();

    QProgressBar *m_bar;
    QTimer *m_timer;
    int m_counter = 0;
};

/// Keeps at most one popup open.
class SavingPopup final : public SavingIndicator
{
public:
    void pShowSaving(const QString &text) override;
    void pCloseSaving() override;

    /// The open popup, for tests.
    [[nodiscard]] TfrmSaving *current() const { return m_popup; }

private:
    QPointer<TfrmSaving> m_popup;
};
