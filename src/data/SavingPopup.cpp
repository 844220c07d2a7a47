#include "SavingPopup.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

TfrmSaving::TfrmSaving(const QString &text, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_text(text)
    , m_line(new QLabel(text, this))
    , m_bar(new QProgressBar(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSaving"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text);
    setModal(false);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(280);
    // The caption alone gets cut short by narrow title bars.
    m_line->setObjectName(QStringLiteral("lblSaving"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_line);
    layout->addWidget(m_bar);
    m_timer->setInterval(1);
    connect(m_timer, &QTimer::timeout, this, &TfrmSaving::tick);
}

QString TfrmSaving::lineText() const
{
    return m_line->text();
}

void TfrmSaving::setWaiting(bool waiting)
{
    m_line->setText(waiting ? QStringLiteral("Waiting for another program to finish with the company database...")
                            : m_text);
    adjustSize();
    // The bar stands for work done; it must not run out, and the popup close, while
    // nothing is done.
    if (waiting)
        m_timer->stop();
    else if (m_counter < 100)
        m_timer->start();
}

void TfrmSaving::showEvent(QShowEvent *event)
{
    m_counter = 0;
    m_bar->setValue(0);
    m_timer->start();
    QDialog::showEvent(event);
}

void TfrmSaving::tick()
{
    ++m_counter;
    m_bar->setValue(m_counter);
    if (m_counter >= 100) {
        m_timer->stop();
        close();
    }
}

void TfrmSaving::closeEvent(QCloseEvent *event)
{
    if (m_counter >= 70)
        event->accept();
    else
        event->ignore();
}

void SavingPopup::pShowSaving(const QString &text)
{
    if (m_popup)
        return;
    m_popup = new TfrmSaving(text);
    m_popup->show();
    m_popup->repaint();
}

void SavingPopup::pCloseSaving()
{
    if (m_popup)
        m_popup->close();
}

SavingPopup::~SavingPopup()
{
    pLockWaitOver();
}

void SavingPopup::pWaitingForLock()
{
    if (!m_waiting) {
        m_waiting = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        // A wait outside a save (a load, a recurring run) gets a popup of its own:
        // a wait cursor alone does not say why nothing moves.
        if (!m_popup) {
            pShowSaving(QStringLiteral("Waiting for the company database"));
            m_openedForWait = true;
        }
        m_popup->setWaiting(true);
        m_sincePainted.invalidate();
    }
    // The wait runs on the user-interface thread: let the popup paint a few times a
    // second, but take no input, so nothing else starts meanwhile.
    if (!m_sincePainted.isValid() || m_sincePainted.elapsed() >= 100) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
        m_sincePainted.start();
    }
}

void SavingPopup::pLockWaitOver()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    QGuiApplication::restoreOverrideCursor();
    if (m_popup)
        m_popup->setWaiting(false);
    if (m_openedForWait)
        pCloseSaving();
    m_openedForWait = false;
}
