#pragma once

#include <QAbstractTableModel>
#include <QStringList>

/// The current document's line table: rows of text cells, as the editors show them
/// and the totals, saving and printing read them. Column 0 is the row's caption
/// (description or work-sheet name); the other columns are its sub-items.
class InvoiceLines final : public QAbstractTableModel
{
    Q_OBJECT
public:
    /// Columns of a price-item line.
    enum PriceColumn {
        Description,
        Quantity,
        PriceEach, // unit price after discount, currency text (computed)
        Total,     // line total, currency text (computed)
        LabPrice,  // labor unit price before discount, decimal text
        LabTax,    // boolean text
        MatPrice,  // material unit price before discount, decimal text
        MatTax,    // boolean text
        TaxTotal,  // always empty
        PriceColumnCount
    };

    /// Columns of a work sheet: the name, the 24 stored fields in table order, then
    /// the computed square feet and amount.
    enum WorkSheetColumn {
        WorkSheetName,
        IntExt,
        AreaWorkOn,
        PaintsCoats,
        TrimCoats,
        AreaLength,
        AreaWidth,
        AreaHeight,
        AreaMultiplier,
        Prime,
        Wash,
        Sand,
        Caulk,
        Mask,
        NumOfDoors,
        NumOfDoorFrmTrm,
        NumOfWindowFrmTrm,
        NumOfClosets,
        HngWallpaper,
        RmvWallpaper,
        HngBoarder,
        RmvBorder,
        ExtraChargesName,
        ExtraChargesLabor,
        ExtraChargesMaterial,
        AreaSqft,   // computed
        AreaAmount, // computed
        WorkSheetColumnCount
    };

    /// \a columnCount is PriceColumnCount or WorkSheetColumnCount.
    explicit InvoiceLines(int columnCount = PriceColumnCount, QObject *parent = nullptr);

    void setHeaderCaptions(const QStringList &captions);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    [[nodiscard]] QString cell(int row, int column) const { return m_rows.at(row).at(column); }
    void setCell(int row, int column, const QString &text);
    [[nodiscard]] const QStringList &rowCells(int row) const { return m_rows.at(row); }
    /// Appends a row; missing cells are empty, extra cells are dropped.
    void appendRow(QStringList cells);
    void replaceRow(int row, QStringList cells);
    void removeLine(int row);
    void clear();
    /// Replaces all rows at once (one model reset, not one signal per row).
    void setRows(QList<QStringList> rows);

private:
    QStringList normalized(QStringList cells) const;

    int m_columns;
    QStringList m_captions;
    QList<QStringList> m_rows;
};
