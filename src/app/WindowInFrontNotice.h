#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

/// While a window waits behind another that holds the program (a document editor, a
/// list), says so on it and greys its commands: a click there would otherwise do
/// nothing, without a word. Everything comes back when the window in front closes.
class WindowInFrontNotice final : public QObject
{
    Q_OBJECT
public:
    /// Watches \a window; \a notice tells what is in front, \a commands are greyed.
    WindowInFrontNotice(QWidget *window, QLabel *notice, QList<QWidget *> commands);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFront(QWidget *front);

    QWidget *m_window;
    QLabel *m_notice;
    QList<QPointer<QWidget>> m_commands;
    QMetaObject::Connection m_frontTitle;
};
