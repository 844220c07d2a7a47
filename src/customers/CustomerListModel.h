#pragma once

#include "CustomerStore.h"

#include <QAbstractTableModel>
#include <memory>

/// The customer list as the window shows it and the customer list report reads it:
/// a hidden id column, then company, name, address, city line and phone. Rows are
/// read from the database as the view scrolls to them.
class CustomerListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { CustId, Company, CustomerName, Address, CityStateZip, PhoneNumber, ColumnCount };

    explicit CustomerListModel(QObject *parent = nullptr);

    /// Lists the rows of \a listed in place of the rows before: one reset.
    void setEntries(std::shared_ptr<QueryWindow> listed);
    /// Row \a row; throws DbError when it cannot be read.
    [[nodiscard]] CustomerListEntry entry(int row) const;

    /// The text of \a column for \a entry, as listed.
    [[nodiscard]] static QString cellText(const CustomerListEntry &entry, int column);
    /// The column's width in the window; 0 for the hidden id.
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<QueryWindow> m_listed;
};
