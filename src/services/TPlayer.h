#pragma once

#include "platform/AudioDevice.h"
#include "platform/PcmChannel.h"

#include <cstdint>
#include <memory>
#include <string>

// The sound player's core: one decoded file on a channel of the sound
// output. Times are in 100-nanosecond units.
class TPlayer {
public:
    TPlayer(platform::AudioDevice&, bool autoplay);

    // Stops what plays, decodes the file and stands cued at its start.
    // A file that cannot be decoded raises the result rule's error and
    // leaves the player empty.
    void Open(std::string const& path);
    void Play();
    // Only while playing: stops and stands cued at the start.
    void Stop();

    std::int64_t Duration() const { return m_duration; }
    std::int64_t Position() const;
    // Whether the running playback has sounded its last frame.
    bool Completed() const { return m_channel.completed(); }

private:
    platform::PcmChannel m_channel;
    // Shared with the channel while loaded; refilled in place by each open.
    std::shared_ptr<platform::PcmSamples> m_samples { std::make_shared<platform::PcmSamples>() };
    bool m_autoplay;
    std::int64_t m_duration { 0 };
    bool m_playing { false };
};
