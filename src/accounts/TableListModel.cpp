#include "TableListModel.h"

#include <QFont>

void TableListModel::setTable(TablePrintout table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

bool TableListModel::isTotal(int row) const
{
    const QStringList &cells = m_table.rows.at(row);
    return !cells.isEmpty() && cells.first().startsWith(TablePrintout::kTotalMark);
}

QString TableListModel::text(int row, int column) const
{
    const QString cell = m_table.rows.at(row).value(column);
    return column == 0 && isTotal(row) ? cell.mid(1) : cell;
}

int TableListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.rows.size());
}

int TableListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.headings.size());
}

namespace {

bool rightAligned(const QString &alignment, int column)
{
    return column < alignment.size() && alignment.at(column) == QLatin1Char('1');
}

} // namespace

QVariant TableListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (rightAligned(m_table.rightAligned, index.column()) ? Qt::AlignRight
                                                                                                     : Qt::AlignLeft));
    case Qt::FontRole:
        if (isTotal(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant TableListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_table.headings.value(section);
    if (role == Qt::TextAlignmentRole && rightAligned(m_table.rightAligned, section))
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    return {};
}
