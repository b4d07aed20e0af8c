#pragma once

#include <string>

// Letters A to Z lower-cased, every other byte kept: the shell's own
// comparisons of hints, environment lines and sound names are ASCII-only.
inline std::string ascii_lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return s;
}
