#pragma once

#include "PageModel.h"
#include "core/RowFeed.h"

class Database;

/// The contract and the warranty: a title and a stored text, continued on further
/// pages under the same title when it is longer than one page.
namespace TextReports {

inline const QString kContract = QStringLiteral("ReportContract");
inline const QString kWarranty = QStringLiteral("ReportWarranty");

/// rvstrContractTitle and rvstrContractBody, as stored (not as an open writer shows them).
[[nodiscard]] ReportParameters pSetContractData(Database &db);
/// rvstrWarrantyTitle and rvstrWarrantyBody, as stored.
[[nodiscard]] ReportParameters pSetWarrantyData(Database &db);

[[nodiscard]] QList<ReportPage> ReportContract(const ReportParameters &parameters);
[[nodiscard]] QList<ReportPage> ReportWarranty(const ReportParameters &parameters);

} // namespace TextReports
