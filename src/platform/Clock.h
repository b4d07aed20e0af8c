#pragma once

#include "platform/Service.h"

#include <cstdint>
#include <memory>

namespace platform {

using Millis = std::int64_t;
inline constexpr Millis forever = INT64_MAX;

class Signal;

// The one source of time and of waiting. Every wait of the program (timers,
// worker threads, the event loop) goes through a clock, so tests can replay
// whole runs in virtual time.
class Clock : public Service<Clock> {
public:
    virtual ~Clock() = default;

    // Milliseconds since the clock started.
    virtual Millis now() = 0;

    virtual std::unique_ptr<Signal> make_signal() = 0;

    // A thread that waits on this clock's signals. The virtual clock advances
    // time only when every attached thread is waiting.
    virtual void attach_thread() { }
    virtual void detach_thread() { }

    // Stands in while none is installed: real time since the program started.
    static Clock& fallback();
};

// An auto-reset event: set() releases one waiter, or the next wait when
// nobody waits.
class Signal {
public:
    explicit Signal(Clock& clock) : m_clock(clock) { }
    virtual ~Signal() = default;
    virtual void set() = 0;
    // True when signalled, false when the deadline (clock time) passed.
    virtual bool wait_until(Millis deadline) = 0;
    bool wait_for(Millis ms);

protected:
    Clock& m_clock;
};

// Keeps a thread counted by the clock for its lifetime.
class ClockThread {
public:
    explicit ClockThread(Clock& clock) : m_clock(clock) { m_clock.attach_thread(); }
    ~ClockThread() { m_clock.detach_thread(); }
    ClockThread(ClockThread const&) = delete;
    ClockThread& operator=(ClockThread const&) = delete;

private:
    Clock& m_clock;
};

}
