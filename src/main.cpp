#include "framework/TApplication.h"
#include "platform/Clock.h"
#include "platform/TerminationSignals.h"
#include "platform/fluid/FluidSynth.h"
#include "platform/sdl/SdlAudioDevice.h"
#include "platform/sdl/SdlText.h"
#include "platform/sdl/SdlWindow.h"
#include "shell/TForm1.h"

#include <atomic>
#include <cstdlib>
#include <exception>
#include <iostream>

namespace {
std::atomic<platform::SdlWindow*> main_window { nullptr };
}

int main()
{
    // Before any thread exists, so every thread inherits the blocked signals.
    platform::watch_termination_signals([] {
        if (auto* w = main_window.load())
            w->request_close();
        else
            std::_Exit(0); // nothing has been changed yet that needs putting back
    });
    try {
        platform::Clock& clock = platform::Clock::current();
        platform::SdlWindow window(clock);
        main_window = &window;
        platform::SdlText text;
        // The players and the synth find the one sound output through these.
        platform::SdlAudioDevice audio;
        platform::AudioDevice::install(&audio);
        platform::FluidSynth synth(audio, platform::FluidSynth::default_soundfont());
        platform::Synth::install(&synth);
        TApplication app(window, clock, text);
        app.SetTitle("Pipkin ! Sprout");
        app.CreateForm<TForm1>("Form1");
        app.Run();
        main_window = nullptr;
        platform::Synth::install(nullptr);
        platform::AudioDevice::install(nullptr);
    } catch (std::exception const& e) {
        std::cerr << "pipkin-sprout: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
