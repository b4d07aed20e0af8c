#pragma once

#include "platform/Service.h"

#include <mutex>
#include <vector>

namespace platform {

// The process's one sound output: 44.1 kHz, stereo, float samples. The
// output thread asks for blocks of frames; render() mixes every attached
// source into the block. Sources change their state only between blocks,
// under lock(), so the output thread never sees half of a change. An output
// may stop asking while no source is active; a source that becomes active
// calls wake() to have it asking again.
class AudioDevice : public Service<AudioDevice> {
public:
    static constexpr int rate = 44100;
    static constexpr int channels = 2;

    // Something that sounds through the device.
    class Source {
    public:
        virtual ~Source() = default;
        // Adds `frames` interleaved stereo frames into `out`; runs on the
        // output thread with the device locked.
        virtual void mix(float* out, int frames) = 0;
        // Whether it has anything left to sound; read with the device locked.
        virtual bool active() const = 0;
    };

    virtual ~AudioDevice() = default;

    virtual void lock() = 0;
    virtual void unlock() = 0;
    // Called without the device locked, after a source became active.
    virtual void wake() {}

    void attach(Source&);
    void detach(Source&);

    // Stands in while none is installed: silent, it never advances.
    static AudioDevice& fallback();

protected:
    // Called by the output thread with the device locked; true while some
    // source is still active.
    bool render(float* out, int frames);
    // With the device locked: whether some source is active.
    bool any_active() const;

private:
    std::vector<Source*> m_sources;
};

// Holds the device locked for a scope.
class AudioLock {
public:
    explicit AudioLock(AudioDevice& device) : m_device(device) { m_device.lock(); }
    ~AudioLock() { m_device.unlock(); }
    AudioLock(AudioLock const&) = delete;
    AudioLock& operator=(AudioLock const&) = delete;

private:
    AudioDevice& m_device;
};

}
