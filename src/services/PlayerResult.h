#pragma once

#include <cstdint>
#include <string>

// The sound player's result rule: every result code of the playback layer
// either passes or becomes an error carrying the code's text.
namespace player_result {

inline constexpr std::uint32_t ok = 0;
inline constexpr std::uint32_t ok_false = 1;
inline constexpr std::uint32_t duplicate_name = 0x0004022D;
// The playback layer's code for a file it cannot decode.
inline constexpr std::uint32_t unsupported_format = 0x80040265;

std::string text(std::uint32_t code);
// Raises the code's text unless the code passes.
void check(std::uint32_t code);

}
