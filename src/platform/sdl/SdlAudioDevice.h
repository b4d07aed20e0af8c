#pragma once

#include "platform/AudioDevice.h"

#include <cstdint>

namespace platform {

// The SDL output, opened and unpaused at construction. When no output can
// be opened it falls back to SDL's silent driver, whose thread still asks
// for blocks in real time, so playback ends are reported as usual.
class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice();
    ~SdlAudioDevice() override;
    SdlAudioDevice(SdlAudioDevice const&) = delete;
    SdlAudioDevice& operator=(SdlAudioDevice const&) = delete;

    void lock() override;
    void unlock() override;

private:
    bool open();
    static void callback(void* self, std::uint8_t* stream, int bytes);

    std::uint32_t m_id { 0 };
    bool m_fallback { false };
};

}
