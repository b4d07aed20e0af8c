#pragma once

#include "platform/AudioDevice.h"
#include "platform/Clock.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// An output for tests: a thread of the given clock asks for a block of 1024
// frames every 1024 / 44100 s of that clock's time, as a sound card would,
// and keeps the mixed samples. On a virtual clock whole playbacks take no
// real time.
class ClockedAudioDevice final : public AudioDevice {
public:
    static constexpr int block_frames = 1024;

    explicit ClockedAudioDevice(Clock&);
    ~ClockedAudioDevice() override;
    ClockedAudioDevice(ClockedAudioDevice const&) = delete;
    ClockedAudioDevice& operator=(ClockedAudioDevice const&) = delete;

    void lock() override { m_mutex.lock(); }
    void unlock() override { m_mutex.unlock(); }

    // Everything rendered so far, interleaved stereo, from the first block.
    std::vector<float> captured();

private:
    void run();

    Clock& m_clock;
    std::recursive_mutex m_mutex;
    std::unique_ptr<Signal> m_stop_signal;
    std::atomic<bool> m_stop { false };
    std::vector<float> m_captured;
    std::thread m_thread;
};

}
