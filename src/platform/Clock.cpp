#include "platform/Clock.h"

#include "platform/RealClock.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<Clock*> installed { nullptr };
}

Clock& Clock::current()
{
    static RealClock real;
    Clock* c = installed.load();
    return c ? *c : real;
}

void Clock::install(Clock* clock) { installed.store(clock); }

bool Signal::wait_for(Millis ms)
{
    return wait_until(ms == forever ? forever : m_clock.now() + ms);
}

}
