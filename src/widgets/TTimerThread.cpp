#include "widgets/TTimerThread.h"

#include "platform/ThreadPriority.h"

TTimerThread::TTimerThread(Hooks hooks)
    : m_hooks(std::move(hooks))
    , m_clock(platform::Clock::current())
    , m_loop(EventLoop::current())
    , m_stop(m_clock.make_signal())
    , m_started(m_clock.make_signal())
{
    // Counted before it starts, so the virtual clock never runs ahead of it.
    m_clock.attach_thread();
    // Not waited for here: the mascot makes one on the way to the first
    // frame, and a priority is asked for only later.
    m_thread = std::thread([this, started = m_started] {
        m_tid = platform::thread_priority::this_thread_id();
        started->set();
        run();
    });
}

int TTimerThread::tid() const
{
    std::call_once(m_started_seen, [this] { m_started->wait_until(platform::forever); });
    return m_tid;
}

TTimerThread::~TTimerThread()
{
    m_terminated = true;
    m_stop->set();
    m_loop.serve_calls_until([this] { return m_finished.load(); });
    m_thread.join();
}

// Ticks keep to the cadence of the first: the time a tick takes to be
// delivered and handled does not push back the ones after it (the intro's
// frames would drift by that much each). A worker that has fallen a whole
// interval behind, or was signalled, starts a fresh interval from now.
platform::Millis TTimerThread::next_deadline(platform::Millis previous) const
{
    platform::Millis timeout = m_hooks.timeout();
    if (timeout == platform::forever)
        return platform::forever;
    platform::Millis now = m_clock.now();
    if (previous != platform::forever && previous + timeout > now)
        return previous + timeout;
    return now + timeout;
}

void TTimerThread::run()
{
    try {
        platform::Millis deadline = platform::forever;
        for (;;) {
            deadline = next_deadline(deadline);
            bool signalled = m_stop->wait_until(deadline);
            if (signalled)
                deadline = platform::forever;
            else if (m_hooks.due())
                m_loop.call_and_wait(m_hooks.tick);
            if (m_terminated)
                break;
        }
    } catch (...) {
        // The tick's error was meant for this thread: it ends here, quietly.
    }
    m_finished = true;
    m_loop.wake();
    m_clock.detach_thread();
}
