#include "ProgressTableModel.h"

#include "invoice/Money.h"

#include <QColor>
#include <QFont>

namespace {

ProgressSession::Entry entryOf(int column)
{
    return column == ProgressTableModel::Percent ? ProgressSession::Entry::Percent : ProgressSession::Entry::Amount;
}

bool typedIn(int column)
{
    return column == ProgressTableModel::Percent || column == ProgressTableModel::ToDate;
}

} // namespace

ProgressTableModel::ProgressTableModel(ProgressSession &session, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
{
}

int ProgressTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_session.itemCount() + 1;
}

int ProgressTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ProgressTableModel::shown(int row, int column) const
{
    if (!isTotal(row) && typedIn(column) && m_session.entry(row) == entryOf(column)
        && !m_session.typedText(row).isEmpty())
        return m_session.typedText(row); // as typed, even when it does not read
    const ProgressSession::Row r = isTotal(row) ? m_session.totals() : m_session.row(row);
    switch (column) {
    case Item: {
        if (isTotal(row))
            return tr("Total");
        const QString description = m_session.item(row).description.simplified();
        return description.isEmpty() ? tr("Item %1").arg(row + 1) : description;
    }
    case Value:
        return m_session.amountText(r.valueCents);
    case Previous:
        return m_session.amountText(r.beforeCents);
    case ThisPeriod:
        return m_session.amountText(r.thisPeriodCents);
    case Percent:
        return m_session.percentText(r.percent);
    case ToDate:
        return m_session.amountText(r.toDateCents);
    case Balance:
        return m_session.amountText(r.balanceCents);
    case Retainage:
        return m_session.amountText(r.retainageCents);
    default:
        return {};
    }
}

QString ProgressTableModel::editText(int row, int column) const
{
    if (m_session.entry(row) == entryOf(column) && !m_session.typedText(row).isEmpty())
        return m_session.typedText(row);
    const ProgressSession::Row r = m_session.row(row);
    if (column == Percent)
        return m_session.locale().toString(r.percent, 'f', 2);
    return Money::fieldText(r.toDateCents / 100.0, m_session.locale());
}

QVariant ProgressTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return shown(row, column);
    case Qt::EditRole:
        return typedIn(column) && !isTotal(row) ? editText(row, column) : shown(row, column);
    case Qt::TextAlignmentRole:
        return column == Item ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (isTotal(row)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        if (!isTotal(row) && m_session.itemProblem(row))
            return QColor(Qt::red);
        return {};
    case Qt::ToolTipRole:
        if (!isTotal(row))
            return m_session.itemProblem(row).value_or(column == Item ? shown(row, column) : QString());
        return {};
    default:
        return {};
    }
}

QVariant ProgressTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Item:
        return tr("Item");
    case Value:
        return tr("Scheduled Value");
    case Previous:
        return tr("Previous");
    case ThisPeriod:
        return tr("This Period");
    case Percent:
        return tr("% Complete");
    case ToDate:
        return tr("Completed to Date");
    case Balance:
        return tr("Balance to Finish");
    case Retainage:
        return tr("Retainage");
    default:
        return {};
    }
}

Qt::ItemFlags ProgressTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && typedIn(index.column()) && !isTotal(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ProgressTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    if (index.column() == Percent)
        m_session.typePercent(index.row(), text);
    else
        m_session.typeAmount(index.row(), text);
    // One figure moves the totals and the share of retainage of every row.
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, ColumnCount - 1));
    emit figuresChanged();
    return true;
}
