#include "platform/fake/ClockedAudioDevice.h"

namespace platform {

ClockedAudioDevice::ClockedAudioDevice(Clock& clock)
    : m_clock(clock)
    , m_stop_signal(clock.make_signal())
{
    // Attached here rather than in the thread, so the clock cannot run ahead
    // before the thread has started.
    m_clock.attach_thread();
    m_thread = std::thread([this] { run(); });
}

ClockedAudioDevice::~ClockedAudioDevice()
{
    m_stop = true;
    m_stop_signal->set();
    m_thread.join();
}

std::vector<float> ClockedAudioDevice::captured()
{
    AudioLock hold(*this);
    return m_captured;
}

void ClockedAudioDevice::run()
{
    Millis start = m_clock.now();
    std::int64_t blocks = 0;
    std::vector<float> block(block_frames * channels);
    while (!m_stop) {
        ++blocks;
        Millis due = start + blocks * block_frames * 1000 / rate;
        if (m_stop_signal->wait_until(due))
            continue;
        AudioLock hold(*this);
        render(block.data(), block_frames);
        m_captured.insert(m_captured.end(), block.begin(), block.end());
    }
    m_clock.detach_thread();
}

}
