#pragma once

#include <array>
#include <optional>
#include <string_view>

// Where each of the nine activity slots keeps its program, relative to the
// install folder; slot 0 is unused so slots index it directly. The shell
// starts these and every activity program finds its own slot here.
namespace activity_table {

inline constexpr int slot_count = 9;
inline constexpr int report_slot = 9;

extern std::array<std::string_view, slot_count + 1> const programs;

// The slot whose program the path names: its last two components compared
// with a program's without regard to ASCII case, as the shell's files are.
std::optional<int> slot_of(std::string_view program_path);

}
