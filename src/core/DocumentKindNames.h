#pragma once

#include <QString>

/// The six document kinds. A kind is its name; every test of a kind ignores case.
namespace DocumentKinds {

inline const QString kEstimate = QStringLiteral("Estimate");
inline const QString kWorkOrder = QStringLiteral("Work Order");
inline const QString kChangeOrder = QStringLiteral("Change Order");
inline const QString kInvoice = QStringLiteral("Invoice");
inline const QString kCredit = QStringLiteral("Credit");
inline const QString kPastDue = QStringLiteral("Past Due");

[[nodiscard]] inline bool is(const QString &name, const QString &kind)
{
    return name.compare(kind, Qt::CaseInsensitive) == 0;
}

} // namespace DocumentKinds
