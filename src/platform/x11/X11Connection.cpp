#include "platform/x11/X11Connection.h"

#include "platform/x11/ErrorTrap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <poll.h>
#include <span>
#include <unistd.h>

namespace platform::x11 {

namespace {

void tell_watcher(FileDescriptor const& pipe, char what)
{
    if (pipe)
        pipe.write_fully(std::as_bytes(std::span(&what, 1)));
}

}

std::unique_ptr<X11Connection> X11Connection::open()
{
    // Before any other Xlib call of the process: requests come from the user
    // interface thread while the watcher reads events.
    XInitThreads();
    DisplayPtr display(XOpenDisplay(nullptr));
    if (!display)
        return nullptr;
    return std::unique_ptr<X11Connection>(new X11Connection(std::move(display)));
}

X11Connection::X11Connection(DisplayPtr display) : m_display(std::move(display)), m_root(DefaultRootWindow(m_display.get()))
{
    if (int ends[2]; ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        m_stop_read = FileDescriptor(ends[0]);
        m_stop_write = FileDescriptor(ends[1]);
    }
    ::fcntl(ConnectionNumber(m_display.get()), F_SETFD, FD_CLOEXEC);
    // Xlib keeps its record of the screen's size current only from these.
    XRRSelectInput(m_display.get(), m_root, RRScreenChangeNotifyMask);
}

void X11Connection::start_watching()
{
    if (!m_watcher.joinable())
        m_watcher = std::thread([this] { watch(); });
}

X11Connection::~X11Connection()
{
    tell_watcher(m_stop_write, 's');
    if (m_watcher.joinable())
        m_watcher.join();
}

void X11Connection::watch()
{
    if (!m_stop_read)
        return;
    pollfd fds[2] = { { ConnectionNumber(m_display.get()), POLLIN, 0 }, { m_stop_read.get(), POLLIN, 0 } };
    for (;;) {
        drain();
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents & POLLIN) {
            char c;
            if (::read(m_stop_read.get(), &c, 1) == 1 && c == 's')
                return;
        }
        if (fds[0].revents & (POLLHUP | POLLERR))
            return; // the server went away; nothing more will come
    }
}

void X11Connection::drain()
{
    ::Display* d = m_display.get();
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        XRRUpdateConfiguration(&e);
        if (e.type != KeyPress)
            continue;
        std::lock_guard lock(m_handler_mutex);
        if (m_key_handler)
            m_key_handler(e.xkey.keycode, e.xkey.state);
    }
}

void X11Connection::drain_soon()
{
    tell_watcher(m_stop_write, 'w');
}

void X11Connection::set_key_handler(KeyHandler handler)
{
    std::lock_guard lock(m_handler_mutex);
    m_key_handler = std::move(handler);
}

unsigned long X11Connection::atom(char const* name) { return XInternAtom(m_display.get(), name, False); }

namespace {

::Window check_window_of(::Display* d, ::Window w, ::Atom check)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) != Success)
        return None;
    XFreePtr<unsigned char> owned(data);
    if (type != XA_WINDOW || format != 32 || count != 1)
        return None;
    return ::Window(*reinterpret_cast<unsigned long*>(data));
}

}

bool X11Connection::window_manager_running()
{
    ::Display* d = m_display.get();
    ::Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    ErrorTrap trap(*this);
    ::Window wm = check_window_of(d, m_root, check);
    // A manager that died leaves the root's property naming a window that is
    // gone; the check window's own property tells the two apart.
    bool running = wm != None && check_window_of(d, wm, check) == wm;
    return trap.sync() == 0 && running;
}

}
