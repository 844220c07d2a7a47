#pragma once

#include "CurrentDocument.h"

#include <QList>
#include <QVariantList>

class DataContext;
class DocumentContext;

/// Saved documents read whole (header, lines, payments, totals) for the windows that
/// need their amounts, without disturbing the document being edited.
namespace StoredDocuments {

struct Summary
{
    TrecInvHeader header;
    QList<Payment> payments;
    double total = 0;
    /// What is still owed (PaymentRules::balance).
    double balance = 0;
    /// Set for a progress invoice.
    std::optional<ProgressFigures> progress = {};

    [[nodiscard]] QString name() const;
    [[nodiscard]] double received() const { return Payments::sum(payments); }
};

/// True for a credit an invoice was turned into in place: under one number it
/// stands for the sale and for undoing it.
[[nodiscard]] bool isInvoiceTurnedCredit(const TrecInvHeader &header);

/// The documents \a numbers, in that order.
[[nodiscard]] QList<Summary> load(DocumentContext &context, const QList<int> &numbers);

/// The document numbers a query yields, with \a values bound in order.
[[nodiscard]] QList<int> numbers(DataContext &context, const QString &sql, const QVariantList &values = {});

} // namespace StoredDocuments
