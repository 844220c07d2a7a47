#pragma once

#include "ProgressStore.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

class Database;
class DocumentContext;
struct CurrentDocument;
struct TrecSavedData;

/// Progress invoices as documents of a job: the schedule made from the job's
/// estimate or work order and its change orders, each bill saved as an Invoice (a
/// Credit when it lowers what was billed) with its posting, and the release of the
/// retainage held. Every save is one transaction, and refused when another bill of
/// the job was saved or removed since the book was read.
namespace ProgressJobs {

/// What a progress invoice is worked out from, as read in one go.
struct Book
{
    int jobId = 0;
    /// The estimate or work order the bills take their customer and taxes from.
    int sourceNumber = 0;
    /// The job's schedule, brought up to date with the change orders saved since.
    std::vector<ProgressStore::StoredItem> items;
    /// What the job's bills so far come to (completedCents has one figure per item).
    ProgressBilling::Billed before;
    /// Retainage %, the customer's effective tax rates, deposits received.
    ProgressBilling::Terms terms;
    /// The customer's company or full name, for the window's caption.
    QString customer;
    /// The job's latest progress invoice when read (0 for none): a save from a book
    /// whose job has billed or removed a bill since is refused.
    int latestBill = 0;
    /// Why the job cannot be billed by progress (wrong edition, no estimate or work
    /// order left to bill); the rest of the book is empty then.
    std::optional<QString> refusal;

    /// True when the retainage release has nothing left to do.
    [[nodiscard]] bool nothingHeld() const { return before.retainageHeldCents() == 0; }
};

struct Saved
{
    /// The document saved; 0 when refused.
    int number = 0;
    std::optional<QString> refusal;
};

/// One saved progress invoice as it billed, for its continuation page: the schedule
/// (items added after it show nothing before, this period or to date) and the bill,
/// its rows from completed to date and its money as saved. Terms hold the job's
/// retainage percent now.
struct Sheet
{
    std::vector<ProgressStore::StoredItem> items;
    ProgressBilling::Bill bill;
    ProgressBilling::Terms terms;
};

/// The book of the job of saved document \a documentNumber, making its schedule on
/// first use and adding the lines of change orders saved since. Throws DbError when
/// the database cannot be read or written.
[[nodiscard]] Book open(DocumentContext &context, int documentNumber);

/// Saves the progress invoice that brings \a book's job to \a completedToDateCents
/// (one figure per item of book.items), with its posting, in one transaction.
/// Refuses figures ProgressBilling::refusal() refuses, a book that is out of date and
/// a bill that changes nothing. Throws DbError when the database fails; nothing is
/// written then.
[[nodiscard]] Saved saveBill(DocumentContext &context, const Book &book, const std::vector<double> &completedToDateCents);

/// Saves the final invoice of the job for the retainage held; it posts nothing to the
/// monthly report. Refused when nothing is held or the book is out of date.
[[nodiscard]] Saved saveRelease(DocumentContext &context, const Book &book);

/// Sets the retainage percent of job \a jobId; refused outside 0 to 100.
[[nodiscard]] std::optional<QString> setRetainage(DocumentContext &context, int jobId, double percent);

/// The retainage percent of job \a jobId (0 unless set).
[[nodiscard]] double retainagePercent(DocumentContext &context, int jobId);

/// True for a saved progress invoice or retainage release.
[[nodiscard]] bool isProgressInvoice(Database &db, int number);

/// The continuation page of progress invoice \a number; nothing for other documents.
[[nodiscard]] std::optional<Sheet> sheetOf(DocumentContext &context, int number);

/// Adds the lines of change order \a document, being saved on \a db, to its job's
/// schedule once the job has one; lines already scheduled keep their values. Does
/// nothing for other documents.
void scheduleChangeOrder(DocumentContext &context, Database &db, const CurrentDocument &document);

/// Why \a document cannot be saved over \a stored (what the database holds for it):
/// an estimate, work order or change order of a job billed by progress cannot become
/// an invoice or credit, and a progress invoice keeps its kind and lines (its money
/// is worked out over the job's bills). Nothing when it can.
[[nodiscard]] std::optional<QString> saveRefusal(Database &db, const CurrentDocument &document,
                                                 const TrecSavedData &stored);

/// Why saved document \a number cannot be deleted: a progress invoice other than its
/// job's latest (the bills after it were worked out from it), or the estimate, work
/// order or change order of a job billed by progress. Nothing when it can.
[[nodiscard]] std::optional<QString> removalRefusal(Database &db, int number);

/// Retainage held for one customer: a customer-list id or, for documents written
/// without picking from the list, the company and name as on the documents.
struct RetainageHeld
{
    qint64 customerId = 0;
    QString company;
    QString name;
    /// In currency units.
    double amount = 0;
};

/// The retainage every customer's progress invoices hold, for Receivables; customers
/// holding none are left out.
[[nodiscard]] QList<RetainageHeld> retainageHeldByCustomer(Database &db);

} // namespace ProgressJobs
