#include "platform/fake/VirtualClock.h"

#include <algorithm>

namespace platform {

class VirtualSignal final : public Signal {
public:
    explicit VirtualSignal(VirtualClock& clock) : Signal(clock), m_virtual(clock) { }
    void set() override { m_virtual.set(this, m_pending); }
    bool wait_until(Millis deadline) override { return m_virtual.wait(this, m_pending, deadline); }

private:
    VirtualClock& m_virtual;
    bool m_pending { false }; // guarded by the clock's mutex
};

VirtualClock::VirtualClock() = default;

Millis VirtualClock::now()
{
    std::lock_guard lock(m_mutex);
    return m_now;
}

std::unique_ptr<Signal> VirtualClock::make_signal() { return std::make_unique<VirtualSignal>(*this); }

void VirtualClock::attach_thread()
{
    std::lock_guard lock(m_mutex);
    ++m_threads;
}

void VirtualClock::detach_thread()
{
    std::lock_guard lock(m_mutex);
    --m_threads;
    advance_if_all_wait();
}

void VirtualClock::wake(Waiter& w, bool signalled)
{
    w.woken = true;
    w.signalled = signalled;
    --m_blocked;
    m_cv.notify_all();
}

void VirtualClock::set(void const* signal, bool& pending)
{
    std::lock_guard lock(m_mutex);
    for (auto& w : m_waiters) {
        if (w.signal == signal && !w.woken) {
            wake(w, true);
            return;
        }
    }
    pending = true;
}

bool VirtualClock::wait(void const* signal, bool& pending, Millis deadline)
{
    std::unique_lock lock(m_mutex);
    if (pending) {
        pending = false;
        return true;
    }
    if (deadline <= m_now)
        return false;
    auto it = m_waiters.insert(m_waiters.end(), Waiter { signal, deadline });
    ++m_blocked;
    advance_if_all_wait();
    m_cv.wait(lock, [&] { return it->woken; });
    bool signalled = it->signalled;
    m_waiters.erase(it);
    return signalled;
}

// Called with the mutex held. Threads woken but not yet running are no longer
// counted as blocked, so time cannot run ahead of them.
void VirtualClock::advance_if_all_wait()
{
    if (m_blocked < m_threads)
        return;
    Millis next = forever;
    for (auto const& w : m_waiters)
        if (!w.woken)
            next = std::min(next, w.deadline);
    if (next == forever)
        return;
    m_now = std::max(m_now, next);
    for (auto& w : m_waiters)
        if (!w.woken && w.deadline <= m_now)
            wake(w, false);
}

}
