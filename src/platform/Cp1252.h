#pragma once

#include <optional>
#include <string>
#include <string_view>

// The desktop platform's ANSI code page. Student names are kept in the
// register in Windows-1252, everything else in the program is UTF-8; these
// convert at that boundary and apply the code page's letter rules to UTF-8.
namespace cp1252 {

// Nothing when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot store.
std::optional<std::string> from_utf8(std::string_view utf8);

// Every byte has a character: the five bytes Windows-1252 leaves unassigned
// become the C1 controls of the same value, as the desktop platform maps them,
// so any stored text survives the round trip.
std::string to_utf8(std::string_view text);

// Whether the code page has a byte for the character.
bool representable(char32_t);

// The letters of the code page turned to lower case (A-Z, À-Þ but ×, and
// Š Œ Ž Ÿ); everything else, broken UTF-8 included, stays as it is.
char32_t lower(char32_t);
std::string lower(std::string_view utf8);

// The order of the platform's sorted lists: case never counts, accents only
// between texts that are otherwise equal (so "émile" comes between "emile"
// and "fanie"). Negative, zero or positive, as strcmp.
int compare_text(std::string_view a, std::string_view b);

}
