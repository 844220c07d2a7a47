#pragma once

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

/// A list in report style over \a model: whole rows selected one at a time, nothing
/// edited in place, no sorting (rows stay in the model's order), compact rows.
[[nodiscard]] QTableView *makeReadOnlyList(QWidget *parent, const QString &objectName, QAbstractItemModel *model);
