#include "widgets/TTimerThread.h"

#include <unistd.h>

TTimerThread::TTimerThread(Hooks hooks)
    : m_hooks(std::move(hooks))
    , m_clock(platform::Clock::current())
    , m_loop(EventLoop::current())
    , m_stop(m_clock.make_signal())
{
    // Shared, because set() may still touch the signal when the waiter wakes.
    std::shared_ptr<platform::Signal> started = m_clock.make_signal();
    // Counted before it starts, so the virtual clock never runs ahead of it.
    m_clock.attach_thread();
    m_thread = std::thread([this, started] {
        m_tid = gettid();
        started->set();
        run();
    });
    // The id must be known before anyone asks for the priority.
    started->wait_until(platform::forever);
}

TTimerThread::~TTimerThread()
{
    m_terminated = true;
    m_stop->set();
    m_loop.serve_calls_until([this] { return m_finished.load(); });
    m_thread.join();
}

void TTimerThread::run()
{
    try {
        for (;;) {
            platform::Millis timeout = m_hooks.timeout();
            platform::Millis deadline = timeout == platform::forever ? platform::forever : m_clock.now() + timeout;
            bool signalled = m_stop->wait_until(deadline);
            if (!signalled && m_hooks.due())
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
