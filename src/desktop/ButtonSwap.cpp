#include "desktop/ButtonSwap.h"

bool buttons_swapped(std::vector<std::uint8_t> const& mapping)
{
    return mapping.size() >= 3 && mapping[0] == 3 && mapping[2] == 1;
}

std::vector<std::uint8_t> with_buttons_swapped(std::vector<std::uint8_t> mapping, bool on)
{
    if (mapping.size() < 3)
        return mapping;
    mapping[0] = on ? 3 : 1;
    mapping[2] = on ? 1 : 3;
    return mapping;
}
