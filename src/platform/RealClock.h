#pragma once

#include "platform/Clock.h"

#include <chrono>

namespace platform {

class RealClock final : public Clock {
public:
    RealClock();
    Millis now() override;
    std::unique_ptr<Signal> make_signal() override;

private:
    std::chrono::steady_clock::time_point m_start;
};

}
