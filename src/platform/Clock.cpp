#include "platform/Clock.h"

#include "platform/RealClock.h"

namespace platform {

namespace {
// Made during static initialisation, so times count from program start.
RealClock real;
}

Clock& Clock::fallback() { return real; }

bool Signal::wait_for(Millis ms)
{
    return wait_until(ms == forever ? forever : m_clock.now() + ms);
}

}
