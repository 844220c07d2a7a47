#include "InvoiceLines.h"

InvoiceLines::InvoiceLines(int columnCount, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(columnCount)
{
}

void InvoiceLines::setHeaderCaptions(const QStringList &captions)
{
    m_captions = captions;
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

int InvoiceLines::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int InvoiceLines::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant InvoiceLines::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

bool InvoiceLines::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setCell(index.row(), index.column(), value.toString());
    return true;
}

QVariant InvoiceLines::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_captions.size())
        return m_captions.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void InvoiceLines::setCell(int row, int column, const QString &text)
{
    QString &current = m_rows[row][column];
    if (current == text)
        return;
    current = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}

QStringList InvoiceLines::normalized(QStringList cells) const
{
    while (cells.size() < m_columns)
        cells.append(QString());
    return cells.mid(0, m_columns);
}

void InvoiceLines::appendRow(QStringList cells)
{
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append(normalized(std::move(cells)));
    endInsertRows();
}

void InvoiceLines::replaceRow(int row, QStringList cells)
{
    m_rows[row] = normalized(std::move(cells));
    emit dataChanged(index(row, 0), index(row, m_columns - 1));
}

void InvoiceLines::removeLine(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void InvoiceLines::clear()
{
    setRows({});
}

void InvoiceLines::setRows(QList<QStringList> rows)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (QStringList &cells : rows)
        m_rows.append(normalized(std::move(cells)));
    endResetModel();
}
