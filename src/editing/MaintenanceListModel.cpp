#include "MaintenanceListModel.h"

#include "data/DbError.h"

MaintenanceListModel::MaintenanceListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void MaintenanceListModel::setRows(std::shared_ptr<QueryWindow> listed, const QLocale &locale)
{
    beginResetModel();
    m_listed = std::move(listed);
    m_locale = locale;
    endResetModel();
}

MaintenanceRow MaintenanceListModel::row(int index) const
{
    return m_listed ? MaintenanceRow::fromTexts(m_listed->row(index), m_locale) : MaintenanceRow();
}

QString MaintenanceListModel::cellText(const MaintenanceRow &row, int column)
{
    switch (column) {
    case Number: return QString::number(row.intInvNumber);
    case InvoiceType: return row.strInvName;
    case Customer: return row.strCustFullName;
    case Company: return row.strCustCmpnyName;
    case Total: return row.strInvTotal;
    case Paid: return row.strPaidAmount;
    case Info: return row.info();
    default: return {};
    }
}

int MaintenanceListModel::columnWidth(int column)
{
    static constexpr int widths[ColumnCount] = {80, 125, 160, 160, 100, 100, 80};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

int MaintenanceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_listed ? 0 : m_listed->rowCount();
}

int MaintenanceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MaintenanceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && (index.column() == Total || index.column() == Paid))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    try {
        return cellText(row(index.row()), index.column());
    } catch (const DbError &) {
        // A row that cannot be read now (the file locked for long) shows empty; the
        // next search or action reads it again.
        return {};
    }
}

QVariant MaintenanceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[ColumnCount] = {"Number",  "Invoice Type", "Customer", "Company",
                                                      "Total",   "Paid",         "Info"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(captions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
