#include "TextFields.h"

#include <QLineEdit>
#include <QVariant>

namespace {
constexpr char kLimit[] = "typingLimit";
}

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

void showStored(QLineEdit *field, const QString &text)
{
    const QVariant limit = field->property(kLimit);
    if (limit.isValid())
        field->setMaxLength(std::max(limit.toInt(), int(text.size())));
    field->setText(text);
}

} // namespace TextFields
