#pragma once

#include "CurrentDocument.h"

#include <QDate>
#include <QLocale>

class Database;
class DocumentContext;

/// A customer's credit: what their documents were paid beyond their totals. It is
/// used up by paying another of their documents with it, or by giving it back.
namespace CustomerCredit {

struct Source
{
    int number = 0;
    /// Above zero.
    double credit = 0;
};

/// The documents of the customer of \a header, other than \a header itself, that
/// hold a credit, oldest first; read on \a db.
[[nodiscard]] QList<Source> sources(DocumentContext &context, Database &db, const TrecInvHeader &header);

/// Their sum: the credit the customer of \a header may use on it.
[[nodiscard]] double available(DocumentContext &context, const TrecInvHeader &header);

/// The payment that pays \a amount of \a doc from the customer's credit. Throws
/// DbError when \a amount is not above zero, is more than \a doc owes, or \a doc
/// takes no payments.
[[nodiscard]] Payment payingFromCredit(const CurrentDocument &doc, double amount, QDate date, const QLocale &locale);

/// Takes \a amount from the credit of the customer of \a target, oldest first: each
/// document it comes from gets a payment below zero naming \a target. Inside the
/// caller's transaction; throws DbError when the credit is smaller.
void take(DocumentContext &context, Database &db, const TrecInvHeader &target, double amount, QDate date);

/// Records \a amount of \a doc's own credit as given back. Throws DbError when its
/// credit is smaller or \a amount not above zero.
void refund(CurrentDocument &doc, double amount, QDate date, const QLocale &locale);

} // namespace CustomerCredit
