#pragma once

#include <QElapsedTimer>

class SavingIndicator;

/// The one rule for waiting on another program (say, a second copy) that holds the
/// database file locked: about five seconds in all, short pauses first, then a tenth
/// of a second, with the user told while it lasts.
namespace BusyPolicy {

/// The whole wait of one operation before it gives up.
[[nodiscard]] int totalWaitMs();
/// Tests shorten the wait; 0 or less restores the standard one.
void setTotalWaitMs(int milliseconds);
/// The pause before retry number \a attempt (0-based).
[[nodiscard]] int pauseMs(int attempt);

} // namespace BusyPolicy

/// One wait for a lock, from the first busy answer until the lock is had or the time
/// is up. Shows the wait on \a shownOn (when given) from the first pause on.
class BusyWait
{
public:
    explicit BusyWait(SavingIndicator *shownOn = nullptr);
    BusyWait(const BusyWait &) = delete;
    BusyWait &operator=(const BusyWait &) = delete;
    ~BusyWait() { over(); }

    /// Starts counting afresh (a new statement met the lock).
    void restart();
    /// Pauses before the next try; false, without pausing, when the time is up.
    [[nodiscard]] bool pause();
    /// The wait has ended either way; the user is no longer told of it.
    void over();

    void setShownOn(SavingIndicator *shownOn) { m_shownOn = shownOn; }

private:
    SavingIndicator *m_shownOn;
    QElapsedTimer m_elapsed;
    int m_attempt = 0;
    bool m_shown = false;
};
