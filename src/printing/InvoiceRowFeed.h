#pragma once

#include "core/RowFeed.h"

class DocumentContext;
class QLocale;
struct TrecCmpnyInvData;

/// The rows of the printed document (the data connection RvCustomConnectionInvoice):
/// its price-item lines and notes lines, or the Heddrin work-sheet description.
namespace InvoiceRows {

inline const QString kFeedName = QStringLiteral("RvCustomConnectionInvoice");
inline const QString kDescription = QStringLiteral("rvstrDescription");
inline const QString kRight = QStringLiteral("rvstrRight");
inline const QString kMiddle = QStringLiteral("rvstrMiddle");
inline const QString kLeft = QStringLiteral("rvstrLeft");
/// Not empty on a row that prints on the same page as the row after it.
inline const QString kKeepWithNext = QStringLiteral("KeepWithNext");

/// A value a price-item line can print beside its description.
enum class Value { Total, PriceEach, Quantity };

/// Prices print on every kind but a work order, unless the company shows them there too.
[[nodiscard]] bool pricesShown(const QString &kind, const TrecCmpnyInvData &settings);

/// The values the lines print, in the order they take the columns from the right:
/// total, price each, quantity, each only when the company shows it.
[[nodiscard]] QList<Value> shownValues(const QString &kind, const TrecCmpnyInvData &settings);

/// The value columns from the right: rvstrRight, rvstrMiddle, rvstrLeft.
[[nodiscard]] const QStringList &valueColumns();

/// The feed for the current document of \a context. A blank hand-write form has no
/// rows. The lines of one work sheet, through its "Total :" line, are kept together.
/// Throws ReportError when a quantity or price of a line is not a number.
[[nodiscard]] RowFeed RvCustomConnectionInvoice(const DocumentContext &context);

} // namespace InvoiceRows
