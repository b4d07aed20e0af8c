#pragma once

#include "framework/Notify.h"
#include "framework/TComponent.h"
#include "widgets/TTimerThread.h"

#include <atomic>
#include <cstdint>
#include <memory>

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A timer whose waiting is done by a worker thread of its own, so its period
// does not depend on the event loop's timers; every tick is nevertheless
// delivered on the user-interface thread. Disabled at creation.
class TThreadedTimer : public TComponent {
public:
    explicit TThreadedTimer(TComponent* owner);
    ~TThreadedTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool);
    std::uint32_t Interval() const { return m_interval; }
    void SetInterval(std::uint32_t);
    TNotifyEvent OnTimer;
    // Read back from the system; a level it does not know reads as tpNormal.
    TThreadPriority ThreadPriority() const;
    // Raising a priority needs the right to; without it the level stays as it was.
    void SetThreadPriority(TThreadPriority);

    // False once a handler's error has ended the worker.
    bool ticking() const { return !m_thread || m_thread->running(); }

private:
    TTimerThread& worker();
    void deliver();

    std::atomic<bool> m_enabled { false };
    std::atomic<std::uint32_t> m_interval { 1000 };
    // Last, so it ends before the fields its ticks read. Started on first
    // use (see worker()).
    std::unique_ptr<TTimerThread> m_thread;
};
