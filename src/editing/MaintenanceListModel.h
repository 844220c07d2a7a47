#pragma once

#include "MaintenanceQuery.h"

#include <QAbstractTableModel>

/// The maintenance list: number, kind, customer, company, total and info.
class MaintenanceListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Number, InvoiceType, Customer, Company, Total, Info, ColumnCount };

    explicit MaintenanceListModel(QObject *parent = nullptr);

    /// Replaces every row at once: one reset, however many rows.
    void setRows(QList<MaintenanceRow> rows);
    [[nodiscard]] const MaintenanceRow &row(int index) const { return m_rows.at(index); }

    [[nodiscard]] static QString cellText(const MaintenanceRow &row, int column);
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<MaintenanceRow> m_rows;
};
