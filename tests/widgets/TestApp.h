#pragma once

#include "framework/TApplication.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "platform/fake/VirtualClock.h"
#include "platform/RealClock.h"

// An application with a headless window and an 800 x 600 main form, on
// virtual or real time; the clock is installed for the test's lifetime.
template<class ClockType>
struct TestApp {
    struct Installed {
        explicit Installed(platform::Clock& c) { platform::Clock::install(&c); }
        ~Installed() { platform::Clock::install(nullptr); }
    };
    ClockType clock;
    Installed installed { clock };
    platform::FakeWindow window { clock };
    platform::FakeTextRenderer text;
    TApplication app { window, clock, text };
    TForm& form = make_form();

    platform::Millis now() { return clock.now(); }
    // Runs the loop, virtual time jumping whenever everything waits.
    void run_for(platform::Millis ms)
    {
        platform::Millis end = clock.now() + ms;
        auto& loop = EventLoop::current();
        auto id = loop.add_timer(ms, [] { });
        loop.run_until([&] { return clock.now() >= end; });
        loop.remove_timer(id);
    }
    void input(platform::InputEvent::Kind kind, int x, int y, platform::MouseButton button = platform::MouseButton::Left)
    {
        platform::InputEvent e;
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.button = button;
        window.push(e);
        app.ProcessMessages();
    }
    void move(int x, int y) { input(platform::InputEvent::Kind::MouseMove, x, y); }
    void down(int x, int y, platform::MouseButton b = platform::MouseButton::Left) { input(platform::InputEvent::Kind::MouseDown, x, y, b); }
    void up(int x, int y, platform::MouseButton b = platform::MouseButton::Left) { input(platform::InputEvent::Kind::MouseUp, x, y, b); }

private:
    TForm& make_form()
    {
        TForm& f = app.CreateForm<TForm>("Form");
        f.SetBounds(0, 0, 800, 600);
        return f;
    }
};

using VirtualApp = TestApp<platform::VirtualClock>;
using RealTimeApp = TestApp<platform::RealClock>;
