#include "activities/ActivityTable.h"

#include "platform/AsciiLower.h"

#include <string>

namespace activity_table {

std::array<std::string_view, slot_count + 1> const programs { "",
    "language/language.exe",
    "thinking1/puzzle.exe",
    "thinking2/association.exe",
    "maths/maths.exe",
    "memory/memory.exe",
    "creative/colouring.exe",
    "perception_1/perception.exe",
    "perception_2/perception_2.exe",
    "progress/progress.exe" };

std::optional<int> slot_of(std::string_view program_path)
{
    std::size_t const file_start = program_path.rfind('/');
    if (file_start == std::string_view::npos || file_start == 0)
        return std::nullopt;
    std::size_t const folder_slash = program_path.rfind('/', file_start - 1);
    std::string_view const tail
        = program_path.substr(folder_slash == std::string_view::npos ? 0 : folder_slash + 1);
    for (int slot = 1; slot <= slot_count; ++slot)
        if (ascii_lower(std::string(tail)) == programs[slot])
            return slot;
    return std::nullopt;
}

}
