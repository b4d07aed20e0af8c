#pragma once

#include "platform/Clock.h"

#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// One line of a trace file: its time, its event and the event's fields.
struct TraceLine {
    platform::Millis at = 0;
    std::string name;
    std::vector<std::string> fields;
};

// The lines of a trace file of one kind of event (every kind when empty),
// after the first `skip` lines.
inline std::vector<TraceLine> read_trace(std::string const& path, std::string const& kind = {}, std::size_t skip = 0)
{
    std::vector<TraceLine> found;
    std::ifstream in(path);
    std::size_t number = 0;
    for (std::string text; std::getline(in, text);) {
        if (number++ < skip)
            continue;
        std::istringstream fields(text);
        TraceLine line;
        std::string time, field;
        std::getline(fields, time, '\t');
        std::getline(fields, line.name, '\t');
        while (std::getline(fields, field, '\t'))
            line.fields.push_back(field);
        line.at = std::stoll(time);
        if (kind.empty() || line.name == kind)
            found.push_back(std::move(line));
    }
    return found;
}
