#pragma once

#include "invoice/WorkSheet.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QStringList>

/// One price-item line of a document, as typed values.
struct PriceLine
{
    QString description;
    double quantity = 0;
    /// Unit prices before the customer's discount.
    double laborPrice = 0;
    double materialPrice = 0;
    bool laborTaxable = true;
    bool materialTaxable = true;

    friend bool operator==(const PriceLine &, const PriceLine &) = default;
};

/// What the totals work out for one line: a price item's unit price after discount
/// and its total, a work sheet's square feet and amount.
struct LineAmounts
{
    double priceEach = 0;
    double total = 0;
    int sqft = 0;

    friend bool operator==(const LineAmounts &, const LineAmounts &) = default;
};

/// The current document's lines: price items (editions 1, 3 and 4) or work sheets
/// (Heddrin), held as typed values. As a table model it shows them as the editors'
/// texts; every shown text of a line is derived here, in the model's locale.
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
        LabPrice,  // labor unit price before discount
        LabTax,    // boolean text
        MatPrice,  // material unit price before discount
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

    /// Lines of work sheets when \a workSheets is set, of price items otherwise.
    explicit InvoiceLines(bool workSheets = false, QObject *parent = nullptr);

    [[nodiscard]] bool holdsWorkSheets() const { return m_workSheets; }
    void setHeaderCaptions(const QStringList &captions);
    /// The locale the shown texts are written in.
    void setLocale(const QLocale &locale);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// The text shown for \a column of line \a row.
    [[nodiscard]] QString cell(int row, int column) const;

    [[nodiscard]] const PriceLine &priceLine(int row) const { return m_priceLines.at(row); }
    [[nodiscard]] const QList<PriceLine> &priceLines() const { return m_priceLines; }
    void appendPriceLine(const PriceLine &line);
    void setPriceLine(int row, const PriceLine &line);
    /// Replaces all lines at once (one model reset, not one signal per line).
    void setPriceLines(QList<PriceLine> lines);

    [[nodiscard]] const WorkSheet &workSheet(int row) const { return m_sheets.at(row); }
    [[nodiscard]] const QList<WorkSheet> &workSheets() const { return m_sheets; }
    void appendWorkSheet(const WorkSheet &sheet);
    void setWorkSheet(int row, const WorkSheet &sheet);
    void setWorkSheets(QList<WorkSheet> sheets);

    [[nodiscard]] const LineAmounts &amounts(int row) const { return m_amounts.at(row); }
    /// Set by the totals.
    void setAmounts(int row, const LineAmounts &amounts);

    void removeLine(int row);
    void clear();

    /// The text of a work-sheet field (WorkSheetName .. ExtraChargesMaterial) as its
    /// control shows it; an extra charge of 0 shows empty.
    [[nodiscard]] static QString workSheetText(const WorkSheet &sheet, int column, const QLocale &locale);
    /// Takes a field's typed text into \a sheet. False, and \a sheet unchanged, when a
    /// count is not a whole number or an extra charge not an amount.
    [[nodiscard]] static bool setWorkSheetField(WorkSheet &sheet, int column, const QString &text,
                                                const QLocale &locale);

private:
    void rowChanged(int row);

    bool m_workSheets;
    QLocale m_locale;
    QStringList m_captions;
    QList<PriceLine> m_priceLines;
    QList<WorkSheet> m_sheets;
    QList<LineAmounts> m_amounts;
};
