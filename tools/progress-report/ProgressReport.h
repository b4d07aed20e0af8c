#pragma once

#include "activities/ActivityCatalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the report shows, read from a register: one row for every student
// and which of them is the child now playing. Knows nothing of drawing.

struct StudentRow {
    std::string name; // UTF-8
    // Plays of the catalogue's activities, at the slot's index; the others 0.
    std::array<std::int64_t, activity_catalogue::highest_slot + 1> plays {};
    std::int64_t total = 0;
    // The slot played last, or nothing when no play was counted.
    std::optional<int> last_activity;
    // The languages chosen at the name screen.
    bool afrikaans = false;
    bool english = false;
};

struct ProgressReport {
    enum class State { ready, missing, empty, locked, damaged, unreadable };

    State state = State::missing;
    // Every named student, in the order of the platform's sorted lists.
    std::vector<StudentRow> students;
    // The current student's row, when the register holds them.
    std::optional<std::size_t> current;

    // Reads the register of the folder for the student of this key (texts in
    // UTF-8, as the command line brings them). Never throws.
    static ProgressReport read(std::string const& folder, std::string const& name, std::string const& extra1,
        std::string const& extra2);

    // The most plays of any one activity by the current student, 0 without one.
    std::int64_t most_plays() const;
};

// The length of the bar for `plays` when the longest is `most` and bars may
// be `room` long: `unit` per play while the longest fits, shrunk to fit
// otherwise. Counters from a damaged record may be negative: no bar then.
int bar_length(std::int64_t plays, std::int64_t most, int room, int unit);
