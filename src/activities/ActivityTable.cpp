#include "activities/ActivityTable.h"

#include "platform/AsciiLower.h"

#include <string>

namespace activity_table {

std::optional<int> slot_of(std::string_view program_path)
{
    std::size_t const file_start = program_path.rfind('/');
    if (file_start == std::string_view::npos || file_start == 0)
        return std::nullopt;
    std::size_t const folder_slash = program_path.rfind('/', file_start - 1);
    std::string_view const tail
        = program_path.substr(folder_slash == std::string_view::npos ? 0 : folder_slash + 1);
    for (auto const& row : activity_catalogue::rows)
        if (row.slot != 0 && ascii_lower(std::string(tail)) == row.program)
            return row.slot;
    return std::nullopt;
}

}
