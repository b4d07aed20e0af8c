#include "platform/WavDecoder.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <span>
#include <utility>

namespace platform {

namespace {
struct WavFree {
    void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};

std::uint32_t le32(std::span<std::uint8_t const> bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16
        | std::uint32_t(bytes[at + 3]) << 24;
}

void put_le32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

// Where a length field claims more than the file holds, and what it can
// honestly say: the RIFF size, and the chunk that runs past the end.
std::vector<std::pair<std::size_t, std::uint32_t>> overlong_lengths(std::span<std::uint8_t const> bytes)
{
    std::vector<std::pair<std::size_t, std::uint32_t>> found;
    if (le32(bytes, 4) > bytes.size() - 8)
        found.emplace_back(4, std::uint32_t(bytes.size() - 8));
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::size_t const body = at + 8;
        std::size_t const length = le32(bytes, at + 4);
        if (length > bytes.size() - body) {
            found.emplace_back(at + 4, std::uint32_t(bytes.size() - body));
            break;
        }
        at = body + length + (length & 1); // chunks are padded to even lengths
    }
    return found;
}
}

bool decode_wav(std::vector<std::uint8_t> const& bytes, PcmSamples& out)
{
    out.clear();
    // SDL also takes a file without its RIFF header and walks its chunks from
    // elsewhere, past the length check below; no sound of ours lacks one.
    static constexpr char riff[] = "RIFF", wave[] = "WAVE";
    if (bytes.size() < 12 || !std::equal(riff, riff + 4, bytes.begin()) || !std::equal(wave, wave + 4, bytes.begin() + 8))
        return false;
    // SDL reserves a chunk's stated length before reading it, so a few bytes
    // claiming gigabytes would ask for gigabytes. Lengths are cut to what the
    // file holds; a file cut short still plays what it has.
    auto const overlong = overlong_lengths(bytes);
    std::vector<std::uint8_t> honest;
    if (!overlong.empty()) {
        honest = bytes;
        for (auto [at, length] : overlong)
            put_le32(honest, at, length);
    }
    auto const& input = overlong.empty() ? bytes : honest;
    SDL_RWops* rw = SDL_RWFromConstMem(input.data(), int(input.size()));
    if (!rw)
        return false;
    SDL_AudioSpec format_found {};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &format_found, &raw, &length))
        return false;
    std::unique_ptr<Uint8, WavFree> wav(raw);

    // A mono file is converted as mono and doubled at the end: the
    // resampler then does half the work.
    int converted_channels = format_found.channels == 1 ? 1 : AudioDevice::channels;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format_found.format, format_found.channels, format_found.freq, AUDIO_F32SYS, Uint8(converted_channels),
            AudioDevice::rate)
        < 0)
        return false;
    // An absurd rate in a header would otherwise ask for gigabytes.
    constexpr std::size_t most_bytes = std::size_t(1) << 30;
    if (std::size_t(length) * std::size_t(cvt.len_mult) > most_bytes)
        return false;
    int frame_bytes = SDL_AUDIO_BITSIZE(format_found.format) / 8 * format_found.channels;
    length -= length % Uint32(frame_bytes);
    // Kept between calls for the same reason as `out`.
    static thread_local std::vector<Uint8> work;
    work.resize(std::max(work.size(), std::size_t(length) * std::size_t(cvt.len_mult) + 16));
    if (length > 0)
        SDL_memcpy(work.data(), wav.get(), length);
    cvt.buf = work.data();
    cvt.len = int(length);
    if (cvt.needed && length > 0 && SDL_ConvertAudio(&cvt) < 0)
        return false;
    std::size_t frames = std::size_t(cvt.needed ? cvt.len_cvt : int(length)) / (sizeof(float) * converted_channels);
    auto const* in = reinterpret_cast<float const*>(work.data());
    out.resize(frames * AudioDevice::channels);
    if (converted_channels == 1) {
        for (std::size_t i = 0; i < frames; ++i)
            out[2 * i] = out[2 * i + 1] = in[i];
    } else {
        std::copy(in, in + out.size(), out.begin());
    }
    return true;
}

}
