#include "ProgressCellEditor.h"

#include <QLineEdit>

QWidget *ProgressCellEditor::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("txtProgressCell"));
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    editor->setMaxLength(24);
    auto *self = const_cast<ProgressCellEditor *>(this); // signals are not const
    connect(editor, &QLineEdit::textEdited, self, [self, editor] { emit self->commitData(editor); });
    return editor;
}

void ProgressCellEditor::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // Each keystroke updates the whole table; writing the same text back would move
    // the cursor to the end under the user's fingers.
    auto *line = static_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text)
        line->setText(text);
}
