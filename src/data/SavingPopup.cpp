#include "SavingPopup.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

TfrmSaving::TfrmSaving(const QString &text, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
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
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    m_timer->setInterval(1);
    connect(m_timer, &QTimer::timeout, this, &TfrmSaving::tick);
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
