#pragma once

#include <QLocale>
#include <QString>

struct CompanyRecord;
struct CurrentDocument;

namespace WorkSheetText {

/// The printable description of every work sheet of \a document, line by line, as
/// the invoice prints it in place of price lines. The company's show flags remove
/// whole lines; the name, square feet, amount and the empty line after each sheet
/// are always there. Run the totals first: it reads the computed cells.
[[nodiscard]] QString GetWorkSheetText(const CurrentDocument &document, const CompanyRecord &company,
                                       const QLocale &locale);

} // namespace WorkSheetText
