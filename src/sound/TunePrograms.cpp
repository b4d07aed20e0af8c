#include "sound/TunePrograms.h"

#include "platform/Files.h"
#include "services/MidiFile.h"

namespace tune_programs {

std::optional<std::bitset<128>> in_folder(std::string const& folder)
{
    if (!platform::files::folder_exists(folder))
        return std::nullopt;
    std::bitset<128> programs;
    programs.set(0);
    // Hidden tunes too: a program that is kept for nothing costs little.
    for (auto const& name : platform::files::list(folder, "*.mid")) {
        auto bytes = platform::files::read_all(platform::files::with_slash(folder) + name);
        auto tune = bytes ? MidiFile::parse(*bytes) : std::nullopt;
        if (!tune)
            return std::nullopt;
        programs |= tune->programs();
    }
    return programs;
}

}
