#pragma once

#include "CurrentDocument.h"

#include <optional>

class Database;
class DocumentContext;

/// A past-due notice carries the invoice it stands for in strFromInvNameNumber
/// ("Invoice 512"); while that invoice is stored, the notice shows what it owes.
namespace PastDueLink {

/// The invoice a notice's link text names ("Invoice 512" -> 512); nothing otherwise.
[[nodiscard]] std::optional<int> invoiceNamed(const QString &fromNameNumber);

/// The number of the invoice \a notice stands for; nothing for any other document.
[[nodiscard]] std::optional<int> invoiceOf(const TrecInvHeader &notice);

/// What the stored invoice of \a notice owes now, read on \a db; nothing when the
/// document is no notice or its invoice is gone.
[[nodiscard]] std::optional<InvoiceOwed> owedOnInvoice(DocumentContext &context, Database &db,
                                                       const TrecInvHeader &notice);

/// Before invoice \a number is deleted: its notices take over its payments, so a
/// notice that is all that is left of the debt asks only for what was not paid.
void handOverPayments(Database &db, int number);

/// The maintenance list's total column: a notice shows its stored invoice's balance.
[[nodiscard]] QString listedTotalColumn();

} // namespace PastDueLink
