#include "InputGuards.h"

#include "core/TypedDate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
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
    if (printable && edit->hasSelectedText() && edit->selectedText() == edit->text()) {
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
    if (m_typing && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !finishTyping()) {
        event->accept(); // a refused text must not reach the default button
        return;
    }
    if (m_typing && event->key() == Qt::Key_Escape) {
        // Escape gives the field its date back; the window's own Escape comes next time.
        showDate();
        event->accept();
        return;
    }
    if (m_typing && !finishTyping()) {
        event->accept(); // keys that edit by sections would throw the typed text away
        return;
    }
    QDateEdit::keyPressEvent(event);
}

void DateField::takeTyped()
{
    const std::optional<QDate> typed = TypedDate::read(m_typed, locale());
    if (!typed || *typed < minimumDate() || *typed > maximumDate())
        return;
    setRefused(false);
    setDate(*typed);
    if (date() == *typed)
        lineEdit()->setText(m_typed);
    else
        showDate(); // the window put another date in its place
}

bool DateField::finishTyping()
{
    if (!m_typing)
        return true;
    const std::optional<QDate> typed = TypedDate::read(m_typed, locale());
    if (!typed || *typed < minimumDate() || *typed > maximumDate()) {
        setRefused(true);
        return false;
    }
    m_typing = false;
    setDate(*typed);
    lineEdit()->setText(textFromDateTime(dateTime())); // a two-digit year shows its century now
    return true;
}

void showDateOrBlank(QDateEdit &field, QDate date)
{
    // The lowest date stands for "no date"; nobody types a date of 1752.
    field.setSpecialValueText(QStringLiteral(" "));
    field.setDate(date.isValid() ? date : field.minimumDate());
}

void DateField::showDate()
{
    m_typing = false;
    setRefused(false);
    lineEdit()->setText(textFromDateTime(dateTime()));
}

void DateField::setRefused(bool refused)
{
    if (refused == m_refused) {
        if (refused)
            showRefusal(this, TypedDate::expected(locale()));
        return;
    }
    m_refused = refused;
    lineEdit()->setStyleSheet(refused ? QStringLiteral("background: #ffd6d6; color: #8b0000;") : QString());
    setToolTip(refused ? TypedDate::expected(locale()) : QString());
    if (refused)
        showRefusal(this, TypedDate::expected(locale()));
}

void DateField::focusInEvent(QFocusEvent *event)
{
    QDateEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (!m_typing
        && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason))
        lineEdit()->selectAll();
}

void DateField::focusOutEvent(QFocusEvent *event)
{
    if (!finishTyping()) {
        // The spin box would put the old date back unseen; the typed text stays to be mended.
        QWidget::focusOutEvent(event);
        return;
    }
    QDateEdit::focusOutEvent(event);
}

void DateField::mousePressEvent(QMouseEvent *event)
{
    if (!finishTyping() && !lineEdit()->geometry().contains(event->position().toPoint())) {
        // The calendar or arrows replace the refused text with a date chosen there.
        showDate();
    }
    QDateEdit::mousePressEvent(event);
}

bool DateField::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
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

namespace {

class FocusMark final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *button = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::FocusIn) {
            QPalette marked = button->palette();
            marked.setColor(QPalette::Button, marked.color(QPalette::Highlight));
            marked.setColor(QPalette::ButtonText, marked.color(QPalette::HighlightedText));
            button->setPalette(marked);
        } else if (event->type() == QEvent::FocusOut) {
            button->setPalette(QPalette());
        }
        return false;
    }
};

} // namespace

void markFocus(QAbstractButton *button)
{
    button->installEventFilter(new FocusMark(button));
}
