#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The program's text is UTF-8; these step through it by characters.
namespace utf8 {

// Decodes the sequence at pos and moves pos past it; nothing for overlong
// forms, surrogates and truncated or stray bytes (pos then still moves on).
std::optional<char32_t> decode(std::string_view text, std::size_t& pos);

void append(std::string& out, char32_t c);

// Where the character after / before the one at pos starts. Stray
// continuation bytes count as part of the character before them.
std::size_t next_boundary(std::string_view text, std::size_t pos);
std::size_t previous_boundary(std::string_view text, std::size_t pos);

}
