#include "BusyPolicy.h"

#include "SavingIndicator.h"

#include <QThread>
#include <algorithm>
#include <iterator>

namespace BusyPolicy {

namespace {

constexpr int kStandardWaitMs = 5000;
int g_totalWaitMs = kStandardWaitMs;
thread_local WaitBudget *t_operation = nullptr;

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

OperationWait::OperationWait()
{
    if (!t_operation) {
        t_operation = &m_budget;
        m_outermost = true;
    }
}

OperationWait::~OperationWait()
{
    if (m_outermost)
        t_operation = nullptr;
}

WaitBudget *OperationWait::current()
{
    return t_operation;
}

} // namespace BusyPolicy

BusyWait::BusyWait(SavingIndicator *shownOn)
    : m_shownOn(shownOn)
{
}

bool BusyWait::pause()
{
    BusyPolicy::WaitBudget *operation = BusyPolicy::OperationWait::current();
    BusyPolicy::WaitBudget &budget = operation ? *operation : m_own;
    const qint64 left = BusyPolicy::totalWaitMs() - budget.waitedMs;
    if (left <= 0)
        return false;
    QElapsedTimer paused;
    paused.start();
    if (m_shownOn) {
        m_shownOn->pWaitingForLock();
        m_shown = true;
    }
    QThread::msleep(std::clamp<qint64>(BusyPolicy::pauseMs(budget.attempts++), 1, left));
    budget.waitedMs += std::max<qint64>(1, paused.elapsed());
    return true;
}

void BusyWait::over()
{
    if (m_shown && m_shownOn)
        m_shownOn->pLockWaitOver();
    m_shown = false;
}
