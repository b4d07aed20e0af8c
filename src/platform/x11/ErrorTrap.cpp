#include "platform/x11/ErrorTrap.h"

#include "platform/x11/X11Connection.h"

namespace platform::x11 {

namespace {

std::mutex trap_mutex;
std::atomic<ErrorTrap*> active_trap { nullptr };
std::atomic<::Display*> trapped_display { nullptr };
std::atomic<XErrorHandler> previous_handler { nullptr };

// Waits until the server has answered every request so far, unless Xlib
// already knows it has: the last request's reply, or a later one, came back
// (requests are answered in order). Each wait is a round trip, and the traps
// on the way to the first frame mostly end with a question answered.
void sync_unless_answered(::Display* d)
{
    XLockDisplay(d);
    bool const answered = NextRequest(d) - 1 == LastKnownRequestProcessed(d);
    XUnlockDisplay(d);
    if (!answered)
        XSync(d, False);
}

}

ErrorTrap::ErrorTrap(X11Connection& connection) : m_connection(connection), m_one_at_a_time(trap_mutex)
{
    // Requests made before the trap must not report into it.
    sync_unless_answered(connection.display());
    trapped_display.store(connection.display());
    active_trap.store(this);
    m_previous = XSetErrorHandler(&ErrorTrap::handle);
    previous_handler.store(m_previous);
}

ErrorTrap::~ErrorTrap()
{
    sync();
    XSetErrorHandler(m_previous);
    active_trap.store(nullptr);
    trapped_display.store(nullptr);
    // Replies may have brought events into Xlib's queue behind the watcher's back.
    m_connection.drain_soon();
}

int ErrorTrap::sync()
{
    sync_unless_answered(m_connection.display());
    return m_first_error.load();
}

int ErrorTrap::handle(::Display* display, XErrorEvent* error)
{
    ErrorTrap* trap = active_trap.load();
    if (trap && display == trapped_display.load()) {
        int none = 0;
        trap->m_first_error.compare_exchange_strong(none, error->error_code);
        return 0;
    }
    XErrorHandler previous = previous_handler.load();
    return previous ? previous(display, error) : 0;
}

}
