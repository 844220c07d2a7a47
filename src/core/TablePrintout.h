#pragma once

#include "RowFeed.h"

#include <QList>
#include <QString>
#include <QStringList>

/// A titled table as a window lists it (receivables by age, a statement, a job's
/// documents), ready to print, preview or save through PrintKind::Table.
struct TablePrintout
{
    /// Printed large and bold, centred; also the printout's document name.
    QString title;
    /// Lines centred under the title (the date, the customer, the period).
    QStringList subTitle;
    /// One per column, repeated on every page.
    QStringList headings;
    /// Column widths in inches. Missing columns share what is left of the row; a
    /// row wider than the page is narrowed proportionally.
    QList<double> widths;
    /// One '1' (right) or '0' (left) per column; missing ones are left aligned.
    QString rightAligned;
    /// One text per column. A row whose first text starts with kTotalMark is a
    /// total or group row: printed bold, without the mark.
    QList<QStringList> rows;

    static constexpr QLatin1Char kTotalMark{'='};

    [[nodiscard]] ListPrintout toListPrintout() const;
};

/// The parameters the table report reads.
namespace TableParameters {
inline constexpr QLatin1String title{"rvstrTableTitle"};
/// Lines separated by '\n'.
inline constexpr QLatin1String subTitle{"rvstrTableSubTitle"};
/// Inches, comma separated, in C number form whatever the user's locale.
inline constexpr QLatin1String columnWidths{"rvstrColumnWidths"};
/// One '0' or '1' per column.
inline constexpr QLatin1String rightAligned{"rvstrRightAligned"};
} // namespace TableParameters
