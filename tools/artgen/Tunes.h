#pragma once

#include <string>

// Writes the package's General MIDI tunes into package/Music: the intro tune
// "pipkin.mid" and cheerful public-domain melodies for the random music.
void write_tunes(std::string const& package);
