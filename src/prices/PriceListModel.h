#pragma once

#include "PriceStore.h"

#include <QAbstractTableModel>
#include <QLocale>

/// The price list as the window shows it and the price list report reads it: the
/// description and the two prices as currency, then five hidden columns with the
/// row's raw values (flags as boolean text, prices as decimal text, the id).
class PriceListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Description, LaborPrice, MaterialPrice, LabTax, MatTax, LabPrice, MatPrice, PriceItmID, ColumnCount };

    explicit PriceListModel(const QLocale &locale, QObject *parent = nullptr);

    /// Replaces every row at once: one reset, however many rows.
    void setItems(QList<PriceItem> items);
    [[nodiscard]] const QList<PriceItem> &items() const { return m_items; }
    [[nodiscard]] const PriceItem &item(int row) const { return m_items.at(row); }

    [[nodiscard]] QString cellText(const PriceItem &item, int column) const;
    /// The column's width in the window; 0 for the hidden raw columns.
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QLocale m_locale;
    QList<PriceItem> m_items;
};
