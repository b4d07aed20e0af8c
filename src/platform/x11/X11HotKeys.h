#pragma once

#include "platform/HotKeys.h"

#include <map>
#include <mutex>

namespace platform::x11 {

class X11Connection;

// Hot keys as passive key grabs on the root window. Covers:
// - the old platform's key codes for letters, digits, F1 to F24 and space;
// - every variant of the lock modifiers (Caps, Num and Scroll Lock), so the
//   key is held whatever the keyboard's lights;
// - BadAccess (another client holds a variant) caught while grabbing: then
//   no variant is kept and the grab reports false;
// - presses dispatched from the connection's watcher thread;
// - every grab released at destruction.
class X11HotKeys final : public HotKeys {
public:
    explicit X11HotKeys(X11Connection&);
    ~X11HotKeys() override;

    bool grab(int id, int virtual_key, unsigned modifiers, std::function<void()> pressed) override;
    void release(int id) override;

private:
    struct Grab {
        int keycode { 0 };
        unsigned modifiers { 0 }; // X modifier mask without the locks
        std::function<void()> pressed;
    };

    void pressed(int keycode, unsigned state);
    std::vector<unsigned> lock_variants();
    void ungrab(Grab const&);

    X11Connection& m_connection;
    std::mutex m_mutex;
    std::map<int, Grab> m_grabs; // guarded by m_mutex
    unsigned m_lock_masks { 0 };
};

}
