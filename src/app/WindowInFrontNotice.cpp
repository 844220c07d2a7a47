#include "WindowInFrontNotice.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

WindowInFrontNotice::WindowInFrontNotice(QWidget *window, QLabel *notice, QList<QWidget *> commands)
    : QObject(window)
    , m_window(window)
    , m_notice(notice)
{
    for (QWidget *command : commands)
        m_commands << command;
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->hide();
    window->installEventFilter(this);
}

bool WindowInFrontNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::WindowBlocked)
            showFront(QApplication::activeModalWidget());
        else if (event->type() == QEvent::WindowUnblocked)
            showFront(nullptr);
    }
    return QObject::eventFilter(watched, event);
}

void WindowInFrontNotice::showFront(QWidget *front)
{
    disconnect(m_frontTitle);
    const bool blocked = front && front != m_window;
    for (QWidget *command : std::as_const(m_commands)) {
        if (command)
            command->setEnabled(!blocked);
    }
    m_notice->setVisible(blocked);
    if (!blocked)
        return;
    // An editor names its document once it is shown, and again when it changes.
    const auto tell = [this](const QString &title) {
        m_notice->setText(title.isEmpty() ? tr("Another window is open. Close it to use the commands here.")
                                          : tr("\"%1\" is open. Close it to use the commands here.").arg(title));
    };
    tell(front->windowTitle());
    m_frontTitle = connect(front, &QWidget::windowTitleChanged, this, tell);
}
