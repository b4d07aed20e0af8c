#pragma once

#include "platform/Clock.h"

#include <condition_variable>
#include <list>
#include <mutex>

namespace platform {

// Virtual time for tests. Time stands still while any attached thread runs;
// when the last one starts waiting, time jumps to the earliest deadline and
// wakes its waiters. The constructing thread is attached.
class VirtualClock final : public Clock {
public:
    VirtualClock();
    Millis now() override;
    std::unique_ptr<Signal> make_signal() override;
    void attach_thread() override;
    void detach_thread() override;

private:
    friend class VirtualSignal;
    struct Waiter {
        void const* signal;
        Millis deadline;
        bool woken { false };
        bool signalled { false };
    };

    void set(void const* signal, bool& pending);
    bool wait(void const* signal, bool& pending, Millis deadline);
    void advance_if_all_wait();
    void wake(Waiter&, bool signalled);

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::list<Waiter> m_waiters;
    Millis m_now { 0 };
    int m_threads { 1 };
    int m_blocked { 0 };
};

}
