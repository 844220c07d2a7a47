#pragma once

#include "invoice/Receivables.h"

#include <QAbstractTableModel>
#include <QLocale>

/// What each customer owes, by age: the customer, the five buckets and the balance.
/// Sorting compares names and amounts, not their texts.
class CustomerTotalsModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    /// Columns 1 to 5 are the buckets, in Receivables::Bucket order; then the
    /// customer's credit (below zero), the balance after it, and the retainage held
    /// (not yet due, so not in the balance).
    enum Column {
        Customer,
        FirstBucket,
        Credit = FirstBucket + Receivables::BucketCount,
        Balance,
        RetainageHeld,
        ColumnCount
    };

    explicit CustomerTotalsModel(QObject *parent = nullptr);

    /// Lists the totals of \a rows, keeping the sort.
    void setRows(const QList<Receivables::Row> &rows, const QLocale &locale);
    /// Lists \a totals, keeping the sort.
    void setTotals(QList<Receivables::CustomerTotal> totals, const QLocale &locale);
    [[nodiscard]] const QList<Receivables::CustomerTotal> &totals() const { return m_totals; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void sortTotals();

    QList<Receivables::CustomerTotal> m_totals;
    QLocale m_locale;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
