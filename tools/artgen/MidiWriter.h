#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds a Standard MIDI File of format 1: one track per part, events placed
// at absolute ticks and written with delta times in tick order.
class MidiWriter {
public:
    explicit MidiWriter(int ticks_per_quarter = 480);

    int ticks_per_quarter() const { return m_division; }
    // Returns the new track's number; track 0 should hold the tempo.
    int add_track();
    void tempo(int track, std::uint32_t tick, int beats_per_minute);
    void program(int track, std::uint32_t tick, int channel, int instrument);
    void note(int track, std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

    std::vector<std::uint8_t> bytes() const;
    void write(std::string const& path) const;

private:
    struct Event {
        std::uint32_t tick;
        int rank; // at the same tick: note-offs first, then set-up, then note-ons
        std::vector<std::uint8_t> data;
    };
    void add(int track, std::uint32_t tick, int rank, std::vector<std::uint8_t> data);

    int m_division;
    std::vector<std::vector<Event>> m_tracks;
};
