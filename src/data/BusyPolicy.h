#pragma once

#include <QElapsedTimer>

class SavingIndicator;

/// The one rule for waiting on another program (say, a second copy) that holds the
/// database file locked: about five seconds for one whole operation (a save, a load,
/// a delete, a recurring run), short pauses first, then a tenth of a second, with the
/// user told while it lasts.
namespace BusyPolicy {

/// The whole wait of one operation before it gives up.
[[nodiscard]] int totalWaitMs();
/// Tests shorten the wait; 0 or less restores the standard one.
void setTotalWaitMs(int milliseconds);
/// The pause before retry number \a attempt (0-based).
[[nodiscard]] int pauseMs(int attempt);

/// The time one operation has spent waiting for locks. Only the pauses count, so
/// time the user spends in the middle of an operation (a preview during a recurring
/// run) does not use the wait up.
struct WaitBudget
{
    qint64 waitedMs = 0;
    int attempts = 0;
};

/// Makes every connection opened while it lives (on this thread) draw on one wait,
/// so an operation that opens several connections, or meets the lock at BEGIN and
/// again at COMMIT, waits about the total once, not once per statement. Nested
/// scopes join the outermost one.
class OperationWait
{
public:
    OperationWait();
    ~OperationWait();
    OperationWait(const OperationWait &) = delete;
    OperationWait &operator=(const OperationWait &) = delete;

    /// The budget of the operation running on this thread, or null outside one.
    [[nodiscard]] static WaitBudget *current();

private:
    WaitBudget m_budget;
    bool m_outermost = false;
};

} // namespace BusyPolicy

/// Waiting for a lock: pauses until the lock is had or the operation's time is up.
/// The time is never started afresh, so every later statement of the same
/// connection only gets what is left. Shows the wait on
/// \a shownOn (when given) while it pauses.
class BusyWait
{
public:
    explicit BusyWait(SavingIndicator *shownOn = nullptr);
    BusyWait(const BusyWait &) = delete;
    BusyWait &operator=(const BusyWait &) = delete;
    ~BusyWait() { over(); }

    /// Pauses before the next try; false, without pausing, when the time is up.
    [[nodiscard]] bool pause();
    /// This wait has ended either way (the statement went on or gave up); the user
    /// is no longer told of it. The time spent stays spent.
    void over();

    void setShownOn(SavingIndicator *shownOn) { m_shownOn = shownOn; }

private:
    SavingIndicator *m_shownOn;
    BusyPolicy::WaitBudget m_own;
    bool m_shown = false;
};
