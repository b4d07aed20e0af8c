#pragma once

#include "platform/AudioDevice.h"

#include <cstdint>
#include <string>

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

    // The driver in use ("dummy" after the fallback) and frames per block.
    std::string const& driver() const { return m_driver; }
    int block_frames() const { return m_block_frames; }

private:
    bool open();
    static void callback(void* self, std::uint8_t* stream, int bytes);

    std::uint32_t m_id { 0 };
    bool m_fallback { false };
    std::string m_driver;
    int m_block_frames { 0 };
};

}
