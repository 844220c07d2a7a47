#include "MaintenanceListModel.h"

MaintenanceListModel::MaintenanceListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void MaintenanceListModel::setRows(QList<MaintenanceRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString MaintenanceListModel::cellText(const MaintenanceRow &row, int column)
{
    switch (column) {
    case Number: return QString::number(row.intInvNumber);
    case InvoiceType: return row.strInvName;
    case Customer: return row.strCustFullName;
    case Company: return row.strCustCmpnyName;
    case Total: return row.strInvTotal;
    case Info: return row.info();
    default: return {};
    }
}

int MaintenanceListModel::columnWidth(int column)
{
    static constexpr int widths[ColumnCount] = {80, 125, 160, 160, 100, 80};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

int MaintenanceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MaintenanceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MaintenanceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == Total)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return cellText(m_rows.at(index.row()), index.column());
}

QVariant MaintenanceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[ColumnCount] = {"Number", "Invoice Type", "Customer",
                                                      "Company", "Total",        "Info"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(captions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
