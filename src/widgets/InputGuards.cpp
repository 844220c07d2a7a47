#include "InputGuards.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleHints>
#include <QToolTip>

SpinField::SpinField(QWidget *parent)
    : QSpinBox(parent)
{
    setKeyboardTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(lineEdit(), &QLineEdit::inputRejected, this, [this] {
        if (!isReadOnly() && !lineEdit()->isReadOnly())
            showRefusal(this, tr("Enter a whole number from %1 to %2.").arg(minimum()).arg(maximum()));
    });
}

void makeArrowsOnly(QAbstractSpinBox *spin)
{
    spin->findChild<QLineEdit *>()->setReadOnly(true);
}

DateField::DateField(QWidget *parent)
    : QDateEdit(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void DateField::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool plainKey = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    const bool printable = plainKey && !text.isEmpty() && text.at(0).isPrint();
    QLineEdit *edit = lineEdit();
    if (printable && !m_typing && edit->hasSelectedText() && edit->selectedText() == edit->text()) {
        m_typing = true;
        m_typed.clear();
    }
    if (m_typing && printable) {
        m_typed += text;
        edit->setText(m_typed);
        takeTyped();
        return;
    }
    if (m_typing && event->key() == Qt::Key_Backspace) {
        m_typed.chop(1);
        edit->setText(m_typed);
        takeTyped();
        return;
    }
    endTyping();
    QDateEdit::keyPressEvent(event);
}

void DateField::takeTyped()
{
    // Only a complete date counts: "1/10/202" is not the year 202.
    const QDate typed = locale().toDate(m_typed, displayFormat());
    if (!typed.isValid() || typed.year() < 1000 || typed < minimumDate() || typed > maximumDate())
        return;
    setDate(typed);
    if (date() == typed)
        lineEdit()->setText(m_typed);
    else
        endTyping(); // the window put another date in its place
}

void DateField::endTyping()
{
    if (!m_typing)
        return;
    m_typing = false;
    lineEdit()->setText(textFromDateTime(dateTime()));
}

void DateField::focusOutEvent(QFocusEvent *event)
{
    endTyping();
    QDateEdit::focusOutEvent(event);
}

void DateField::mousePressEvent(QMouseEvent *event)
{
    endTyping();
    QDateEdit::mousePressEvent(event);
}

void WheelGuard::protect(QWidget *window)
{
    auto *guard = window->findChild<WheelGuard *>(QString(), Qt::FindDirectChildrenOnly);
    if (!guard)
        guard = new WheelGuard(window);
    QList<QWidget *> fields;
    for (QWidget *field : window->findChildren<QAbstractSpinBox *>())
        fields << field;
    for (QWidget *field : window->findChildren<QComboBox *>())
        fields << field;
    for (QWidget *field : std::as_const(fields)) {
        if (field->focusPolicy() == Qt::WheelFocus)
            field->setFocusPolicy(Qt::StrongFocus);
        field->installEventFilter(guard);
    }
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        auto *field = static_cast<QWidget *>(watched);
        if (!field->hasFocus())
            return true;
    }
    return false;
}

void showRefusal(QWidget *field, const QString &hint)
{
    QApplication::beep();
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), hint, field);
}

ClickSequenceGuard::ClickSequenceGuard()
{
    m_sinceClick.start();
    qApp->installEventFilter(this);
}

ClickSequenceGuard::~ClickSequenceGuard()
{
    qApp->removeEventFilter(this);
}

bool ClickSequenceGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_swallowRelease = m_sinceClick.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval();
        return m_swallowRelease;
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease) {
            m_swallowRelease = false;
            return true;
        }
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}
