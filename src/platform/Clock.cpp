#include "platform/Clock.h"

#include "platform/RealClock.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<Clock*> installed { nullptr };
// Made during static initialisation, so times count from program start.
RealClock real;
}

Clock& Clock::current()
{
    Clock* c = installed.load();
    return c ? *c : real;
}

void Clock::install(Clock* clock) { installed.store(clock); }

bool Signal::wait_for(Millis ms)
{
    return wait_until(ms == forever ? forever : m_clock.now() + ms);
}

}
