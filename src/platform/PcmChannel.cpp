#include "platform/PcmChannel.h"

#include <algorithm>

namespace platform {

PcmChannel::PcmChannel(AudioDevice& device) : m_device(device) { m_device.attach(*this); }

PcmChannel::~PcmChannel() { m_device.detach(*this); }

void PcmChannel::load(std::shared_ptr<PcmSamples> samples)
{
    std::int64_t frames = samples ? std::int64_t(samples->size() / AudioDevice::channels) : 0;
    // The old buffer is released outside the lock, so the output thread never
    // waits on a free.
    {
        AudioLock hold(m_device);
        std::swap(m_samples, samples);
        m_frames = frames;
        m_position = 0;
        m_running = false;
        m_completed = false;
    }
}

void PcmChannel::start()
{
    {
        AudioLock hold(m_device);
        m_running = true;
        m_completed = false;
    }
    m_device.wake();
}

void PcmChannel::halt()
{
    AudioLock hold(m_device);
    m_running = false;
    m_completed = false;
}

void PcmChannel::seek(std::int64_t frame)
{
    AudioLock hold(m_device);
    m_position = std::clamp<std::int64_t>(frame, 0, m_frames);
    m_completed = false;
}

void PcmChannel::mix(float* out, int frames)
{
    if (!m_running)
        return;
    std::int64_t pos = m_position;
    std::int64_t total = m_frames;
    std::int64_t n = std::min<std::int64_t>(frames, total - pos);
    if (n > 0) {
        float const* in = m_samples->data() + pos * AudioDevice::channels;
        for (std::int64_t i = 0; i < n * AudioDevice::channels; ++i)
            out[i] += in[i];
        pos += n;
        m_position = pos;
    }
    if (pos >= total) {
        m_running = false;
        m_completed = true;
    }
}

}
