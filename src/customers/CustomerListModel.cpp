#include "CustomerListModel.h"

#include "data/DbError.h"

CustomerListModel::CustomerListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void CustomerListModel::setEntries(std::shared_ptr<QueryWindow> listed)
{
    beginResetModel();
    m_listed = std::move(listed);
    endResetModel();
}

CustomerListEntry CustomerListModel::entry(int row) const
{
    return m_listed ? CustomerListEntry::fromTexts(m_listed->row(row)) : CustomerListEntry();
}

QString CustomerListModel::cellText(const CustomerListEntry &e, int column)
{
    switch (column) {
    case CustId:
        return QString::number(e.intCustomerID);
    case Company:
        return e.strCustCompany;
    case CustomerName:
        return e.strCustFirstName + QLatin1Char(' ') + e.strCustLastName;
    case Address:
        return e.strCustAddress;
    case CityStateZip:
        return e.strCustCity + QStringLiteral(", ") + e.strCustState + QLatin1Char(' ') + e.strCustZipCode;
    case PhoneNumber:
        return e.strCustMainPhone;
    default:
        return {};
    }
}

int CustomerListModel::columnWidth(int column)
{
    static constexpr int widths[ColumnCount] = {0, 150, 140, 150, 150, 120};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

int CustomerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_listed ? 0 : m_listed->rowCount();
}

int CustomerListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CustomerListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    try {
        return cellText(entry(index.row()), index.column());
    } catch (const DbError &) {
        // Shown empty until the next search reads the row again.
        return {};
    }
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[ColumnCount] = {"Cust ID",         "Company",      "Customer Name",
                                                      "Address",         "City, State Zip", "Phone Number"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(captions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
