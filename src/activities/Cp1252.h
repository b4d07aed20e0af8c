#pragma once

#include <optional>
#include <string>
#include <string_view>

// Student names are kept in the register in Windows-1252, everything else in
// the program is UTF-8; these convert at that boundary.
namespace cp1252 {

// Nothing when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot store.
std::optional<std::string> from_utf8(std::string_view utf8);

// Every byte has a character: the five bytes Windows-1252 leaves unassigned
// become the C1 controls of the same value, as the desktop platform maps them,
// so any stored text survives the round trip.
std::string to_utf8(std::string_view text);

}
