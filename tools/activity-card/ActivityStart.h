#pragma once

#include <array>
#include <optional>
#include <string>

// What an activity program learns from how the shell started it: the seven
// fields of its command line (install folder, student name, the key's two
// other texts, "TRUE", the language code, the data folder) and, from the
// place of its own program, its slot on the menu.
struct ActivityStart {
    std::array<std::string, 7> fields;
    std::optional<int> slot;

    // The fields arrive one per argument, "*text#", but a name with blanks
    // may be split over several arguments.
    static ActivityStart from_arguments(int argc, char const* const* argv);

    std::string const& installdir() const { return fields[0]; }
    std::string const& student() const { return fields[1]; }
    std::string const& extra1() const { return fields[2]; }
    std::string const& extra2() const { return fields[3]; }
    bool afrikaans() const { return fields[5] != "ENG"; }
    std::string const& datafolder() const { return fields[6]; }
};

// An activity's name on its card and in the report, in the child's language.
std::string activity_name(int slot, bool afrikaans);
