#include "desktop/ModeMatch.h"

bool mode_matches(platform::DisplayModeRecord const& r, std::int32_t refresh, std::int32_t width, std::int32_t height,
    std::int32_t bits)
{
    return r.dmDisplayFrequency() == std::uint32_t(refresh) && r.dmPelsWidth() == std::uint32_t(width)
        && r.dmPelsHeight() == std::uint32_t(height) && r.dmBitsPerPel() == std::uint32_t(bits) && r.word_at_44() == 0;
}

int last_matching_mode(std::vector<platform::DisplayModeRecord> const& modes, std::int32_t refresh,
    std::int32_t width, std::int32_t height, std::int32_t bits)
{
    int match = -1;
    for (std::size_t n = 0; n < modes.size(); ++n)
        if (mode_matches(modes[n], refresh, width, height, bits))
            match = int(n);
    return match;
}
