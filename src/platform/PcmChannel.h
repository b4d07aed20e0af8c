#pragma once

#include "platform/AudioDevice.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Decoded sound in the device's format: interleaved stereo float frames.
using PcmSamples = std::vector<float>;

// One sound player's line into the device: a decoded buffer, a play cursor
// and the end of the buffer, published through atomics so the user-interface
// thread can poll them without taking the device lock.
class PcmChannel final : public AudioDevice::Source {
public:
    explicit PcmChannel(AudioDevice&);
    ~PcmChannel() override;
    PcmChannel(PcmChannel const&) = delete;
    PcmChannel& operator=(PcmChannel const&) = delete;

    // Replaces the buffer; the channel stands still at frame 0. Once the
    // call returns, the output thread no longer reads the old buffer.
    void load(std::shared_ptr<PcmSamples>);
    void start();
    void halt();
    void seek(std::int64_t frame);

    std::int64_t frames() const { return m_frames.load(); }
    std::int64_t position() const { return m_position.load(); }
    // Set by the output thread when a started playback has run out of
    // frames; cleared by every load, start, halt and seek, so an end always
    // belongs to the playback that is running now.
    bool completed() const { return m_completed.load(); }

    void mix(float* out, int frames) override;
    bool active() const override { return m_running; }

private:
    AudioDevice& m_device;
    std::shared_ptr<PcmSamples> m_samples;
    std::atomic<std::int64_t> m_frames { 0 };
    std::atomic<std::int64_t> m_position { 0 };
    std::atomic<bool> m_running { false };
    std::atomic<bool> m_completed { false };
};

}
