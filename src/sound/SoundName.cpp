#include "sound/SoundName.h"

std::string SoundName::file(std::string const& name)
{
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    std::size_t at = lower.find(".mp3");
    if (at == std::string::npos)
        return lower;
    return lower.substr(0, at) + ".wav";
}
