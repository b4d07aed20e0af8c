#pragma once

#include "support/TestApp.h"

// A test application with an 800 x 600 main form whose input is handled at
// once, for the widget tests.
template<class ClockType>
struct FormTestApp : BasicTestApp<ClockType> {
    TForm& form = make_form();

    void move(int x, int y) { input(platform::InputEvent::Kind::MouseMove, x, y); }
    void down(int x, int y, platform::MouseButton b = platform::MouseButton::Left)
    {
        input(platform::InputEvent::Kind::MouseDown, x, y, b);
    }
    void up(int x, int y, platform::MouseButton b = platform::MouseButton::Left)
    {
        input(platform::InputEvent::Kind::MouseUp, x, y, b);
    }

private:
    void input(platform::InputEvent::Kind kind, int x, int y, platform::MouseButton b = platform::MouseButton::Left)
    {
        this->push(kind, x, y, b);
        this->settle();
    }
    TForm& make_form()
    {
        TForm& f = this->app.template CreateForm<TForm>("Form");
        f.SetBounds(0, 0, 800, 600);
        return f;
    }
};

using VirtualApp = FormTestApp<platform::VirtualClock>;
using RealTimeApp = FormTestApp<platform::RealClock>;
