#include "platform/AudioDevice.h"

#include <algorithm>

namespace platform {

namespace {

// Stands in when no output was installed (tests of features without sound):
// nothing is ever rendered, so nothing ends.
class SilentDevice final : public AudioDevice {
public:
    void lock() override { m_mutex.lock(); }
    void unlock() override { m_mutex.unlock(); }

private:
    std::mutex m_mutex;
};

}

AudioDevice& AudioDevice::fallback()
{
    static SilentDevice silent;
    return silent;
}

void AudioDevice::attach(Source& source)
{
    AudioLock hold(*this);
    m_sources.push_back(&source);
}

void AudioDevice::detach(Source& source)
{
    AudioLock hold(*this);
    std::erase(m_sources, &source);
}

bool AudioDevice::render(float* out, int frames)
{
    std::fill(out, out + frames * channels, 0.0f);
    for (Source* s : m_sources)
        s->mix(out, frames);
    return any_active();
}

bool AudioDevice::any_active() const
{
    return std::any_of(m_sources.begin(), m_sources.end(), [](Source const* s) { return s->active(); });
}

}
