#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Small sound files made by the tests themselves.
namespace sound_files {

inline void put16(std::string& s, std::uint32_t v)
{
    s += char(v & 0xff);
    s += char(v >> 8 & 0xff);
}
inline void put32(std::string& s, std::uint32_t v)
{
    put16(s, v & 0xffff);
    put16(s, v >> 16);
}
inline void put32be(std::string& s, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        s += char(v >> shift & 0xff);
}

// A 16-bit PCM WAV holding one constant level, so the mixed output shows
// where it sounded and what overlapped it.
inline std::string wav(int milliseconds, double level, int rate = 22050, int channels = 1)
{
    std::uint32_t frames = std::uint32_t(std::int64_t(rate) * milliseconds / 1000);
    std::uint32_t data = frames * 2 * std::uint32_t(channels);
    std::string s = "RIFF";
    put32(s, 36 + data);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);
    put16(s, std::uint32_t(channels));
    put32(s, std::uint32_t(rate));
    put32(s, std::uint32_t(rate * channels * 2));
    put16(s, std::uint32_t(channels * 2));
    put16(s, 16);
    s += "data";
    put32(s, data);
    auto sample = std::uint32_t(std::int16_t(level * 32767));
    for (std::uint32_t i = 0; i < frames * std::uint32_t(channels); ++i)
        put16(s, sample);
    return s;
}

// A format-0 tune: one note at 120 beats a minute, 480 ticks a quarter,
// held for `ticks`, then the end of the track.
inline std::string midi(std::uint32_t ticks = 480)
{
    std::string track;
    track += std::string("\x00\xc0\x00", 3);             // piano
    track += std::string("\x00\x90\x3c\x64", 4);         // note on
    for (int shift = 21; shift > 0; shift -= 7)          // delta as a quantity
        track += char(0x80 | (ticks >> shift & 0x7f));
    track += char(ticks & 0x7f);
    track += std::string("\x80\x3c\x40", 3);             // note off
    track += std::string("\x00\xff\x2f\x00", 4);         // end of track
    std::string s = "MThd";
    put32be(s, 6);
    s += std::string("\x00\x00\x00\x01\x01\xe0", 6);
    s += "MTrk";
    put32be(s, std::uint32_t(track.size()));
    return s + track;
}

}
