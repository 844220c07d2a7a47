#pragma once

#include "invoice/Receivables.h"

#include <QAbstractTableModel>
#include <QLocale>

/// The unpaid invoices as the receivables window lists them: the rows a search
/// leaves, in the order the user sorted them. Cells show the user's dates and
/// currency; sorting compares the values underneath (dates as dates, amounts as
/// numbers).
class ReceivablesModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Customer, Invoice, Date, DueDate, Total, Paid, Balance, DaysOverdue, Age, ColumnCount };

    explicit ReceivablesModel(QObject *parent = nullptr);

    /// Lists \a rows (oldest due date first) in place of the rows before, keeping
    /// the search and the sort.
    void setRows(const QList<Receivables::Row> &rows, const QLocale &locale);
    /// Keeps only the rows whose customer contains \a text, or whose invoice or
    /// notice number starts with it, in any letter case.
    void setSearch(const QString &text);
    [[nodiscard]] QString search() const { return m_search; }

    /// The rows listed, in list order.
    [[nodiscard]] const QList<Receivables::Row> &listed() const { return m_listed; }
    [[nodiscard]] const Receivables::Row &row(int index) const { return m_listed.at(index); }

    /// "512", or "512 (notice 530)" when a past-due notice was made for it.
    [[nodiscard]] static QString invoiceText(const Receivables::Row &row);
    [[nodiscard]] static QString cellText(const Receivables::Row &row, int column, const QLocale &locale);
    [[nodiscard]] static bool isRightAligned(int column);
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void relist();

    QList<Receivables::Row> m_all;
    QStringList m_foldedCustomers; // of m_all, in its order
    QList<Receivables::Row> m_listed;
    QLocale m_locale;
    QString m_search;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
