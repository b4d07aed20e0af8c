#pragma once

#include "platform/AudioDevice.h"
#include "platform/sdl/SdlAudioDevice.h"
#include "support/TempFolder.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

// The real SDL output on its disk driver, in real time: what the process
// plays ends up in a file of interleaved stereo floats, one block every
// 1024 / 44100 s from the moment the output opens.
class DiskAudio {
public:
    DiskAudio()
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY");
        m_device = std::make_unique<platform::SdlAudioDevice>();
        m_device->start();
        m_installed.emplace(*m_device);
    }
    ~DiskAudio() { close(); }

    platform::SdlAudioDevice& device() { return *m_device; }

    // Closes the output (everything attached to it must be gone) and
    // returns the left channel of what it wrote.
    std::vector<float> close()
    {
        m_installed.reset();
        m_device.reset();
        std::ifstream in(m_file, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<float> left(bytes.size() / (2 * sizeof(float)));
        for (std::size_t i = 0; i < left.size(); ++i)
            std::memcpy(&left[i], bytes.data() + i * 2 * sizeof(float), sizeof(float));
        return left;
    }

private:
    TempFolder m_folder;
    std::string m_file { m_folder.path() + "output.raw" };
    std::unique_ptr<platform::SdlAudioDevice> m_device;
    std::optional<platform::AudioDevice::Installed> m_installed;
};

// Milliseconds of output, from its start, at which the level first sounds,
// and for how long it sounds; -1 and 0 when it never does.
struct Heard {
    double start_ms { -1 };
    double length_ms { 0 };
};

inline Heard heard(std::vector<float> const& left, float level)
{
    Heard h;
    std::size_t count = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (std::fabs(left[i] - level) < 0.01f) {
            if (h.start_ms < 0)
                h.start_ms = double(i) * 1000 / platform::AudioDevice::rate;
            ++count;
        }
    }
    h.length_ms = double(count) * 1000 / platform::AudioDevice::rate;
    return h;
}
