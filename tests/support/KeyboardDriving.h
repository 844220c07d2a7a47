#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

/// Driving windows the way a keyboard-only user does: keys go to whatever has the
/// focus, windows opened by a key are handled once they are open.
namespace KeyboardDriving {

inline QWidget *focused()
{
    return QApplication::focusWidget();
}

inline QWidget *keyTarget()
{
    // Back from a closed window, the one under it has the keyboard again.
    QWidget *top = QApplication::activeModalWidget();
    if (!top && !QApplication::activeWindow()) {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->isWindow() && !window->inherits("QMenu"))
                top = window;
        }
    }
    if (top && !top->isActiveWindow()) {
        QApplication::setActiveWindow(top);
        (void)QTest::qWaitForWindowActive(top);
    }
    if (QWidget *widget = QApplication::focusWidget())
        return widget;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}


inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyTarget(), key, modifiers);
}

/// Types \a text into whatever has the focus, key by key.
inline void type(const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, keyTarget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

/// The letter a caption marks with "&", or a null character.
inline QChar markedLetter(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toUpper();
        if (caption.at(i) == QLatin1Char('&'))
            ++i;
    }
    return {};
}

/// Presses Alt with the letter \a caption shows underlined.
inline void pressAltFor(const QString &caption)
{
    const QChar letter = markedLetter(caption);
    if (letter.isNull())
        QFAIL(qPrintable(QStringLiteral("\"%1\" shows no letter").arg(caption)));
    press(Qt::Key(letter.unicode()), Qt::AltModifier);
}

/// Presses Tab (or Shift+Tab) until \a target has the focus; false when it never does.
inline bool tabTo(const QWidget *target, bool backwards = false, int most = 100)
{
    for (int i = 0; i < most && focused() != target; ++i)
        press(backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    return focused() == target;
}

/// Runs \a act on the modal window of class \a Window once a key has opened it, and
/// closes that window should \a act leave it open. The returned flag tells that it ran.
template<typename Window>
std::shared_ptr<bool> whenOpen(std::function<void(Window &)> act)
{
    auto ran = std::make_shared<bool>(false);
    auto *timer = new QTimer;
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!window || !window->isActiveWindow()) {
            // A window the platform has not activated yet gets no keys.
            if (window)
                QApplication::setActiveWindow(window);
            if (++*ticks > 1000) // five seconds: the test fails on the flag
                timer->deleteLater();
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(*window);
        if (window->isVisible())
            window->close();
        if (window->isVisible())
            window->hide(); // a step failed and the window would not close: never hang

        *ran = true;
    });
    timer->start(5);
    return ran;
}

} // namespace KeyboardDriving
