#pragma once

#include "PlannerRecords.h"

#include <QAbstractTableModel>
#include <QList>
#include <QLocale>

/// The planner's activity list: one row per listed day of an activity, in the
/// twelve columns the list and its printout read.
class ActivityListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        StartDateTime,
        EndDateTime,
        Date,
        ActivityStart,
        ActivityEnd,
        Activity,
        ActNotes,
        ActMasterID,
        ActDayOfYear,
        ActYear,
        Priority,
        ActID,
        ColumnCount
    };

    explicit ActivityListModel(const QLocale &locale, QObject *parent = nullptr);

    void setRows(QList<PlannerRow> rows);
    [[nodiscard]] const QList<PlannerRow> &rows() const { return m_rows; }
    /// Columns the user sees; the others carry data for editing and printing.
    [[nodiscard]] static bool isShown(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    [[nodiscard]] QString text(const PlannerRow &row, int column) const;

    QLocale m_locale;
    QList<PlannerRow> m_rows;
};
