#include "CustomerTotalsModel.h"

#include "invoice/Money.h"

#include <QCollator>
#include <algorithm>
#include <vector>

namespace {

using Receivables::CustomerTotal;

double amountOf(const CustomerTotal &total, int column)
{
    if (column == CustomerTotalsModel::Balance)
        return total.balance;
    if (column == CustomerTotalsModel::Credit)
        return total.credit;
    if (column == CustomerTotalsModel::RetainageHeld)
        return total.retainageHeld;
    return total.buckets[std::size_t(column - CustomerTotalsModel::FirstBucket)];
}

} // namespace

CustomerTotalsModel::CustomerTotalsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void CustomerTotalsModel::setRows(const QList<Receivables::Row> &rows, const QLocale &locale)
{
    setTotals(Receivables::customerTotals(rows), locale);
}

void CustomerTotalsModel::setTotals(QList<Receivables::CustomerTotal> totals, const QLocale &locale)
{
    beginResetModel();
    m_totals = std::move(totals);
    m_locale = locale;
    sortTotals();
    endResetModel();
}

void CustomerTotalsModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column;
    m_sortOrder = order;
    sortTotals();
    endResetModel();
}

void CustomerTotalsModel::sortTotals()
{
    if (m_sortColumn < 0 || m_sortColumn >= ColumnCount)
        return; // by customer, as the totals come
    const int column = m_sortColumn;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (column != Customer) {
        std::stable_sort(m_totals.begin(), m_totals.end(), [column, descending](const CustomerTotal &a, const CustomerTotal &b) {
            const int order = amountOf(a, column) < amountOf(b, column) ? -1 : (amountOf(b, column) < amountOf(a, column) ? 1 : 0);
            return descending ? order > 0 : order < 0;
        });
        return;
    }
    // One collation key per customer, not two foldings and a collation per comparison.
    const QCollator collator;
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(std::size_t(m_totals.size()));
    for (qsizetype i = 0; i < m_totals.size(); ++i)
        keys.emplace_back(collator.sortKey(m_totals.at(i).customer.toCaseFolded()), i);
    std::stable_sort(keys.begin(), keys.end(), [descending](const auto &a, const auto &b) {
        const int order = a.first.compare(b.first);
        return descending ? order > 0 : order < 0;
    });
    QList<CustomerTotal> sorted;
    sorted.reserve(m_totals.size());
    for (const auto &key : keys)
        sorted.append(std::move(m_totals[key.second]));
    m_totals = std::move(sorted);
}

int CustomerTotalsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_totals.size());
}

int CustomerTotalsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CustomerTotalsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_totals.size())
        return {};
    const Qt::Alignment alignment = index.column() == Customer ? Qt::AlignLeft : Qt::AlignRight;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const CustomerTotal &total = m_totals.at(index.row());
    if (index.column() == Customer)
        return total.customer;
    const double amount = amountOf(total, index.column());
    // Empty buckets stay blank so the ones that owe stand out.
    return amount == 0 && index.column() != Balance ? QString() : Money::currencyText(amount, m_locale);
}

QVariant CustomerTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((section == Customer ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (section == Customer)
        return tr("Customer");
    if (section == Balance)
        return tr("Balance");
    if (section == Credit)
        return tr("Credit");
    if (section == RetainageHeld)
        return tr("Retainage Held");
    return Receivables::bucketCaption(Receivables::Bucket(section - FirstBucket));
}
