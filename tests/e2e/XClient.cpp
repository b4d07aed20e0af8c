#include "XClient.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <stdexcept>
#include <thread>

XClient::XClient(std::string const& display) : m_display(XOpenDisplay(display.c_str()))
{
    if (!m_display)
        throw std::runtime_error("cannot open " + display);
}

XClient::~XClient() { XCloseDisplay(m_display); }

void XClient::sync() { XSync(m_display, False); }

unsigned long XClient::make_dock(int width, int height)
{
    int screen = DefaultScreen(m_display);
    Window w = XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 0, DisplayHeight(m_display, screen) - height,
        unsigned(width), unsigned(height), 0, 0, 0x336699);
    Atom type = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE", False);
    Atom dock = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(m_display, w, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&dock), 1);
    XStoreName(m_display, w, "stand-in panel");
    XMapWindow(m_display, w);
    // A panel is on the screen long before the shell starts. A window
    // manager maps it in its own time, and openbox, just started, serves the
    // request only once something else wakes it: a change on the root does.
    Atom nudge = XInternAtom(m_display, "_SPROUT_TEST_NUDGE", False);
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!viewable(w) && std::chrono::steady_clock::now() < deadline) {
        XChangeProperty(m_display, RootWindow(m_display, screen), nudge, XA_CARDINAL, 32, PropModeReplace, nullptr, 0);
        sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return w;
}

unsigned long XClient::make_listener()
{
    Window w = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 100, 100, 0, 0, 0xffffff);
    XSelectInput(m_display, w, KeyPressMask | StructureNotifyMask);
    XStoreName(m_display, w, "key listener");
    XMapWindow(m_display, w);
    for (XEvent e; XWindowEvent(m_display, w, StructureNotifyMask, &e), e.type != MapNotify;) { }
    hold_focus(w);
    m_listener = w;
    return w;
}

// A program that has just started may take the focus once its window is
// shown, later than its first frame; the focus is held once it stays put.
void XClient::hold_focus(unsigned long window)
{
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        XSetInputFocus(m_display, window, RevertToPointerRoot, CurrentTime);
        sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (focus() == window)
            return;
    }
}

int XClient::key_presses(char const* keysym)
{
    sync();
    XEvent e;
    while (XCheckWindowEvent(m_display, m_listener, KeyPressMask, &e))
        m_pressed.push_back(e.xkey.keycode);
    unsigned code = XKeysymToKeycode(m_display, XStringToKeysym(keysym));
    int n = 0;
    for (unsigned c : m_pressed)
        n += c == code;
    return n;
}

bool XClient::viewable(unsigned long window)
{
    XWindowAttributes a {};
    return XGetWindowAttributes(m_display, window, &a) && a.map_state == IsViewable;
}

bool XClient::mapped(unsigned long window)
{
    XWindowAttributes a {};
    return XGetWindowAttributes(m_display, window, &a) && a.map_state != IsUnmapped;
}

unsigned long XClient::find(std::string const& name)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
    unsigned long found = 0;
    // Top-level windows, and the clients inside a window manager's frames.
    auto named = [&](Window w) {
        char* n = nullptr;
        bool same = XFetchName(m_display, w, &n) && n && name == n;
        if (n)
            XFree(n);
        return same;
    };
    for (unsigned i = 0; i < count && !found; ++i) {
        if (named(children[i])) {
            found = children[i];
            break;
        }
        Window r2, p2, *inner = nullptr;
        unsigned inner_count = 0;
        if (XQueryTree(m_display, children[i], &r2, &p2, &inner, &inner_count)) {
            for (unsigned k = 0; k < inner_count && !found; ++k)
                if (named(inner[k]))
                    found = inner[k];
            if (inner)
                XFree(inner);
        }
    }
    if (children)
        XFree(children);
    return found;
}

std::vector<std::string> XClient::atoms_of(unsigned long window, char const* property)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::vector<std::string> names;
    if (XGetWindowProperty(m_display, window, XInternAtom(m_display, property, False), 0, 64, False, XA_ATOM, &type,
            &format, &count, &after, &data) == Success && data) {
        auto const* atoms = reinterpret_cast<unsigned long const*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char* n = XGetAtomName(m_display, atoms[i]);
            names.emplace_back(n ? n : "");
            if (n)
                XFree(n);
        }
        XFree(data);
    }
    return names;
}

unsigned long XClient::focus()
{
    Window w;
    int revert;
    XGetInputFocus(m_display, &w, &revert);
    return w;
}

void XClient::ask_to_close(unsigned long window)
{
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &e);
    sync();
}
