#pragma once

#include "MaintenanceQuery.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <memory>

/// The maintenance list: number, kind, customer, company, total, paid and info. Rows are
/// read from the database as the view scrolls to them.
class MaintenanceListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Number, InvoiceType, Customer, Company, Total, Paid, Info, ColumnCount };

    explicit MaintenanceListModel(QObject *parent = nullptr);

    /// Lists the rows of \a listed in place of the rows before: one reset.
    /// Lists \a listed, totals shown in \a locale's currency format.
    void setRows(std::shared_ptr<QueryWindow> listed, const QLocale &locale);
    /// Row \a index; throws DbError when it cannot be read.
    [[nodiscard]] MaintenanceRow row(int index) const;

    [[nodiscard]] static QString cellText(const MaintenanceRow &row, int column);
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<QueryWindow> m_listed;
    QLocale m_locale;
};
