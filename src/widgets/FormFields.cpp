#include "FormFields.h"

#include "InputGuards.h"
#include "TextFields.h"
#include "core/AllowNumDecimalOnly.h"

#include <QAction>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QPushButton>

namespace FormFields {

QLineEdit *textField(QWidget *parent, const QString &name, int maxLength, const QString &hint)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(maxLength);
    field->setToolTip(hint);
    TextFields::sayWhenRefused(field);
    return field;
}

QLineEdit *amountField(QWidget *parent, const QString &name, int maxLength, const QString &hint,
                       const QLocale &locale)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setToolTip(hint);
    // The validator holds the limit, so a paste too long is refused whole instead of cut.
    auto *validator = new AllowNumDecimalOnly(locale, field, maxLength);
    field->setValidator(validator);
    field->setAlignment(Qt::AlignRight);
    QObject::connect(field, &QLineEdit::inputRejected, field,
                     [field, validator] { showRefusal(field, validator->refusalHint()); });
    return field;
}

QLineEdit *readOnlyField(QWidget *parent, const QString &name, const QString &hint)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setAlignment(Qt::AlignRight);
    field->setToolTip(hint);
    return field;
}

void markAsTotal(QLineEdit *field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 160));
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    QFont font = field->font();
    font.setBold(true);
    field->setFont(font);
}

void showWhole(QLineEdit *field, const QString &text)
{
    if (text.size() > field->maxLength())
        field->setMaxLength(int(text.size()));
    if (auto *amount = qobject_cast<const AllowNumDecimalOnly *>(field->validator()))
        const_cast<AllowNumDecimalOnly *>(amount)->allowLength(int(text.size()));
    field->setText(text);
}

QPushButton *pushButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QDialogButtonBox *buttonRow(QWidget *parent, QPushButton *ok, QPushButton *cancel, QPushButton *remove)
{
    auto *row = new QDialogButtonBox(parent);
    row->addButton(ok, QDialogButtonBox::AcceptRole);
    row->addButton(cancel, QDialogButtonBox::RejectRole);
    if (remove)
        row->addButton(remove, QDialogButtonBox::DestructiveRole);
    ok->setDefault(true);
    return row;
}

QDialogButtonBox *commandButtons(QWidget *parent, QAction *ok, QAction *close)
{
    auto *row = new QDialogButtonBox(parent);
    for (QAction *command : {ok, close}) {
        auto *button = new QPushButton(command->text(), row);
        button->setObjectName(QStringLiteral("btn") + command->objectName().mid(3));
        button->setAutoDefault(false);
        const auto follow = [button, command] {
            button->setText(command->text());
            button->setToolTip(command->toolTip());
            button->setEnabled(command->isEnabled());
        };
        follow();
        QObject::connect(command, &QAction::changed, button, follow);
        QObject::connect(button, &QPushButton::clicked, command, &QAction::trigger);
        row->addButton(button, command == ok ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
        button->setDefault(command == ok);
    }
    return row;
}

void pressedByEnter(QAction *command, QWidget *window)
{
    for (QLineEdit *field : window->findChildren<QLineEdit *>()) {
        QObject::connect(field, &QLineEdit::returnPressed, command, [command] {
            if (command->isEnabled())
                command->trigger();
        });
    }
}

QAction *action(QObject *parent, const QString &name, const QString &caption, const QString &hint, const QIcon &icon)
{
    auto *result = new QAction(icon, caption, parent);
    result->setObjectName(name);
    result->setToolTip(hint);
    result->setStatusTip(hint);
    return result;
}

} // namespace FormFields
