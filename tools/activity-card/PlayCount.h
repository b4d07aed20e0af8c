#pragma once

struct ActivityStart;

// What became of counting one run of an activity in the register.
enum class PlayCount {
    counted,
    // Started from a place that is no slot of the menu: nothing to count.
    no_slot,
    // No data folder, a name the register cannot hold, or a register that
    // cannot be written (locked, damaged, read-only).
    failed,
};

// Counts the run in the register of the data folder, under the student's
// key, in the entry of the activity's slot.
PlayCount count_play(ActivityStart const& start);
