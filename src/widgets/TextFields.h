#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

/// Text fields with a typing limit. A stored text longer than the limit (from an
/// older file, or written by other means) is shown and saved whole, never cut.
namespace TextFields {

[[nodiscard]] QLineEdit *make(QWidget *parent, const QString &objectName, int typingLimit);
/// Makes \a field say why it refused input: a typed or pasted text cut at the field's
/// limit, or one holding control characters (a NUL, say), which no field stores.
void sayWhenRefused(QLineEdit *field);
/// Sets the typing limit of an existing line edit (say, an editable drop-down's).
void setTypingLimit(QLineEdit *field, int typingLimit);
/// Limits a memo, which has no limit of its own: what is typed or pasted beyond it
/// is dropped.
void setTypingLimit(QPlainTextEdit *memo, int typingLimit);
/// Shows \a text whole, however long it is.
void showStored(QLineEdit *field, const QString &text);
void showStored(QPlainTextEdit *memo, const QString &text);

/// A caption for \a buddy, beside it in its parent; its mnemonic focuses the buddy.
[[nodiscard]] QLabel *label(const QString &text, QWidget *buddy);

} // namespace TextFields
