#pragma once

#include "core/TablePrintout.h"

#include <QAbstractTableModel>

/// A window's list over the table it prints: the same headings, texts and
/// alignment, its total rows in bold without their mark.
class TableListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(TablePrintout table);
    [[nodiscard]] const TablePrintout &table() const { return m_table; }
    [[nodiscard]] bool isTotal(int row) const;
    /// The row's text in \a column as shown.
    [[nodiscard]] QString text(int row, int column) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    TablePrintout m_table;
};
