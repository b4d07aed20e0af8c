#include "services/TPlayer.h"

#include "platform/Files.h"
#include "platform/WavDecoder.h"
#include "services/PlayerResult.h"

namespace {

constexpr std::int64_t units_per_second = 10'000'000;

std::int64_t frames_to_units(std::int64_t frames)
{
    return frames * units_per_second / platform::AudioDevice::rate;
}

}

TPlayer::TPlayer(platform::AudioDevice& device, bool autoplay) : m_channel(device), m_autoplay(autoplay) { }

void TPlayer::Open(std::string const& path)
{
    m_channel.halt();
    m_playing = false;
    // Emptied first, as a failed open leaves nothing behind to play.
    m_channel.load(nullptr);
    m_duration = 0;
    auto bytes = platform::files::read_all(path);
    if (!bytes || !platform::decode_wav(*bytes, *m_samples))
        player_result::check(player_result::unsupported_format);
    m_channel.load(m_samples);
    m_duration = frames_to_units(m_channel.frames());
    if (m_autoplay)
        Play();
}

void TPlayer::Play()
{
    m_channel.start();
    m_playing = true;
}

void TPlayer::Stop()
{
    if (!m_playing)
        return;
    m_channel.halt();
    m_playing = false;
    m_channel.seek(0);
}

std::int64_t TPlayer::Position() const { return frames_to_units(m_channel.position()); }
