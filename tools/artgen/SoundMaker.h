#pragma once

#include <string>
#include <vector>

// Makes the package's WAV files: the spoken prompts in both languages and the
// effect sounds, all 44.1 kHz mono 16-bit. sox runs with a fixed random seed
// (-R) so every build writes the same bytes.
class SoundMaker {
public:
    explicit SoundMaker(std::string package);

    void write_voices();
    void write_effects();

private:
    void speak(std::string const& voice, std::string const& text, std::string const& file);
    void synthesise(std::string const& file, std::vector<std::string> const& effects);

    std::string m_package;
};
