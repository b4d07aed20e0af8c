#include "sound/TuneList.h"

#include "platform/Files.h"

namespace {
char const* const pattern = "*.mid";
}

std::vector<std::string> TuneList::names(std::string const& folder, std::size_t limit)
{
    std::vector<std::string> found;
    for (auto& name : platform::files::list(folder, pattern)) {
        if (found.size() >= limit)
            break;
        if (name.front() != '.')
            found.push_back(std::move(name));
    }
    return found;
}

bool TuneList::remove_all(std::string const& folder)
{
    for (auto const& name : platform::files::list_entries(folder, pattern))
        platform::files::remove(folder + name);
    return platform::files::list(folder, pattern).empty();
}
