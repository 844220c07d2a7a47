#pragma once

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

/// While it lives, closes every modal window as soon as it opens and notes its
/// objectName, so a test can run commands that open windows without a hand there.
class ModalCloser
{
public:
    ModalCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            if (modal != m_last) {
                m_last = modal;
                opened << modal->objectName();
            }
            modal->close();
        });
        m_timer.start(5);
    }

    QStringList opened;

private:
    QTimer m_timer;
    QPointer<QWidget> m_last;
};
