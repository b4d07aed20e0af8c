#include "ActivityStart.h"

#include "activities/ActivityCatalogue.h"
#include "activities/ActivityTable.h"

#include <string_view>

namespace {

std::array<std::string, 7> split_fields(std::string line)
{
    if (line.starts_with('*'))
        line.erase(0, 1);
    if (line.ends_with('#'))
        line.pop_back();
    std::array<std::string, 7> fields;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::size_t end = line.find("# *", pos);
        // The last field takes the rest, markers and all.
        if (i + 1 == fields.size() || end == std::string::npos) {
            fields[i] = line.substr(pos);
            break;
        }
        fields[i] = line.substr(pos, end - pos);
        pos = end + 3;
    }
    return fields;
}

}

ActivityStart ActivityStart::from_arguments(int argc, char const* const* argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return { split_fields(line), argc > 0 ? activity_table::slot_of(argv[0]) : std::nullopt };
}

std::string activity_name(int slot, bool afrikaans)
{
    auto const* row = activity_catalogue::row_of_slot(slot);
    if (!row)
        return {};
    return std::string(afrikaans ? row->name.afrikaans : row->name.english);
}
