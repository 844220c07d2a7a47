#include "JobSummary.h"

#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "Money.h"

namespace JobSummary {

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

    // A paid-in-full invoice owes nothing, even when its payments fall short.
    double settledByMark = 0;
    const auto add = [](double &sum, double amount) { sum = Money::roundToCents(sum + amount); };
    for (const StoredDocuments::Summary &doc : job.documents) {
        const TrecInvHeader &h = doc.header;
        if (isDepositKind(h.strInvName)) {
            add(job.toBeBilled, doc.total);
            add(job.depositsRequired, h.dbDepositAmount);
        } else if (is(h.strInvName, kInvoice)) {
            add(job.billed, doc.total);
            if (h.strPaidInFull)
                add(settledByMark, std::max(0.0, doc.total - doc.received()));
        } else if (is(h.strInvName, kCredit)) {
            // In place of its invoice, a credit undoes a sale this job no longer lists.
            if (!StoredDocuments::isInvoiceTurnedCredit(h))
                add(job.billed, -doc.total);
        }
        // Past-due notices restate an invoice and carry no payments of their own.
        if (!is(h.strInvName, kPastDue))
            add(job.received, doc.received());
    }
    job.toBePaid = Money::roundToCents(job.toBeBilled + job.billed - job.received - settledByMark);
    return job;
}

} // namespace JobSummary
