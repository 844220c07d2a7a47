#pragma once

#include "core/RowFeed.h"

#include <QLocale>

struct PriceItem;

namespace ListReports {

/// The price window's rows: description, labor and material price as listed,
/// and the two taxable flags as "True" or "False".
[[nodiscard]] RowFeed RvCustomConnectionPrice(const QList<PriceItem> &items, const QLocale &locale);

} // namespace ListReports
