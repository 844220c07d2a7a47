#pragma once

#include "invoice/ProgressSession.h"

#include <QAbstractTableModel>

/// The schedule of a progress invoice as the window lists it: one row per item and a
/// row of totals. The percent and the amount completed to date are typed in place;
/// every keystroke reaches the session at once.
class ProgressTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Item, Value, Previous, ThisPeriod, Percent, ToDate, Balance, Retainage, ColumnCount };

    explicit ProgressTableModel(ProgressSession &session, QObject *parent = nullptr);

    [[nodiscard]] bool isTotal(int row) const { return row == m_session.itemCount(); }

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    /// Something was typed: the totals, the bill and the refusal may have changed.
    void figuresChanged();

private:
    [[nodiscard]] QString shown(int row, int column) const;
    [[nodiscard]] QString editText(int row, int column) const;

    ProgressSession &m_session;
};
