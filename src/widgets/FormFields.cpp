#include "FormFields.h"

#include "core/AllowNumDecimalOnly.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

namespace FormFields {

QLineEdit *textField(QWidget *parent, const QString &name, int maxLength, const QString &hint)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(maxLength);
    field->setToolTip(hint);
    return field;
}

QLineEdit *amountField(QWidget *parent, const QString &name, int maxLength, const QString &hint,
                       const QLocale &locale)
{
    QLineEdit *field = textField(parent, name, maxLength, hint);
    field->setValidator(new AllowNumDecimalOnly(locale, field));
    field->setAlignment(Qt::AlignRight);
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
    field->setText(text);
}

QToolButton *toolButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
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
