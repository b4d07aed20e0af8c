#pragma once

#include "activities/ActivityCatalogue.h"

#include <array>
#include <optional>
#include <string_view>

// Where each activity slot keeps its program, relative to the install folder,
// as the catalogue says; slot 0 is unused so slots index it directly. The
// shell starts these and every activity program finds its own slot here.
namespace activity_table {

inline constexpr auto programs = [] {
    std::array<std::string_view, activity_catalogue::highest_slot + 1> programs {};
    for (auto const& row : activity_catalogue::rows)
        if (row.slot != 0)
            programs[row.slot] = row.program;
    return programs;
}();

// The slot whose program the path names: its last two components compared
// with a program's without regard to ASCII case, as the shell's files are.
std::optional<int> slot_of(std::string_view program_path);

}
