#pragma once

#include <QIcon>
#include <QString>

class QAction;
class QLineEdit;
class QLocale;
class QObject;
class QToolButton;
class QWidget;

/// Small builders for the controls every window makes the same way: named for the
/// tests, with their hint and limits set in one place.
namespace FormFields {

/// A single-line field of at most \a maxLength characters.
QLineEdit *textField(QWidget *parent, const QString &name, int maxLength, const QString &hint);
/// A field for an amount or quantity: a text field with the amount key filter.
QLineEdit *amountField(QWidget *parent, const QString &name, int maxLength, const QString &hint,
                       const QLocale &locale);
/// A read-only field that shows a computed value and is skipped by the Tab key.
QLineEdit *readOnlyField(QWidget *parent, const QString &name, const QString &hint = {});
/// Gives a total its yellow background.
void markAsTotal(QLineEdit *field);

/// Puts \a text into \a field whole: a stored value longer than the field's limit
/// raises the limit instead of being cut, which would lose it on the next OK.
void showWhole(QLineEdit *field, const QString &text);

QToolButton *toolButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint);
QAction *action(QObject *parent, const QString &name, const QString &caption, const QString &hint,
                const QIcon &icon = {});

} // namespace FormFields
