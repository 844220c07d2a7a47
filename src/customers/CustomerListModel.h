#pragma once

#include "CustomerStore.h"

#include <QAbstractTableModel>

/// The customer list as the window shows it and the customer list report reads it:
/// a hidden id column, then company, name, address, city line and phone.
class CustomerListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { CustId, Company, CustomerName, Address, CityStateZip, PhoneNumber, ColumnCount };

    explicit CustomerListModel(QObject *parent = nullptr);

    /// Replaces every row at once: one reset, however many rows.
    void setEntries(QList<CustomerListEntry> entries);
    [[nodiscard]] const QList<CustomerListEntry> &entries() const { return m_entries; }
    [[nodiscard]] const CustomerListEntry &entry(int row) const { return m_entries.at(row); }

    /// The text of \a column for \a entry, as listed.
    [[nodiscard]] static QString cellText(const CustomerListEntry &entry, int column);
    /// The column's width in the window; 0 for the hidden id.
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<CustomerListEntry> m_entries;
};
