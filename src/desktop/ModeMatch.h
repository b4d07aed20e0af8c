#pragma once

#include "platform/DisplayModeRecord.h"

#include <cstdint>
#include <vector>

// The four display values the shell notes at a switch and at the restore.
struct DisplayValues {
    std::int32_t refresh { 0 }; // Hz
    std::int32_t width { 0 };
    std::int32_t height { 0 };
    std::int32_t bits { 0 }; // per pixel
    bool operator==(DisplayValues const&) const = default;
};

// A record matches when it has the asked size and depth at the refresh rate
// in force and its word at offset 44 is 0.
bool mode_matches(platform::DisplayModeRecord const&, std::int32_t refresh, std::int32_t width, std::int32_t height,
    std::int32_t bits);

// Index of the last matching record in enumeration order, -1 for none.
int last_matching_mode(std::vector<platform::DisplayModeRecord> const& modes, std::int32_t refresh,
    std::int32_t width, std::int32_t height, std::int32_t bits);
