#pragma once

#include "framework/EventLoop.h"
#include "platform/Clock.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// A worker that only waits: on its stop event with a time-out, and after each
// wait that timed out it hands `tick` to the user-interface thread and blocks
// until that has run. Time-outs count from the previous deadline, not from
// the end of the tick. An exception from `tick` ends the worker for good.
// Destruction ends the worker while the user-interface thread keeps serving
// its calls, so a tick in flight completes instead of deadlocking.
class TTimerThread {
public:
    struct Hooks {
        // The next wait's time-out, read on the worker; platform::forever pauses.
        std::function<platform::Millis()> timeout;
        // Read on the worker after a timed-out wait: whether to hand over a tick.
        std::function<bool()> due;
        // Runs on the user-interface thread.
        std::function<void()> tick;
    };

    explicit TTimerThread(Hooks);
    ~TTimerThread();
    TTimerThread(TTimerThread const&) = delete;
    TTimerThread& operator=(TTimerThread const&) = delete;

    // Ends the present wait without a tick; the next wait starts afresh.
    void signal() { m_stop->set(); }
    // Still looping: false once a tick raised an error.
    bool running() const { return !m_finished; }
    // The kernel's id of the worker, for its scheduling priority; waits for
    // the worker to have started.
    int tid() const;

private:
    void run();
    platform::Millis next_deadline(platform::Millis previous) const;

    Hooks m_hooks;
    platform::Clock& m_clock;
    EventLoop& m_loop;
    std::unique_ptr<platform::Signal> m_stop;
    std::atomic<bool> m_terminated { false };
    std::atomic<bool> m_finished { false };
    // Set by the worker once m_tid is known. Shared, because set() may still
    // touch the signal when the waiter wakes.
    std::shared_ptr<platform::Signal> m_started;
    mutable std::once_flag m_started_seen;
    int m_tid { 0 };
    std::thread m_thread;
};
