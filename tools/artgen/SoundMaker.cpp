#include "SoundMaker.h"

#include "RunProgram.h"

#include "activities/ActivityCatalogue.h"

#include <filesystem>
#include <utility>

namespace {

struct Prompt {
    std::string_view name;
    activity_catalogue::Words words;
};

// The screens' instructions; the menu's zones say their names.
Prompt const instructions[] = {
    { "a_1", { "Tik jou naam, en klik dan op die regmerkie.", "Type your name, and then click on the tick." } },
    { "a_2", { "Kies 'n aktiwiteit. Wys daarna en klik.", "Choose an activity. Point at it and click." } },
    { "a_17", { "Totsiens! Kom speel gou weer.", "Goodbye! Come and play again soon." } },
};

std::vector<Prompt> all_prompts()
{
    std::vector<Prompt> prompts(std::begin(instructions), std::end(instructions));
    for (auto const& row : activity_catalogue::rows)
        if (!row.prompt.empty())
            prompts.push_back({ row.prompt, row.name });
    return prompts;
}

std::vector<std::string> const wav_format { "-r", "44100", "-c", "1", "-b", "16" };

}

SoundMaker::SoundMaker(std::string package)
    : m_package(std::move(package))
{
}

void SoundMaker::write_voices()
{
    for (auto const& [folder, voice] : { std::pair { "sounds_afr", "af" }, std::pair { "sounds_eng", "en-gb" } }) {
        std::filesystem::create_directories(m_package + "/" + folder);
        for (Prompt const& p : all_prompts())
            speak(voice, std::string(voice == std::string("af") ? p.words.afrikaans : p.words.english),
                m_package + "/" + folder + "/" + std::string(p.name) + ".wav");
    }
}

void SoundMaker::speak(std::string const& voice, std::string const& text, std::string const& file)
{
    std::string const raw = file + ".raw.wav";
    // A little slower and higher than the default: clearer for small children.
    run_program({ "espeak-ng", "-v", voice, "-s", "135", "-p", "60", "-w", raw, text });
    std::vector<std::string> args { "sox", "-R", raw };
    args.insert(args.end(), wav_format.begin(), wav_format.end());
    args.push_back(file);
    // Trim the silence at both ends, even out the loudness, then pad a little.
    for (char const* a : { "silence", "1", "0.02", "0.5%", "reverse", "silence", "1", "0.02", "0.5%", "reverse",
             "gain", "-n", "-1", "pad", "0.05", "0.15" })
        args.push_back(a);
    run_program(args);
    std::filesystem::remove(raw);
}

void SoundMaker::write_effects()
{
    std::string const fx = m_package + "/fxsounds/";
    std::filesystem::create_directories(fx);
    synthesise(fx + "gliss.wav", { "synth", "0.6", "sine", "300-1500", "fade", "h", "0.02", "0.6", "0.2", "gain", "-4" });
    synthesise(fx + "keystrok.wav", { "synth", "0.05", "square", "900", "fade", "0", "0.05", "0.04", "gain", "-14" });
    synthesise(fx + "click.wav", { "synth", "0.04", "sine", "1800", "fade", "0", "0.04", "0.03", "gain", "-6" });
    synthesise(fx + "wrong.wav", { "synth", "0.4", "triangle", "260-150", "fade", "0", "0.4", "0.12", "gain", "-4" });
    synthesise(fx + "language.wav",
        { "synth", "0.7", "pluck", "E5", "synth", "0.7", "pluck", "mix", "G5", "fade", "0", "0.7", "0.4", "gain", "-6" });
}

void SoundMaker::synthesise(std::string const& file, std::vector<std::string> const& effects)
{
    std::vector<std::string> args { "sox", "-R", "-n" };
    args.insert(args.end(), wav_format.begin(), wav_format.end());
    args.push_back(file);
    args.insert(args.end(), effects.begin(), effects.end());
    run_program(args);
}
