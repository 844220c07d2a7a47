#pragma once

#include <QStyledItemDelegate>

/// Edits a cell of the progress schedule in a line edit whose every keystroke reaches
/// the model at once, so nothing typed waits for Enter or for the focus to move.
class ProgressCellEditor final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
};
