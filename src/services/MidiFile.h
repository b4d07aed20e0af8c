#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A Standard MIDI File checked event by event before the synth sees it
// (the synth takes garbage without a word), with what the player needs of
// it: the tick of its last event, the tempo map for milliseconds and the
// programs it picks.
class MidiFile {
public:
    // Nothing when the bytes are not a file the synth can play: a bad
    // header or chunk length, a track that runs past its chunk, a data byte
    // where a status byte belongs, SMPTE time division.
    static std::optional<MidiFile> parse(std::span<std::uint8_t const> bytes);

    std::int64_t end_tick() const { return m_end_tick; }
    std::int64_t millis_at(std::int64_t tick) const;
    std::int64_t length_millis() const { return millis_at(m_end_tick); }
    // Every program a program change of any channel selects.
    std::bitset<128> const& programs() const { return m_programs; }

private:
    struct TempoChange {
        std::int64_t tick;
        std::int64_t micros_per_quarter;
    };

    int m_division { 0 };
    std::int64_t m_end_tick { 0 };
    std::vector<TempoChange> m_tempo;
    std::bitset<128> m_programs;
};
