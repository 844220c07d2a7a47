#include "TextFields.h"

#include "core/AllowNumDecimalOnly.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVariant>

namespace {

constexpr char kLimit[] = "typingLimit";
// What the memo holds at most right now: its limit, or a longer stored text.
constexpr char kAllowed[] = "allowedLength";

int limitOf(const QObject *field, int textLength)
{
    const QVariant limit = field->property(kLimit);
    return limit.isValid() ? std::max(limit.toInt(), textLength) : textLength;
}

int memoLength(const QPlainTextEdit *memo)
{
    return memo->document()->characterCount() - 1; // without the final paragraph mark
}

} // namespace

namespace TextFields {

QLineEdit *make(QWidget *parent, const QString &objectName, int typingLimit)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(objectName);
    setTypingLimit(field, typingLimit);
    return field;
}

void setTypingLimit(QLineEdit *field, int typingLimit)
{
    field->setMaxLength(typingLimit);
    field->setProperty(kLimit, typingLimit);
}

void setTypingLimit(QPlainTextEdit *memo, int typingLimit)
{
    memo->setProperty(kLimit, typingLimit);
    memo->setProperty(kAllowed, typingLimit);
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        const int allowed = memo->property(kAllowed).toInt();
        const int excess = memoLength(memo) - allowed;
        if (excess <= 0)
            return;
        // Drop what was just typed or pasted, which ends at the cursor.
        QTextCursor cursor = memo->textCursor();
        const int end = cursor.position();
        cursor.setPosition(std::max(0, end - excess));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        if (memoLength(memo) > allowed)
            memo->setPlainText(memo->toPlainText().left(allowed));
    });
}

void showStored(QLineEdit *field, const QString &text)
{
    if (auto *amount = qobject_cast<const AllowNumDecimalOnly *>(field->validator())) {
        // An amount field's limit is its validator's.
        const_cast<AllowNumDecimalOnly *>(amount)->allowLength(int(text.size()));
        field->setText(text);
        return;
    }
    field->setMaxLength(limitOf(field, int(text.size())));
    field->setText(text);
}

void showStored(QPlainTextEdit *memo, const QString &text)
{
    memo->setProperty(kAllowed, limitOf(memo, int(text.size())));
    memo->setPlainText(text);
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *caption = new QLabel(text, buddy->parentWidget());
    caption->setBuddy(buddy);
    return caption;
}

} // namespace TextFields
