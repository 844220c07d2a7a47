#include "JobSummary.h"

#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "Money.h"
#include "ProgressStore.h"
#include "data/Database.h"

#include <numeric>

namespace JobSummary {

namespace {

/// The schedule's figures of a job that bills by progress.
void readSchedule(DocumentContext &context, Job &job)
{
    const auto db = context.openDatabase();
    if (!ProgressStore::hasProgressInvoices(*db, job.jobId))
        return;
    const std::vector<ProgressStore::StoredItem> items = ProgressStore::schedule(*db, job.jobId);
    const ProgressBilling::Billed billed = ProgressStore::billedBefore(*db, job.jobId, items);
    const double contractCents = std::accumulate(items.begin(), items.end(), 0.0,
                                                 [](double sum, const ProgressStore::StoredItem &stored) {
                                                     return sum + stored.item.valueCents();
                                                 });
    const double completedCents = std::accumulate(billed.completedCents.begin(), billed.completedCents.end(), 0.0);
    job.billedByProgress = true;
    job.contractSum = contractCents / 100.0;
    job.completedToDate = completedCents / 100.0;
    job.retainageHeld = billed.retainageHeldCents() / 100.0;
    job.balanceToFinish = (contractCents - completedCents) / 100.0;
}

} // namespace

Job ofDocument(DocumentContext &context, int number)
{
    using namespace DocumentKinds;
    Job job;
    const QList<int> own = StoredDocuments::numbers(
        context, QStringLiteral("SELECT intJobID FROM tblInvHeader WHERE intInvNumber = ?"), {number});
    job.jobId = own.value(0) != 0 ? own.value(0) : number;
    job.documents = StoredDocuments::load(
        context, StoredDocuments::numbers(context,
                                          QStringLiteral("SELECT intInvNumber FROM tblInvHeader WHERE intJobID = ? "
                                                         "OR intInvNumber = ? ORDER BY intInvNumber"),
                                          {job.jobId, number}));
    readSchedule(context, job);

    // A paid-in-full invoice owes nothing, even when its payments fall short.
    double settledByMark = 0;
    const auto add = [](double &sum, double amount) { sum = Money::roundToCents(sum + amount); };
    for (const StoredDocuments::Summary &doc : job.documents) {
        const TrecInvHeader &h = doc.header;
        if (isDepositKind(h.strInvName)) {
            // Billed by progress, the work still to bill is what the schedule leaves.
            if (!job.billedByProgress)
                add(job.toBeBilled, doc.total);
            add(job.depositsRequired, h.dbDepositAmount);
        } else if (is(h.strInvName, kInvoice)) {
            add(job.billed, doc.total);
            // Retainage is not owed until released, and applied deposits were received.
            const double notAsked = doc.progress ? doc.progress->offTotal() : 0.0;
            if (h.strPaidInFull)
                add(settledByMark, std::max(0.0, doc.total - notAsked - doc.received()));
        } else if (is(h.strInvName, kCredit)) {
            // In place of its invoice, a credit undoes a sale this job no longer lists.
            if (!StoredDocuments::isInvoiceTurnedCredit(h))
                add(job.billed, -doc.total);
        }
        // Past-due notices restate an invoice and carry no payments of their own.
        if (!is(h.strInvName, kPastDue))
            add(job.received, doc.received());
    }
    if (job.billedByProgress) {
        job.toBeBilled = job.balanceToFinish;
    } else {
        job.contractSum = Money::roundToCents(job.toBeBilled + job.billed);
        job.completedToDate = job.billed;
        job.balanceToFinish = job.toBeBilled;
    }
    job.toBePaid = Money::roundToCents(job.toBeBilled + job.billed - job.received - settledByMark);
    return job;
}

} // namespace JobSummary
