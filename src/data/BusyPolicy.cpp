#include "BusyPolicy.h"

#include "SavingIndicator.h"

#include <QThread>
#include <algorithm>
#include <iterator>

namespace BusyPolicy {

namespace {

constexpr int kStandardWaitMs = 5000;
int g_totalWaitMs = kStandardWaitMs;

} // namespace

int totalWaitMs()
{
    return g_totalWaitMs;
}

void setTotalWaitMs(int milliseconds)
{
    g_totalWaitMs = milliseconds > 0 ? milliseconds : kStandardWaitMs;
}

int pauseMs(int attempt)
{
    // Most locks are a commit of a few milliseconds; a long one is checked ten times a second.
    static constexpr int kFirstPauses[] = {2, 5, 10, 25, 50};
    return attempt < int(std::size(kFirstPauses)) ? kFirstPauses[attempt] : 100;
}

} // namespace BusyPolicy

BusyWait::BusyWait(SavingIndicator *shownOn)
    : m_shownOn(shownOn)
{
}

void BusyWait::restart()
{
    m_attempt = 0;
    m_elapsed.start();
}

bool BusyWait::pause()
{
    if (!m_elapsed.isValid())
        restart();
    const qint64 left = BusyPolicy::totalWaitMs() - m_elapsed.elapsed();
    if (left <= 0)
        return false;
    if (m_shownOn) {
        m_shownOn->pWaitingForLock();
        m_shown = true;
    }
    QThread::msleep(std::clamp<qint64>(BusyPolicy::pauseMs(m_attempt++), 1, left));
    return true;
}

void BusyWait::over()
{
    m_elapsed.invalidate();
    if (m_shown && m_shownOn)
        m_shownOn->pLockWaitOver();
    m_shown = false;
}
