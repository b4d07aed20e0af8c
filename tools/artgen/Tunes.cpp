#include "Tunes.h"

#include "MidiWriter.h"

#include <cmath>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace {

// A part is written as notes with their length in beats: "C5/1 E5/0.5 r/1",
// a bare note lasting one beat; "r" is a rest.
int key_of(std::string const& name)
{
    static constexpr int steps[] = { 9, 11, 0, 2, 4, 5, 7 }; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad note " + name);
    int key = steps[name[0] - 'A'];
    std::size_t pos = 1;
    if (name[pos] == '#') {
        ++key;
        ++pos;
    }
    return 12 * (std::stoi(name.substr(pos)) + 1) + key;
}

void add_part(MidiWriter& midi, int track, int channel, int velocity, std::string const& part)
{
    std::istringstream in(part);
    std::string token;
    double beat = 0;
    int const tpq = midi.ticks_per_quarter();
    while (in >> token) {
        if (token == "|")
            continue;
        auto slash = token.find('/');
        double beats = slash == std::string::npos ? 1.0 : std::stod(token.substr(slash + 1));
        std::string name = token.substr(0, slash);
        auto start = static_cast<std::uint32_t>(std::lround(beat * tpq));
        auto length = static_cast<std::uint32_t>(std::lround(beats * tpq * 0.9)); // slightly detached
        if (name != "r")
            midi.note(track, start, length, channel, key_of(name), velocity);
        beat += beats;
    }
}

struct Tune {
    char const* file;
    int tempo;
    int melody_instrument;
    int bass_instrument;
    char const* melody;
    char const* bass;
};

// pipkin.mid is our own; the others are traditional tunes and a Beethoven
// theme, all long in the public domain.
Tune const tunes[] = {
    { "pipkin.mid", 132, 9, 33,
        "C5/0.5 E5/0.5 G5 E5/0.5 G5/0.5 C6 | A5/0.5 G5/0.5 E5/0.5 C5/0.5 D5/2 | "
        "D5/0.5 F5/0.5 A5 G5/0.5 F5/0.5 E5 | D5/0.5 E5/0.5 D5/0.5 B4/0.5 C5/2 | "
        "C5/0.5 E5/0.5 G5 E5/0.5 G5/0.5 C6 | A5/0.5 C6/0.5 B5/0.5 A5/0.5 G5/2 | "
        "F5/0.5 A5/0.5 G5/0.5 E5/0.5 D5/0.5 G5/0.5 B4 | C5 E5 C5/2",
        "C3/2 C3/2 | F3/2 G3/2 | D3/2 G2/2 | G2/2 C3/2 | C3/2 C3/2 | F3/2 G3/2 | F3/2 G2/2 | C3/4" },
    { "twinkle.mid", 110, 8, 0,
        "C5 C5 G5 G5 | A5 A5 G5/2 | F5 F5 E5 E5 | D5 D5 C5/2 | G5 G5 F5 F5 | E5 E5 D5/2 | "
        "G5 G5 F5 F5 | E5 E5 D5/2 | C5 C5 G5 G5 | A5 A5 G5/2 | F5 F5 E5 E5 | D5 D5 C5/2",
        "C3/2 C3/2 | F3/2 C3/2 | F3/2 C3/2 | G3/2 C3/2 | C3/2 F3/2 | C3/2 G3/2 | "
        "C3/2 F3/2 | C3/2 G3/2 | C3/2 C3/2 | F3/2 C3/2 | F3/2 C3/2 | G3/2 C3/2" },
    { "frere_jacques.mid", 120, 12, 32,
        "C5 D5 E5 C5 | C5 D5 E5 C5 | E5 F5 G5/2 | E5 F5 G5/2 | "
        "G5/0.5 A5/0.5 G5/0.5 F5/0.5 E5 C5 | G5/0.5 A5/0.5 G5/0.5 F5/0.5 E5 C5 | C5 G4 C5/2 | C5 G4 C5/2",
        "C3/2 G2/2 | C3/2 G2/2 | C3/2 C3/2 | C3/2 C3/2 | C3/2 G2/2 | C3/2 G2/2 | C3/2 G2/2 | C3/4" },
    { "ode_to_joy.mid", 116, 73, 0,
        "E5 E5 F5 G5 | G5 F5 E5 D5 | C5 C5 D5 E5 | E5/1.5 D5/0.5 D5/2 | "
        "E5 E5 F5 G5 | G5 F5 E5 D5 | C5 C5 D5 E5 | D5/1.5 C5/0.5 C5/2 | "
        "D5 D5 E5 C5 | D5 E5/0.5 F5/0.5 E5 C5 | D5 E5/0.5 F5/0.5 E5 D5 | C5 D5 G4/2 | "
        "E5 E5 F5 G5 | G5 F5 E5 D5 | C5 C5 D5 E5 | D5/1.5 C5/0.5 C5/2",
        "C3/2 C3/2 | G2/2 G2/2 | C3/2 C3/2 | G2/2 G2/2 | C3/2 C3/2 | G2/2 G2/2 | C3/2 C3/2 | G2/2 C3/2 | "
        "G2/2 C3/2 | G2/2 C3/2 | G2/2 C3/2 | G2/2 G2/2 | C3/2 C3/2 | G2/2 G2/2 | C3/2 C3/2 | G2/2 C3/2" },
};

}

void write_tunes(std::string const& package)
{
    std::string const folder = package + "/Music/";
    std::filesystem::create_directories(folder);
    for (Tune const& t : tunes) {
        MidiWriter midi;
        int conductor = midi.add_track();
        midi.tempo(conductor, 0, t.tempo);
        int melody = midi.add_track();
        midi.program(melody, 0, 0, t.melody_instrument);
        add_part(midi, melody, 0, 100, t.melody);
        int bass = midi.add_track();
        midi.program(bass, 0, 1, t.bass_instrument);
        add_part(midi, bass, 1, 80, t.bass);
        midi.write(folder + t.file);
    }
}
