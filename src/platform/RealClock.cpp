#include "platform/RealClock.h"

#include <condition_variable>
#include <mutex>

namespace platform {

namespace {

class RealSignal final : public Signal {
public:
    explicit RealSignal(RealClock& clock) : Signal(clock) { }

    void set() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_set = true;
        }
        m_cv.notify_one();
    }

    bool wait_until(Millis deadline) override
    {
        std::unique_lock lock(m_mutex);
        while (!m_set) {
            if (deadline == forever) {
                m_cv.wait(lock);
                continue;
            }
            Millis left = deadline - m_clock.now();
            if (left <= 0)
                return false;
            m_cv.wait_for(lock, std::chrono::milliseconds(left));
        }
        m_set = false;
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_set { false };
};

}

RealClock::RealClock() : m_start(std::chrono::steady_clock::now()) { }

Millis RealClock::now()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start)
        .count();
}

std::unique_ptr<Signal> RealClock::make_signal() { return std::make_unique<RealSignal>(*this); }

}
