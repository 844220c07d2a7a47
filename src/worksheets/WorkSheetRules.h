#pragma once

#include "invoice/WorkSheet.h"

#include <QLocale>
#include <QString>
#include <QStringList>

struct LineAmounts;

/// What a work sheet may hold and when it counts as done, decided without a window.
namespace WorkSheetRules {

inline constexpr int kMaxSheets = 30;
inline constexpr int kNameLength = 20;
inline constexpr int kExtraNameLength = 25;
inline constexpr int kExtraAmountLength = 9;

struct Range
{
    int minimum = 0;
    int maximum = 0;
};

/// The values a count or choice of \a column (InvoiceLines::WorkSheetColumn) may take.
[[nodiscard]] Range limits(int column);
/// The entries of a choice field, in stored order; empty for a count or a text.
[[nodiscard]] QStringList choices(int column);

/// A fresh sheet at \a position (counted from 1): interior, walls and ceiling, once.
[[nodiscard]] WorkSheet newSheet(int position);

/// Brings every count within its limits, then drops what the sheet's kind rules
/// out: an exterior sheet has no closets or wallpaper work, a ceiling or floor no
/// height, a single wall no width.
void applyTies(WorkSheet &sheet);

/// A field (InvoiceLines::WorkSheetColumn) whose work needs a surface to be measured.
[[nodiscard]] bool isSurfaceWork(int column);

/// Paint, trim, preparation or wallpaper work chosen on the sheet.
[[nodiscard]] bool hasSurfaceWork(const WorkSheet &sheet);

/// The Complete state of a priced sheet: its amount is above 0, and, for the sheet
/// being edited, it does not ask for surface work without measurements.
[[nodiscard]] bool isComplete(const WorkSheet &sheet, const LineAmounts &amounts, bool beingEdited);

/// The name the list shows: the sheet's own, or "Work Sheet " + \a position.
[[nodiscard]] QString displayName(const QString &name, int position);

[[nodiscard]] QString fIncompleteWorkSheetMessage(const QString &name);

} // namespace WorkSheetRules
