#pragma once

#include <QLocale>
#include <QString>
#include <optional>

class Prompts;
struct CurrentDocument;
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

/// Checks the amount paid typed into \a changed (a copy of \a doc's header) before
/// it is taken: none may be added to a recurring original, and more than is owed is
/// asked about (No is the default). When the paid-in-full mark comes off, asks
/// whether to remove the payment marking recorded, and takes it out of the payments
/// and of the amount in \a changed. Returns false when the dialog should stay open.
[[nodiscard]] bool confirmPaidAmount(CurrentDocument &doc, TrecInvHeader &changed, Prompts &prompts,
                                     const QLocale &locale);

} // namespace PaidAndDeposit
