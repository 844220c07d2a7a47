#pragma once

#include "Payments.h"

#include <QDate>
#include <QLocale>
#include <optional>

class Prompts;
struct CurrentDocument;
struct DocumentTotals;
struct TrecInvHeader;
struct TrecSavedData;

/// How payments, the paid amount, the balance and paid in full hang together, on
/// the document in memory.
namespace PaymentRules {

/// The document's total after discount and taxes, to the cent.
[[nodiscard]] double grandTotal(const DocumentTotals &totals);

/// Payments count on an invoice, a past-due notice or a credit as its paid amount,
/// and on a deposit kind as deposits received.
[[nodiscard]] double received(const CurrentDocument &doc);

/// What is still owed: the total less received(); nothing on an invoice paid in
/// full, whatever its payments say, unless more was paid than its total: then the
/// balance is the customer's credit, below zero. A past-due notice whose invoice is
/// stored owes what that invoice owes. Needs the totals computed.
[[nodiscard]] double balance(const CurrentDocument &doc);

/// Only an invoice is paid in full, posting it to the monthly report.
[[nodiscard]] bool canBePaidInFull(const TrecInvHeader &header);

/// Why no payment may be recorded on the document; nothing when one may. A
/// recurring original is a pattern: its printed copies are what is owed.
[[nodiscard]] std::optional<QString> refusal(const CurrentDocument &doc);

/// The question to ask before recording \a amount when it is more than the
/// document still owes; nothing when it is not. Needs the totals computed.
[[nodiscard]] std::optional<QString> overpaymentQuestion(const CurrentDocument &doc, double amount,
                                                         const QLocale &locale);

/// Whether \a amount may be recorded on the document: a refusal is shown, more than
/// is owed is asked about (No is the default).
[[nodiscard]] bool confirmPayment(const CurrentDocument &doc, double amount, Prompts &prompts, const QLocale &locale);

/// Before the paid-in-full mark comes off: asks whether to remove the payment that
/// marking recorded (Yes is the default), so the invoice owes what it owed before.
/// Returns the amount removed, 0 when none was.
double askToRemoveMarkedPayment(CurrentDocument &doc, Prompts &prompts, const QLocale &locale);

/// Adds \a payment; an invoice whose balance reaches zero becomes paid in full.
/// Returns whether it did. Needs the totals computed.
bool record(CurrentDocument &doc, const Payment &payment);

/// Removes payment \a index after asking (No is the default). On an invoice paid
/// in full it also asks whether to take the mark off, which undoes its posting at
/// the next save. Returns false when the user kept the payment.
bool askAndRemove(CurrentDocument &doc, int index, Prompts &prompts, const QLocale &locale);

/// Makes the stored paid amount the sum of the payments, before a save:
/// - an amount paid typed on the document that differs from its payments is kept
///   as one more payment of the difference, dated \a today;
/// - an invoice newly marked paid in full (it was not in \a saved) gets a payment
///   of what it still owed, dated \a today.
/// Needs the totals computed.
void settle(CurrentDocument &doc, const TrecSavedData &saved, bool isNew, QDate today);

/// A copy that owes its whole total (past-due notices, recurring copies): no
/// payments, nothing paid, not paid in full.
void startWithoutPayments(CurrentDocument &doc);

} // namespace PaymentRules
