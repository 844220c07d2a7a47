#pragma once

#include "InvoiceLines.h"
#include "InvoiceRecords.h"
#include "Payments.h"

#include <array>
#include <optional>

class Edition;

/// What the invoice a past-due notice stands for owes, as stored when the notice
/// was loaded.
struct InvoiceOwed
{
    int number = 0;
    double received = 0;
    double balance = 0;
};

/// The one document being written, edited, converted or printed: header, lines,
/// notes, totals, print texts and the snapshot of what the database holds for it.
/// Owned by the application context; editors, dialogs and printing work on it.
struct CurrentDocument
{
    explicit CurrentDocument(const Edition &edition);

    TrecInvHeader header;
    InvoiceLines lines;
    /// The document notes (strInvNotes).
    QString notes;
    /// Payments and deposits received, oldest first; header.dbPaidAmount is their
    /// sum once saved.
    QList<Payment> payments;
    DocumentTotals totals;
    TrecPrintData print;
    TrecSavedData saved;
    /// The stored date text an upgrade from an older version could not read; the
    /// document then has no date until the user enters one.
    QString unreadDateText;
    /// Set for a past-due notice whose invoice is stored: the notice asks for what
    /// that invoice still owes, not for the amounts copied when it was made.
    std::optional<InvoiceOwed> invoiceOwed;

    /// Work-sheet prices the document is priced with, indexed by item number 1..27
    /// (Heddrin): the price list for a new document, its saved prices otherwise.
    std::array<double, 28> LbrPrices{};
    std::array<double, 28> MatPrices{};
};
