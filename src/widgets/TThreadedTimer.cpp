#include "widgets/TThreadedTimer.h"

#include "platform/ThreadPriority.h"

#include <iterator>

namespace {

// Nice values, in the order of TThreadPriority: a higher priority is a lower
// nice value.
constexpr int nice_of[] = { 15, 2, 1, 0, -1, -2, -15 };

}

TThreadedTimer::TThreadedTimer(TComponent* owner) : TComponent(owner) { }

TThreadedTimer::~TThreadedTimer() { m_thread.reset(); }

// The worker starts when the timer is first enabled or its priority is first
// touched: the main window makes five of these on the way to its first
// frame, and none of them is needed before it.
TTimerThread& TThreadedTimer::worker()
{
    if (!m_thread)
        m_thread = std::make_unique<TTimerThread>(TTimerThread::Hooks {
            .timeout = [this] {
                // Disabled or without an interval, the worker just waits.
                std::uint32_t interval = m_interval;
                return m_enabled && interval > 0 ? platform::Millis(interval) : platform::forever;
            },
            .due = [] { return true; },
            .tick = [this] { deliver(); } });
    return *m_thread;
}

void TThreadedTimer::SetEnabled(bool v)
{
    if (v == m_enabled)
        return;
    m_enabled = v;
    // The pending wait ends without a tick and a full interval begins; a
    // disabled worker goes back to waiting without a time-out.
    if (!v || m_interval > 0)
        worker().signal();
}

void TThreadedTimer::SetInterval(std::uint32_t n)
{
    if (n == m_interval)
        return;
    bool was = m_enabled;
    SetEnabled(false);
    m_interval = n;
    SetEnabled(was);
}

void TThreadedTimer::deliver()
{
    // A tick already on its way when the timer was disabled is dropped here.
    if (m_enabled && OnTimer)
        OnTimer(this);
}

TThreadPriority TThreadedTimer::ThreadPriority() const
{
    // A worker not yet started will start with this thread's priority.
    int const thread = m_thread ? m_thread->tid() : platform::thread_priority::this_thread_id();
    if (auto nice = platform::thread_priority::nice_of(thread))
        for (std::size_t i = 0; i < std::size(nice_of); ++i)
            if (nice_of[i] == *nice)
                return TThreadPriority(i);
    return TThreadPriority::tpNormal;
}

void TThreadedTimer::SetThreadPriority(TThreadPriority p)
{
    platform::thread_priority::set_nice(worker().tid(), nice_of[std::size_t(p)]);
}
