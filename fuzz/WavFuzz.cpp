// Feeds arbitrary bytes to the sound decoder. A file it cannot use must be
// refused with nothing kept; one it takes must give whole stereo frames.
#include "platform/WavDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    std::vector<std::uint8_t> const bytes(data, data + size);
    platform::PcmSamples samples { 1.0f }; // must not survive a refusal
    bool const decoded = platform::decode_wav(bytes, samples);
    if (!decoded && !samples.empty())
        std::abort();
    if (decoded && samples.size() % platform::AudioDevice::channels != 0)
        std::abort();
    return 0;
}
