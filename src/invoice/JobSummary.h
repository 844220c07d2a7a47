#pragma once

#include "StoredDocuments.h"

class DocumentContext;

/// One job: the estimate it started from, what that became, its change orders and
/// their notices, with what has been billed, received and is still to come.
namespace JobSummary {

struct Job
{
    int jobId = 0;
    /// By number.
    QList<StoredDocuments::Summary> documents;
    /// Totals of the estimates, work orders and change orders not yet invoiced; once
    /// the job bills by progress, the contract sum less completed to date.
    double toBeBilled = 0;
    /// Totals of the invoices less the credits.
    double billed = 0;
    double depositsRequired = 0;
    /// Every payment and deposit received on the job's documents.
    double received = 0;
    /// What the customer still has to pay for the whole job, billed or not.
    double toBePaid = 0;

    /// Set once the job has a progress invoice; the figures below are then its
    /// schedule's, before tax. For another job they are with taxes: the contract
    /// sum is what is to be billed and billed, completed to date what is billed.
    bool billedByProgress = false;
    /// The estimate or work order plus the change orders.
    double contractSum = 0;
    double completedToDate = 0;
    /// Withheld by the progress invoices, less what was released.
    double retainageHeld = 0;
    /// The contract sum less completed to date.
    double balanceToFinish = 0;
};

/// The job of the saved document \a number.
[[nodiscard]] Job ofDocument(DocumentContext &context, int number);

} // namespace JobSummary
