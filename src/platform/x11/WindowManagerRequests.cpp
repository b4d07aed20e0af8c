#include "platform/x11/WindowManagerRequests.h"

#include "platform/x11/XHandles.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>


namespace platform::x11::window_manager {

namespace {

// EWMH source indication of a request made on the user's behalf.
constexpr long from_pager = 2;
constexpr long net_wm_state_remove = 0;
constexpr long net_wm_state_add = 1;

void send_to_root(::Display* d, unsigned long window, char const* message, long l0, long l1)
{
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, message, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(d);
}

bool iconic(::Display* d, unsigned long window)
{
    Atom const wm_state = XInternAtom(d, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* raw = nullptr;
    XGetWindowProperty(d, window, wm_state, 0, 1, False, wm_state, &type, &format, &count, &after, &raw);
    XFreePtr<unsigned char> data(raw);
    return data && format == 32 && count == 1 && *reinterpret_cast<long*>(data.get()) == IconicState;
}

}

void iconify(::Display* d, unsigned long window)
{
    XIconifyWindow(d, window, DefaultScreen(d));
    XFlush(d);
}

bool wait_until_iconic(::Display* d, unsigned long window, Clock& clock, Millis deadline)
{
    auto const pause = clock.make_signal();
    for (;;) {
        if (iconic(d, window))
            return true;
        if (clock.now() >= deadline)
            return false;
        pause->wait_for(5);
    }
}

void mark_full_screen(::Display* d, unsigned long window)
{
    Atom const full_screen = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(d, window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char const*>(&full_screen), 1);
}

void ask_full_screen(::Display* d, unsigned long window)
{
    send_to_root(d, window, "_NET_WM_STATE", net_wm_state_add, long(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False)));
}

void leave_full_screen(::Display* d, unsigned long window)
{
    send_to_root(
        d, window, "_NET_WM_STATE", net_wm_state_remove, long(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False)));
}

void activate(::Display* d, unsigned long window) { send_to_root(d, window, "_NET_ACTIVE_WINDOW", from_pager, CurrentTime); }

}
