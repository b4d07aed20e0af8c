#pragma once

#include "platform/Clock.h"
#include "platform/InputEvent.h"
#include "platform/Service.h"
#include "platform/Window.h"

#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

// The user-interface thread's message loop. It blocks in the window's wait
// until input arrives, a window-message timer falls due or another thread
// posts a call. Loops nest: a modal box runs one inside a handler, and posted
// calls and timers go on being served there. The loop of the user-interface
// thread is current() while it lives.
class EventLoop : public platform::Service<EventLoop> {
public:
    EventLoop(platform::Window&, platform::Clock&);
    EventLoop(EventLoop const&) = delete;
    EventLoop& operator=(EventLoop const&) = delete;

    platform::Clock& clock() { return m_clock; }

    // Thread-safe. Runs `call` on the user-interface thread and blocks until
    // it has run; an exception it raises is re-raised in the caller.
    void call_and_wait(std::function<void()> const& call);
    // Thread-safe: queues `call` for the user-interface thread.
    void post(std::function<void()> call);
    // Thread-safe: interrupts a wait of the user-interface thread.
    void wake();

    // Runs until `done` holds, waiting for events in between.
    void run_until(std::function<bool()> const& done);
    // Handles everything pending without waiting.
    void process_pending();
    // Serves only posted calls until `done` holds; for waiting on a worker
    // thread that may still need the user-interface thread.
    void serve_calls_until(std::function<bool()> const& done);

    using TimerId = int;
    TimerId add_timer(platform::Millis interval, std::function<void()> callback);
    void remove_timer(TimerId);
    // How many timers are armed: what wakes an idle loop.
    std::size_t timer_count() const { return m_timers.size(); }

    // The toolkit's hooks: input dispatch, painting before each wait, and what
    // becomes of an exception raised by a handler.
    std::function<void(platform::InputEvent const&)> on_input;
    std::function<void()> on_idle;
    std::function<void(std::exception_ptr)> on_error;

private:
    struct Timer {
        platform::Millis interval;
        platform::Millis due;
        std::function<void()> callback;
    };

    // True when it ran a call or handled an event; it does not wait once
    // `done` holds.
    bool step(bool may_wait, std::function<bool()> const& done);
    bool run_posted_calls();
    void run_due_timers();
    platform::Millis next_timer_due() const;
    void guarded(std::function<void()> const& handler);

    platform::Window& m_window;
    platform::Clock& m_clock;
    std::unique_ptr<platform::Signal> m_wake;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_posted;
    std::map<TimerId, Timer> m_timers;
    TimerId m_next_timer { 1 };
    Installed m_installed { *this };
};
