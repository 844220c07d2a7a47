#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class DocumentContext;

/// Prints a fresh numbered copy of every recurring invoice. Each copy is saved as
/// one transaction together with a note of which invoice it was made from; the
/// notes are cleared and the run's date stored only when every copy is made. A run
/// that stops part way is therefore taken up where it stopped, without copying an
/// invoice twice, and keeps the date of the last finished run.
class RecurringRun
{
public:
    /// Shows or prints the copy that is the current document; throws (DbError or
    /// std::runtime_error) when it fails.
    using Preview = std::function<void(const DocumentContext &)>;

    struct Outcome
    {
        /// (recurring invoice, its new copy) for every copy saved by this run.
        QList<QPair<int, int>> saved;
        /// Recurring invoices left without a copy because the run stopped.
        QList<int> notSaved;
        /// Why the run stopped; empty when it finished.
        QString error;
        [[nodiscard]] bool finished() const { return error.isEmpty(); }
    };

    RecurringRun(DocumentContext &context, Preview preview);

    /// Runs; an empty Outcome (nothing saved, nothing left) when there is no
    /// recurring invoice, in which case nothing changes, not even the date.
    Outcome pPrintRecurring(QDate today = QDate::currentDate());

    /// The message for a run that stopped: which copies were saved and which were not.
    [[nodiscard]] static QString describeStop(const Outcome &outcome);

private:
    DocumentContext &m_context;
    Preview m_preview;
};
