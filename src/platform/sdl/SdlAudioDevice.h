#pragma once

#include "platform/AudioDevice.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace platform {

// The SDL output, opened by start(). When no output can be opened it falls
// back to SDL's silent driver, whose thread still asks for blocks in real
// time, so playback ends are reported as usual. Sources attached and woken
// before start() sound from then on.
//
// An output thread that mixes nothing still wakes for every block: once no
// source has been active for `quiet_frames`, the device is closed, and the
// next wake() opens it again. The disk driver's file is a recording of the
// whole run, which a reopening would start afresh, so that one stays open.
class SdlAudioDevice final : public AudioDevice {
public:
    explicit SdlAudioDevice(int quiet_frames = rate);
    ~SdlAudioDevice() override;
    SdlAudioDevice(SdlAudioDevice const&) = delete;
    SdlAudioDevice& operator=(SdlAudioDevice const&) = delete;

    void lock() override { m_mutex.lock(); }
    void unlock() override { m_mutex.unlock(); }
    void wake() override;

    // Opens the output; once only.
    void start();

    // Whether the output thread runs now.
    bool is_open();

private:
    bool open();
    bool reopen();
    void count_quiet(bool active, int frames);
    void request_close();
    void close_if_quiet(std::uint32_t id);
    bool quiet();
    static void callback(void* self, std::uint8_t* stream, int bytes);

    int const m_quiet_limit;
    bool m_started { false };
    bool m_fallback { false };
    bool m_may_close { true };
    // Sources' state; held by the output thread while it renders. Recursive,
    // because a playback end handled on the output thread may start another.
    std::recursive_mutex m_mutex;
    // Opening and closing. The output thread only ever tries it, so whoever
    // holds it may wait for that thread to end.
    std::mutex m_open_mutex;
    std::uint32_t m_id { 0 };
    // The output thread's count of frames since a source was last active.
    int m_quiet_frames { 0 };
    bool m_closer_running { false };
    std::thread m_closer;
};

}
