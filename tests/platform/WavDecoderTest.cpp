#include "platform/AudioDevice.h"
#include "platform/WavDecoder.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void put32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(char(v >> (8 * i)));
}

// An 8-bit mono PCM file; the data chunk states `stated` bytes but holds
// `held` of them.
std::vector<std::uint8_t> mono8(int rate, std::uint32_t held, std::uint32_t stated)
{
    std::string s = "RIFF";
    put32(s, 36 + stated);
    s += "WAVEfmt ";
    put32(s, 16);
    s.append("\x01\x00\x01\x00", 4);
    put32(s, std::uint32_t(rate));
    put32(s, std::uint32_t(rate));
    s.append("\x01\x00\x08\x00", 4);
    s += "data";
    put32(s, stated);
    for (std::uint32_t i = 0; i < held; ++i)
        s.push_back(char(i % 2 ? 0xe0 : 0x20));
    return { s.begin(), s.end() };
}

// The largest block SDL asks for while one of these lives.
class LargestSdlAllocation {
public:
    LargestSdlAllocation()
    {
        SDL_GetMemoryFunctions(&s_malloc, &s_calloc, &s_realloc, &s_free);
        s_largest = 0;
        SDL_SetMemoryFunctions(counted_malloc, counted_calloc, counted_realloc, s_free);
    }
    ~LargestSdlAllocation() { SDL_SetMemoryFunctions(s_malloc, s_calloc, s_realloc, s_free); }
    std::size_t bytes() const { return s_largest; }

private:
    static void note(std::size_t size) { s_largest = std::max(s_largest, size); }
    static void* counted_malloc(std::size_t size) { return note(size), s_malloc(size); }
    static void* counted_calloc(std::size_t n, std::size_t size) { return note(n * size), s_calloc(n, size); }
    static void* counted_realloc(void* p, std::size_t size) { return note(size), s_realloc(p, size); }

    static inline SDL_malloc_func s_malloc;
    static inline SDL_calloc_func s_calloc;
    static inline SDL_realloc_func s_realloc;
    static inline SDL_free_func s_free;
    static inline std::size_t s_largest;
};

// No RIFF header: SDL walks chunks from the fourth byte, and the whole file
// that follows is one chunk whose data claims 2 GB.
std::vector<std::uint8_t> headerless_claiming_2gb()
{
    std::string s = "WAVEfmt ";
    put32(s, 16);
    s.append("\x01\x00\x01\x00", 4);
    auto whole = mono8(11025, 16, 0x800000be);
    s.append(whole.begin(), whole.end());
    return { s.begin(), s.end() };
}

std::size_t frames(platform::PcmSamples const& samples) { return samples.size() / platform::AudioDevice::channels; }

}

TEST(WavDecoder, MonoIsConvertedToTheDeviceRateOnBothChannels)
{
    platform::PcmSamples out;
    ASSERT_TRUE(platform::decode_wav(mono8(11025, 1000, 1000), out));
    EXPECT_NEAR(double(frames(out)), 4000.0, 8.0);
    for (std::size_t i = 0; i < out.size(); i += 2)
        ASSERT_EQ(out[i], out[i + 1]) << "frame " << i / 2;
    EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](float v) { return v > 0.5f; })) << "the loud half survives";
}

TEST(WavDecoder, WhatIsNotASoundIsRefusedWithNothingKept)
{
    auto const whole = mono8(22050, 64, 64);
    std::vector<std::vector<std::uint8_t>> refused {
        {},
        std::vector<std::uint8_t>(4096, 0x5a),
        { whole.begin(), whole.begin() + 20 }, // cut inside the format chunk
        headerless_claiming_2gb(),
    };
    for (auto const& bytes : refused) {
        platform::PcmSamples out { 1.0f, 2.0f };
        LargestSdlAllocation largest;
        EXPECT_FALSE(platform::decode_wav(bytes, out)) << bytes.size() << " bytes";
        EXPECT_TRUE(out.empty());
        EXPECT_LT(largest.bytes(), std::size_t(1) << 20) << bytes.size() << " bytes";
    }
}

TEST(WavDecoder, AFileCutShortPlaysWhatItHoldsWithoutReservingWhatItClaims)
{
    // Sixty bytes that say they carry 2.5 GB of sound.
    auto const bytes = mono8(11025, 16, 0x9a9300be);
    platform::PcmSamples out;
    LargestSdlAllocation largest;
    ASSERT_TRUE(platform::decode_wav(bytes, out));
    EXPECT_NEAR(double(frames(out)), 64.0, 8.0);
    EXPECT_LT(largest.bytes(), std::size_t(1) << 20);
}
