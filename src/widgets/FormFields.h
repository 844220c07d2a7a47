#pragma once

#include <QIcon>
#include <QString>

class QAction;
class QDialogButtonBox;
class QLineEdit;
class QLocale;
class QObject;
class QPushButton;
class QWidget;

/// Small builders for the controls every window makes the same way: named for the
/// tests, with their hint and limits set in one place.
namespace FormFields {

/// A single-line field of at most \a maxLength characters.
QLineEdit *textField(QWidget *parent, const QString &name, int maxLength, const QString &hint);
/// A field for an amount or quantity: the amount key filter refuses, visibly, what
/// is not a number or is longer than \a maxLength.
QLineEdit *amountField(QWidget *parent, const QString &name, int maxLength, const QString &hint,
                       const QLocale &locale);
/// A read-only field that shows a computed value and is skipped by the Tab key.
QLineEdit *readOnlyField(QWidget *parent, const QString &name, const QString &hint = {});
/// Gives a total its yellow background.
void markAsTotal(QLineEdit *field);

/// Puts \a text into \a field whole: a stored value longer than the field's limit
/// raises the limit instead of being cut, which would lose it on the next OK.
void showWhole(QLineEdit *field, const QString &text);

/// OK and Close as real push buttons at the foot of a dialog, each pressing its
/// command and following its caption, hint and state; OK is the default button.
[[nodiscard]] QDialogButtonBox *commandButtons(QWidget *parent, QAction *ok, QAction *close);
/// A dialog's command (OK, Cancel, Remove): a real push button, pressed by Enter
/// only when it is the default.
QPushButton *pushButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint);
/// The row of a dialog's buttons, \a ok the default one (Enter), \a cancel the
/// one Escape stands for, and an optional \a remove.
QDialogButtonBox *buttonRow(QWidget *parent, QPushButton *ok, QPushButton *cancel, QPushButton *remove = nullptr);
/// Makes \a command the default of a \a window whose commands are on a tool bar:
/// Enter in any of its fields triggers it.
void pressedByEnter(QAction *command, QWidget *window);
QAction *action(QObject *parent, const QString &name, const QString &caption, const QString &hint,
                const QIcon &icon = {});

} // namespace FormFields
