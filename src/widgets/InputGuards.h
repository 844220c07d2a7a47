#pragma once

#include <QDateEdit>
#include <QElapsedTimer>
#include <QObject>
#include <QSpinBox>

class QAbstractButton;
class QLineEdit;

/// A spin box whose typed number is its value at once (not when it loses focus),
/// and which refuses a digit past its limit visibly, with a hint naming the range,
/// instead of dropping it unnoticed.
class SpinField final : public QSpinBox
{
    Q_OBJECT
public:
    explicit SpinField(QWidget *parent = nullptr);
};

/// Lets \a spin change only by its arrows and the arrow keys; typed digits are refused.
void makeArrowsOnly(QAbstractSpinBox *spin);

/// A date picker that takes a typed date whole: typing over the selected text
/// replaces it as a free text, taken as soon as it reads as a date in any form the
/// date reader knows. A text that does not read is kept on screen, marked, and the
/// field says what it expects; the field keeps its last date meanwhile.
class DateField : public QDateEdit
{
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    /// The text on screen is not a date (and so not the field's value).
    [[nodiscard]] bool isRefused() const { return m_refused; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    /// Reached by the keyboard, the whole date is selected, so what is typed replaces it.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    /// Tab leaves the field instead of walking its day, month and year.
    bool focusNextPrevChild(bool next) override;

private:
    void takeTyped();
    /// Ends free typing: a text that reads is shown in the field's own form; one that
    /// does not is refused visibly. False when it was refused.
    bool finishTyping();
    void setRefused(bool refused);
    /// Ends free typing and shows the field's own date.
    void showDate();

    bool m_typing = false;
    bool m_refused = false;
    QString m_typed;
};

/// Shows \a date in \a field, or a blank for no date (a document whose stored date
/// could not be read shows none until the user enters one, never today).
void showDateOrBlank(QDateEdit &field, QDate date);

/// Makes the wheel act only on the field that has the focus: over any other spin
/// box, date or drop-down of the window it does nothing, and such fields no longer
/// take the focus from the wheel.
class WheelGuard final : public QObject
{
    Q_OBJECT
public:
    /// Guards every such field under \a window (once per window is enough).
    static void protect(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

/// Shows \a hint beside \a field, where the user is looking, to say why what was
/// just typed or pasted was refused.
void showRefusal(QWidget *field, const QString &hint);

/// While it lives, swallows the rest of a mouse click sequence (the second click of
/// a double click) that would otherwise land in the window the first click opens.
class ClickSequenceGuard final : public QObject
{
    Q_OBJECT
public:
    ClickSequenceGuard();
    ~ClickSequenceGuard() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer m_sinceClick;
    bool m_swallowRelease = false;
};

/// Marks \a button in the selection colours while it has the focus, for buttons whose
/// style draws no focus mark of its own (the headers of a panel group).
void markFocus(QAbstractButton *button);
