#include "framework/TApplication.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/TerminationSignals.h"
#include "platform/fluid/FluidSynth.h"
#include "platform/posix/GuardianProcess.h"
#include "platform/sdl/SdlAudioDevice.h"
#include "platform/sdl/SdlLargeBlocks.h"
#include "platform/sdl/SdlText.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11RandR.h"
#include "shell/TForm1.h"
#include "sound/TunePrograms.h"

#include <cstdlib>
#include <exception>
#include <future>
#include <iostream>
#include <mutex>
#include <stdexcept>

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

// The shell's own X connection, and over it the display, the desktop and
// the hot keys, installed for the services' lifetime; what they take of the
// desktop is told to the guardian. The guardian is started before anything
// of the desktop is taken; the hot key and the font need no guarding: the
// server drops the one with our connection, and the other is our process's
// (the configuration that shares it with the programs we start lies in the
// runtime folder, which the session clears).
class DesktopServices {
public:
    DesktopServices()
        : m_guardian(platform::GuardianProcess::start())
        , m_x(open_display())
        , m_randr(*m_x)
        , m_display(m_randr, guardian())
        , m_desktop(*m_x, guardian())
        , m_hot_keys(*m_x)
        , m_window_manager_running(m_x->window_manager_running())
    { }

    // Events of the shell's own connection wait until now (see X11Connection).
    void start_watching() { m_x->start_watching(); }

    platform::SdlWindow::Style window_style() const
    {
        return m_window_manager_running ? platform::SdlWindow::Style::FullScreen
                                        : platform::SdlWindow::Style::Borderless;
    }

private:
    platform::Guardian& guardian() { return m_guardian ? *m_guardian : platform::Guardian::none(); }

    static std::unique_ptr<platform::x11::X11Connection> open_display()
    {
        auto x = platform::x11::X11Connection::open();
        if (!x)
            throw std::runtime_error("Cannot open the display");
        return x;
    }

    std::unique_ptr<platform::GuardianProcess> m_guardian;
    std::unique_ptr<platform::x11::X11Connection> m_x;
    platform::x11::X11RandR m_randr;
    platform::x11::X11Display m_display;
    platform::x11::X11Desktop m_desktop;
    platform::x11::X11HotKeys m_hot_keys;
    bool m_window_manager_running;
    platform::Display::Installed m_display_installed { m_display };
    platform::Desktop::Installed m_desktop_installed { m_desktop };
    platform::HotKeys::Installed m_hot_keys_installed { m_hot_keys };
};

}

int main()
{
    platform::environment::use_compose_cache();
    // Before any thread exists, so every thread inherits the blocked signals.
    platform::watch_termination_signals([] {
        std::lock_guard lock(signal_mutex);
        if (signal_target)
            signal_target->request_close();
        else
            std::_Exit(0); // no window: nothing is changed that needs putting back
    });
    platform::serve_sdl_large_blocks();
    try {
        platform::Clock& clock = platform::Clock::current();
        // The guardian is started, the shell's own connection opened and the
        // desktop looked at beside SDL's start, on the way to the first frame.
        auto opening = std::async(std::launch::async, [] { return std::make_unique<DesktopServices>(); });
        TForm1::decode_first_frame_ahead();
        platform::SdlVideo video;
        auto desktop = opening.get();
        platform::SdlWindow window(video, clock, desktop->window_style());
        SignalTarget signal_target_for_window(window);
        platform::SdlText text;
        // The players and the synth find the one sound output through these.
        platform::SdlAudioDevice audio;
        platform::AudioDevice::Installed audio_installed(audio);
        // The synth loads only the instruments the install folder's tunes can ask for.
        std::string music = platform::files::with_slash(platform::files::current_directory()) + "Music/";
        platform::FluidSynth synth(audio, platform::FluidSynth::default_soundfont(),
            [music] { return tune_programs::in_folder(music); });
        platform::Synth::Installed synth_installed(synth);
        TApplication app(window, clock, text);
        app.SetTitle("Pipkin ! Sprout");
        app.CreateForm<TForm1>("Form1");
        // These wait until the form is made: its first frame needs none of
        // them, a sound server can take a while to answer, and reading the
        // soundfont beside the font registration that follows the first
        // frame slows both.
        desktop->start_watching();
        audio.start();
        synth.start_loading();
        app.Run();
    } catch (std::exception const& e) {
        std::cerr << "pipkin-sprout: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
