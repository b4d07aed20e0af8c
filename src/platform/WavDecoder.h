#pragma once

#include "platform/PcmChannel.h"

#include <cstdint>
#include <vector>

namespace platform {

// Decodes a WAV file's bytes into the device's format, reusing the memory
// `out` already holds (fresh pages cost more than the conversion); false,
// with `out` emptied, when the bytes are not a WAV file that can be decoded.
bool decode_wav(std::vector<std::uint8_t> const& bytes, PcmSamples& out);

}
