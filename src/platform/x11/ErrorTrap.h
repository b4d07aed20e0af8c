#pragma once

#include <X11/Xlib.h>
#include <atomic>
#include <mutex>

namespace platform::x11 {

class X11Connection;

// Catches the X errors our own requests raise while it lives, so a window
// that vanished or a key another program holds does not end the process
// (Xlib's default handler exits). Errors of other connections (SDL's) go to
// the handler that was installed before. One trap at a time.
class ErrorTrap {
public:
    explicit ErrorTrap(X11Connection&);
    ~ErrorTrap();
    ErrorTrap(ErrorTrap const&) = delete;
    ErrorTrap& operator=(ErrorTrap const&) = delete;

    // Waits until every request so far is answered; the code of the first
    // error they raised, 0 for none.
    int sync();

private:
    static int handle(::Display*, XErrorEvent*);

    X11Connection& m_connection;
    std::unique_lock<std::mutex> m_one_at_a_time;
    std::atomic<int> m_first_error { 0 };
    XErrorHandler m_previous { nullptr };
};

}
