#include "platform/WavDecoder.h"

#include <SDL.h>

#include <algorithm>
#include <memory>

namespace platform {

namespace {
struct WavFree {
    void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};
}

bool decode_wav(std::vector<std::uint8_t> const& bytes, PcmSamples& out)
{
    out.clear();
    if (bytes.empty())
        return false;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
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
