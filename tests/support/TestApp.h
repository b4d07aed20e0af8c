#pragma once

#include "framework/EventLoop.h"
#include "framework/TApplication.h"
#include "platform/RealClock.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "platform/fake/VirtualClock.h"

#include <functional>
#include <string>

// An application on a window without a display, in virtual time (or real
// time for the few checks of real timing). The clock is installed for the
// object's lifetime.
template<class ClockType>
class BasicTestApp {
public:
    BasicTestApp() : window(clock), app(window, clock, text) { }

    platform::Millis now() { return clock.now(); }

    // Runs the loop until `done` holds or `limit` milliseconds pass.
    bool run_until(std::function<bool()> const& done, platform::Millis limit = 60000)
    {
        platform::Millis end = clock.now() + limit;
        auto id = app.loop().add_timer(limit, [] { });
        app.loop().run_until([&] { return done() || clock.now() >= end; });
        app.loop().remove_timer(id);
        return done();
    }
    void run_for(platform::Millis ms)
    {
        run_until([] { return false; }, ms);
    }

    // Input is queued; the loop handles it when it next runs (settle()).
    void move(int x, int y) { push(platform::InputEvent::Kind::MouseMove, x, y); }
    void press(int x, int y, platform::MouseButton b = platform::MouseButton::Left)
    {
        push(platform::InputEvent::Kind::MouseDown, x, y, b);
    }
    void release(int x, int y, platform::MouseButton b = platform::MouseButton::Left)
    {
        push(platform::InputEvent::Kind::MouseUp, x, y, b);
    }
    // A wheel turn at the last pointer position.
    void wheel(int notches)
    {
        platform::InputEvent e;
        e.kind = platform::InputEvent::Kind::MouseWheel;
        e.wheel = notches;
        window.push(e);
    }
    void key(int k)
    {
        platform::InputEvent e;
        e.kind = platform::InputEvent::Kind::KeyDown;
        e.key = k;
        window.push(e);
    }
    // Text as the window system sends it for typing.
    void type(std::string utf8)
    {
        platform::InputEvent e;
        e.kind = platform::InputEvent::Kind::TextInput;
        e.text = std::move(utf8);
        window.push(e);
    }
    // Lets the loop handle everything queued.
    void settle() { app.ProcessMessages(); }

    // The message box now open above the main form, if any.
    TForm* open_box()
    {
        for (auto* c : app.components())
            if (auto* box = dynamic_cast<TForm*>(c); box && box != app.MainForm())
                return box;
        return nullptr;
    }

    ClockType clock;

private:
    platform::Clock::Installed m_clock_installed { clock };

public:
    platform::FakeWindow window;
    platform::FakeTextRenderer text;
    TApplication app;

protected:
    void push(platform::InputEvent::Kind kind, int x, int y, platform::MouseButton b = platform::MouseButton::Left)
    {
        platform::InputEvent e;
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.button = b;
        window.push(e);
    }
};

using TestApp = BasicTestApp<platform::VirtualClock>;
