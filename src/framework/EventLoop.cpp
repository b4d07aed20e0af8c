#include "framework/EventLoop.h"

EventLoop::EventLoop(platform::Window& window, platform::Clock& clock)
    : m_window(window)
    , m_clock(clock)
    , m_wake(clock.make_signal())
{
}

void EventLoop::post(std::function<void()> call)
{
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(std::move(call));
    }
    wake();
}

void EventLoop::wake()
{
    m_wake->set();
    m_window.wake();
}

void EventLoop::call_and_wait(std::function<void()> const& call)
{
    std::shared_ptr<platform::Signal> done = m_clock.make_signal();
    std::exception_ptr error;
    post([&, done] {
        try {
            call();
        } catch (...) {
            error = std::current_exception();
        }
        done->set();
    });
    done->wait_until(platform::forever);
    if (error)
        std::rethrow_exception(error);
}

// One call at a time, so a nested serve_calls_until (a worker ending inside a
// handler) still finds the calls queued behind the running one; at most the
// calls pending at the start, so calls that post calls cannot starve input.
bool EventLoop::run_posted_calls()
{
    std::size_t pending;
    {
        std::lock_guard lock(m_mutex);
        pending = m_posted.size();
    }
    bool ran = false;
    for (; pending > 0; --pending) {
        std::function<void()> call;
        {
            std::lock_guard lock(m_mutex);
            if (m_posted.empty())
                break;
            call = std::move(m_posted.front());
            m_posted.pop_front();
        }
        guarded(call);
        ran = true;
    }
    return ran;
}

void EventLoop::guarded(std::function<void()> const& handler)
{
    try {
        handler();
    } catch (...) {
        if (!on_error)
            throw;
        on_error(std::current_exception());
    }
}

platform::Millis EventLoop::next_timer_due() const
{
    platform::Millis next = platform::forever;
    for (auto const& [id, timer] : m_timers)
        next = std::min(next, timer.due);
    return next;
}

void EventLoop::run_due_timers()
{
    platform::Millis now = m_clock.now();
    std::vector<TimerId> due;
    for (auto const& [id, timer] : m_timers)
        if (timer.due <= now)
            due.push_back(id);
    for (TimerId id : due) {
        auto it = m_timers.find(id);
        if (it == m_timers.end())
            continue; // removed by an earlier callback
        // Like window-message timers: a late tick is not made up for.
        it->second.due = now + it->second.interval;
        auto callback = it->second.callback;
        guarded(callback);
    }
}

bool EventLoop::step(bool may_wait, std::function<bool()> const& done)
{
    bool busy = run_posted_calls();
    run_due_timers();
    if (on_idle)
        on_idle();
    // A call or a tick that ended this loop (a modal form closed by its
    // timer) must not wait for an event that may never come.
    if (done())
        return true;
    {
        std::lock_guard lock(m_mutex);
        if (!m_posted.empty())
            return true;
    }
    platform::Millis deadline = may_wait ? next_timer_due() : m_clock.now();
    auto event = m_window.wait_event(deadline);
    if (event && event->kind != platform::InputEvent::Kind::Wake && on_input)
        guarded([&] { on_input(*event); });
    return busy || event.has_value();
}

void EventLoop::run_until(std::function<bool()> const& done)
{
    while (!done())
        step(true, done);
}

void EventLoop::process_pending()
{
    while (step(false, [] { return false; })) { }
}

void EventLoop::serve_calls_until(std::function<bool()> const& done)
{
    while (!done()) {
        if (!run_posted_calls() && !done())
            m_wake->wait_until(platform::forever);
    }
}

EventLoop::TimerId EventLoop::add_timer(platform::Millis interval, std::function<void()> callback)
{
    TimerId id = m_next_timer++;
    m_timers[id] = Timer { interval, m_clock.now() + interval, std::move(callback) };
    return id;
}

void EventLoop::remove_timer(TimerId id) { m_timers.erase(id); }
