#pragma once

#include <QLocale>
#include <QString>
#include <optional>

struct TrecInvHeader;

/// The money already received for a document: the deposit asked before the work
/// (Estimate, Work Order, Change Order) or the amount paid (Invoice, Credit, Past Due).
namespace PaidAndDeposit {

enum class Group { Deposit, Paid, Other };

/// Which amount a document of kind \a kind carries; case is ignored.
[[nodiscard]] Group groupOf(const QString &kind);

/// The dialog's wording for a group; Other has no wording of its own.
struct Wording
{
    QString caption;
    QString amountLabel;
    QString amountHint;
};
[[nodiscard]] std::optional<Wording> wordingFor(Group group);

/// The amount the dialog starts with, as an amount field shows it ("0.00", "12.50");
/// empty for a kind of neither group.
[[nodiscard]] QString amountText(const TrecInvHeader &header, const QLocale &locale);

/// The suggested deposit: \a depositPercent of \a total, as currency text.
[[nodiscard]] QString recommendedDeposit(int depositPercent, double total, const QLocale &locale);

/// Writes the typed amount (empty means 0) into the kind's amount field and the
/// paid-in-full state into the header. Returns the reason when the amount is not a
/// number; the header is then left untouched.
[[nodiscard]] std::optional<QString> apply(TrecInvHeader &header, const QString &amount, bool paidInFull,
                                           const QLocale &locale);

} // namespace PaidAndDeposit
