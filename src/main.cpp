#include "framework/TApplication.h"
#include "platform/Clock.h"
#include "platform/TerminationSignals.h"
#include "platform/fluid/FluidSynth.h"
#include "platform/sdl/SdlAudioDevice.h"
#include "platform/sdl/SdlText.h"
#include "platform/sdl/SdlWindow.h"
#include "shell/TForm1.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <mutex>

namespace {

std::mutex signal_mutex;
platform::SdlWindow* signal_target = nullptr; // guarded by signal_mutex

// Lets the signal watcher reach the window for exactly the window's lifetime.
class SignalTarget {
public:
    explicit SignalTarget(platform::SdlWindow& window)
    {
        std::lock_guard lock(signal_mutex);
        signal_target = &window;
    }
    ~SignalTarget()
    {
        std::lock_guard lock(signal_mutex);
        signal_target = nullptr;
    }
    SignalTarget(SignalTarget const&) = delete;
    SignalTarget& operator=(SignalTarget const&) = delete;
};

}

int main()
{
    // Before any thread exists, so every thread inherits the blocked signals.
    platform::watch_termination_signals([] {
        std::lock_guard lock(signal_mutex);
        if (signal_target)
            signal_target->request_close();
        else
            std::_Exit(0); // no window: nothing is changed that needs putting back
    });
    try {
        platform::Clock& clock = platform::Clock::current();
        platform::SdlWindow window(clock);
        SignalTarget signal_target_for_window(window);
        platform::SdlText text;
        // The players and the synth find the one sound output through these.
        platform::SdlAudioDevice audio;
        platform::AudioDevice::install(&audio);
        platform::FluidSynth synth(audio, platform::FluidSynth::default_soundfont());
        platform::Synth::install(&synth);
        TApplication app(window, clock, text);
        app.SetTitle("Pipkin ! Sprout");
        app.OnFirstFrame = [&synth] { synth.start_loading(); };
        app.CreateForm<TForm1>("Form1");
        app.Run();
        platform::Synth::install(nullptr);
        platform::AudioDevice::install(nullptr);
    } catch (std::exception const& e) {
        std::cerr << "pipkin-sprout: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
