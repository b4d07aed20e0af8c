#pragma once

#include "platform/PcmChannel.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// Decodes a WAV file's bytes into the device's format; nothing when the
// bytes are not a WAV file that can be decoded.
std::optional<PcmSamples> decode_wav(std::vector<std::uint8_t> const& bytes);

}
