#pragma once

#include <QString>

class QAbstractItemModel;
class QAbstractItemView;
class QTableView;
class QWidget;

/// A list in report style over \a model: whole rows selected one at a time, nothing
/// edited in place, no sorting (rows stay in the model's order), compact rows.
[[nodiscard]] QTableView *makeReadOnlyList(QWidget *parent, const QString &objectName, QAbstractItemModel *model);

/// The keys of a list nothing is typed into: Tab and Shift+Tab leave it for the next
/// control (the arrows move inside it), Home and End go to the first and last row.
void giveListKeys(QAbstractItemView *view);
