#include "shell/NameList.h"

#include "platform/Cp1252.h"

std::vector<std::string> listed_names(StudentSlots const& slots)
{
    std::vector<std::string> names;
    for (auto const& slot : slots)
        if (slot.number() != 0 && !slot.name().empty())
            names.push_back(cp1252::lower(cp1252::to_utf8(slot.name())));
    return names;
}
