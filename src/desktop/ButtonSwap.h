#pragma once

#include <cstdint>
#include <vector>

// The pointer's buttons in the X sense: the logical button of each physical
// one, from button 1. Swapped means buttons 1 and 3 exchanged.
bool buttons_swapped(std::vector<std::uint8_t> const& mapping);

// The mapping with buttons 1 and 3 in the asked order and every other
// button as it was; a mapping of fewer than three buttons is kept.
std::vector<std::uint8_t> with_buttons_swapped(std::vector<std::uint8_t> mapping, bool on);
