#pragma once

#include <mutex>
#include <vector>

namespace platform {

// The process's one sound output: 44.1 kHz, stereo, float samples. The
// output thread asks for blocks of frames; render() mixes every attached
// source into the block. Sources change their state only between blocks,
// under lock(), so the output thread never sees half of a change.
class AudioDevice {
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
    };

    virtual ~AudioDevice() = default;

    virtual void lock() = 0;
    virtual void unlock() = 0;

    void attach(Source&);
    void detach(Source&);

    // The installed device, or a silent one that never advances.
    static AudioDevice& current();
    static void install(AudioDevice*);

protected:
    // Called by the output thread with the device locked.
    void render(float* out, int frames);

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
