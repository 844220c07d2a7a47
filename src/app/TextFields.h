#pragma once

#include <QString>

class QLineEdit;
class QWidget;

/// Single-line fields with a typing limit. A stored text longer than the limit (from
/// an older file, or written by other means) is shown and saved whole, never cut.
namespace TextFields {

[[nodiscard]] QLineEdit *make(QWidget *parent, const QString &objectName, int typingLimit);
/// Sets the typing limit of an existing line edit (say, an editable drop-down's).
void setTypingLimit(QLineEdit *field, int typingLimit);
/// Shows \a text whole, however long it is.
void showStored(QLineEdit *field, const QString &text);

} // namespace TextFields
