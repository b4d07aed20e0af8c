#pragma once

#include "platform/Service.h"

#include <functional>

namespace platform {

// System-wide key combinations held by this program: while one is held, the
// key reaches no other program.
class HotKeys : public Service<HotKeys> {
public:
    enum Modifier : unsigned { Alt = 1, Control = 2, Shift = 4 };

    virtual ~HotKeys() = default;

    // Takes `virtual_key` (the old platform's key code: 'A'..'Z', '0'..'9',
    // F1 0x70..) with a mask of Modifier under `id`. `pressed` runs on a
    // thread of the platform's each time the combination is pressed, until
    // release(id) returns. False when another program holds the combination.
    virtual bool grab(int id, int virtual_key, unsigned modifiers, std::function<void()> pressed) = 0;
    virtual void release(int id) = 0;

    // Stands in while none is installed: it holds every combination for nobody.
    static HotKeys& fallback();
};

}
