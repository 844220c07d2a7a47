#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct TrecCmpnyInvData;
struct TrecInvHeader;

/// What the document editors show, decided without a window.
namespace EditorRules {

/// The kinds the editor's kind selector offers, and whether it can be changed.
struct KindChoice
{
    QStringList kinds;
    bool enabled = true;
};

/// A new document may be of any kind of \a invoiceTypes. A saved one moves only
/// forward along Estimate, Work Order, Change Order, Invoice; an Invoice, Credit or
/// Past Due notice keeps its kind and the selector is locked. Kinds the edition
/// does not offer are left out. A saved document of a kind the edition does not
/// know is offered every kind rather than none.
[[nodiscard]] KindChoice pLoadInvNames(const QStringList &invoiceTypes, const QString &kind, bool newDocument);

/// The customer block: one line per non-empty customer field, then the office
/// notes (which are not printed) under their own heading.
[[nodiscard]] QString customerBlock(const TrecInvHeader &header);

/// The paid/deposit button's caption and hint and the footer label, by kind.
struct PaidDepositWording
{
    QString caption;
    QString hint;
    QString label;
};
/// Nothing for a kind that is neither a deposit nor a paid kind.
[[nodiscard]] std::optional<PaidDepositWording> paidDepositWording(const QString &kind);

/// A saved document whose tax rates are not the company's current ones.
[[nodiscard]] bool taxRatesDiffer(const TrecInvHeader &header, const TrecCmpnyInvData &company);
[[nodiscard]] QString taxRatesQuestion(const TrecInvHeader &header);
void useCurrentTaxRates(TrecInvHeader &header, const TrecCmpnyInvData &company);

} // namespace EditorRules
