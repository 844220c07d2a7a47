#pragma once

#include "invoice/Receivables.h"

#include <QList>
#include <QStringList>

class AppContext;

/// Past-due notices for several unpaid invoices in one act: each saved under its
/// own number, then previewed or printed one after another. Works through the
/// current document, as every document action does.
class PastDueNotices
{
public:
    explicit PastDueNotices(AppContext &context);

    struct Outcome
    {
        /// The notices made, in the order of the invoices.
        QList<int> notices;
        /// One line per invoice that got no notice, saying why.
        QStringList failures;
    };

    /// Asks first, makes a notice for each of \a rows, reports those that failed
    /// (the ones made stay), then offers to preview or print the notices made.
    /// Returns the numbers of the notices made.
    QList<int> pMakeFor(const QList<Receivables::Row> &rows);

    /// Makes the notices without asking.
    [[nodiscard]] Outcome make(const QList<Receivables::Row> &rows);
    /// Loads each of \a notices in turn into the current document and previews or
    /// prints it. Stops at the first that does not load or print.
    void output(const QList<int> &notices, bool preview);

private:
    [[nodiscard]] bool confirmed(const QList<Receivables::Row> &rows) const;
    void offerOutput(const QList<int> &notices);

    AppContext &m_context;
};
