#pragma once

#include <string>

// Turns a sound name as the shell writes it ("Keystrok.mp3") into the path
// of the file it plays: letters A to Z lower-cased, everything from the
// first ".mp3" on replaced by ".wav", joined to the folder as plain text.
// The folder keeps its case.
class SoundName {
public:
    static std::string file(std::string const& name);
    static std::string path(std::string const& folder, std::string const& name) { return folder + file(name); }
};
