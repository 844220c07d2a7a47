#include "TextFields.h"

#include "InputGuards.h"
#include "core/AllowNumDecimalOnly.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QValidator>
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

bool hasControlCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

/// Refuses a text holding control characters: they would be stored inside the text
/// and later cut it short or garble it wherever it is printed or exported.
class PlainTextOnly final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override { return hasControlCharacter(input) ? Invalid : Acceptable; }
};

} // namespace

namespace TextFields {

void sayWhenRefused(QLineEdit *field)
{
    if (field->property(kLimit).isNull())
        field->setProperty(kLimit, field->maxLength());
    if (field->validator())
        return; // a field with its own rule says its own reasons
    field->setValidator(new PlainTextOnly(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [field] {
        if (field->isReadOnly())
            return;
        if (field->text().size() >= field->maxLength())
            showRefusal(field, QObject::tr("This field holds at most %1 characters; the rest was not taken.")
                                   .arg(field->maxLength()));
        else
            showRefusal(field, QObject::tr("Control characters cannot be stored here; the text was not taken."));
    });
}

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
    sayWhenRefused(field);
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
        showRefusal(memo, QObject::tr("This field holds at most %1 characters; the rest was not taken.").arg(allowed));
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
