#include "platform/WavDecoder.h"

#include <SDL.h>

#include <memory>

namespace platform {

namespace {
struct WavFree {
    void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};
}

std::optional<PcmSamples> decode_wav(std::vector<std::uint8_t> const& bytes)
{
    if (bytes.empty())
        return std::nullopt;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    if (!rw)
        return std::nullopt;
    SDL_AudioSpec spec {};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &raw, &length))
        return std::nullopt;
    std::unique_ptr<Uint8, WavFree> wav(raw);

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS, AudioDevice::channels,
            AudioDevice::rate)
        < 0)
        return std::nullopt;
    int frame_bytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
    length -= length % Uint32(frame_bytes);
    std::vector<Uint8> work(std::size_t(length) * std::size_t(cvt.len_mult) + 16);
    if (length > 0)
        SDL_memcpy(work.data(), wav.get(), length);
    cvt.buf = work.data();
    cvt.len = int(length);
    if (cvt.needed && length > 0 && SDL_ConvertAudio(&cvt) < 0)
        return std::nullopt;
    int converted = cvt.needed ? cvt.len_cvt : int(length);
    PcmSamples samples(std::size_t(converted) / sizeof(float));
    samples.resize(samples.size() - samples.size() % AudioDevice::channels);
    SDL_memcpy(samples.data(), work.data(), samples.size() * sizeof(float));
    return samples;
}

}
