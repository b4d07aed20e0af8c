// Feeds arbitrary bytes to the tune checker. It must never read past the
// bytes it was given, and a tune it accepts must have a sane timeline.
#include "services/MidiFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    // A copy of exactly `size` bytes, so a read past the end is seen.
    std::vector<std::uint8_t> const bytes(data, data + size);
    auto const tune = MidiFile::parse(bytes);
    if (!tune)
        return 0;
    check(tune->end_tick() >= 0);
    std::int64_t const length = tune->length_millis();
    check(length >= 0);
    // Time never runs backwards along the tune.
    std::int64_t previous = 0;
    for (int step = 0; step <= 16; ++step) {
        std::int64_t const at = tune->millis_at(tune->end_tick() * step / 16);
        check(at >= previous && at <= length);
        previous = at;
    }
    return 0;
}
