#pragma once

#include "MaintenanceQuery.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QTimer>
#include <functional>
#include <memory>

/// The maintenance list: number, kind, customer, company, total, paid and info. Rows
/// are read from the database as the view scrolls to them. A search that matches many
/// shows its first rows at once; its count, a pass over every match, is made on
/// another connection in the background and lengthens the list when it comes.
class MaintenanceListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Number, InvoiceType, Customer, Company, Total, Paid, Info, ColumnCount };

    /// Runs a count on a connection of its own, on a thread other than the window's.
    using Counter = std::function<int(const QueryWindow::Counting &)>;

    explicit MaintenanceListModel(QObject *parent = nullptr);

    /// Where counts are made in the background; without one they are made when asked.
    void setCounter(Counter counter) { m_counter = std::move(counter); }
    /// Lists \a listed in place of the rows before (one reset), totals shown in
    /// \a locale's currency format.
    void setRows(std::shared_ptr<QueryWindow> listed, const QLocale &locale);
    [[nodiscard]] bool countKnown() const { return !m_listed || m_listed->countKnown(); }
    /// Lists every row now (for the last row, say), counting when the count is not
    /// known yet. Throws DbError.
    void countNow();
    /// Row \a index; throws DbError when it cannot be read.
    [[nodiscard]] MaintenanceRow row(int index) const;

    [[nodiscard]] static QString cellText(const MaintenanceRow &row, int column);
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    /// The list is as long as its count.
    void counted();

private:
    void countInBackground();
    /// Shows the rows the window holds beyond those shown.
    void showKnownRows();

    std::shared_ptr<QueryWindow> m_listed;
    QLocale m_locale;
    Counter m_counter;
    int m_shown = 0;
    // Typing waits for a pause before counting: a count cannot be stopped once it runs.
    QTimer m_countPause;
};
