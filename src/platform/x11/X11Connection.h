#pragma once

#include "platform/FileDescriptor.h"
#include "platform/x11/XHandles.h"

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform::x11 {

// The shell's own connection to the X display SDL uses, for what SDL does
// not do: modes, the panel, the pointer mapping, the hot key. Covers:
// - opening the display named by DISPLAY before SDL does, Xlib thread-safe;
// - telling a window manager from a bare server (the EWMH check window);
// - a watcher thread, blocked in poll() while idle, that drains the events
//   the server sends us (the hot key's presses, the screen's size changes),
//   hands key presses on and keeps Xlib's record of the screen current.
//   It starts when asked: while it waits on the connection, the reply to
//   every request of another thread wakes it too, and the requests on the
//   way to the first frame would cost twice over. Until then the events wait
//   in the queue.
class X11Connection {
public:
    // Nothing when no display can be opened.
    static std::unique_ptr<X11Connection> open();
    ~X11Connection();
    X11Connection(X11Connection const&) = delete;
    X11Connection& operator=(X11Connection const&) = delete;

    ::Display* display() const { return m_display.get(); }
    unsigned long root() const { return m_root; }

    // A window manager announces itself with _NET_SUPPORTING_WM_CHECK on the
    // root window, naming a window that names itself the same way.
    bool window_manager_running();

    // Runs on the watcher thread for every key press, with the key's code and
    // the modifier state; replaced whole.
    using KeyHandler = std::function<void(unsigned keycode, unsigned state)>;
    void set_key_handler(KeyHandler);
    // Events may have been queued by a request's reply: drain them now.
    void drain_soon();
    // Starts the watcher; once is enough.
    void start_watching();

    unsigned long atom(char const* name);

private:
    explicit X11Connection(DisplayPtr);
    void watch();
    void drain();

    DisplayPtr m_display;
    unsigned long m_root;
    // The watcher's own wake-up: 'w' has it drain, 's' ends it.
    FileDescriptor m_stop_read;
    FileDescriptor m_stop_write;
    std::mutex m_handler_mutex;
    KeyHandler m_key_handler; // guarded by m_handler_mutex
    std::thread m_watcher;
};

}
