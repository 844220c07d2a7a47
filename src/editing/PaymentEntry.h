#pragma once

#include "invoice/Payments.h"

#include <QLocale>
#include <variant>

struct CurrentDocument;

/// A payment as the user types it in the Record Payment window.
namespace PaymentEntry {

struct Typed
{
    QDate date;
    /// In the user's locale ("1,234.50").
    QString amount;
    QString method;
    QString reference;
    QString note;
};

/// The payment, or the message saying what is wrong with what was typed: an amount
/// that is missing, not a number, not above zero or too large, or no date.
[[nodiscard]] std::variant<Payment, QString> read(const Typed &typed, const QLocale &locale);

/// What the window offers first: on a deposit kind the deposit required less the
/// deposits received, on any other kind the balance; nothing when that is not above
/// zero. Shown as an amount field shows it. Needs the totals computed.
[[nodiscard]] QString suggestedAmount(const CurrentDocument &document, const QLocale &locale);

} // namespace PaymentEntry
