#pragma once

#include "platform/HotKeys.h"

#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace platform {

// Hot keys for tests: which combinations are held, which another program
// holds, and a press delivered from a thread as the platform's would be.
class FakeHotKeys final : public HotKeys {
public:
    bool grab(int id, int virtual_key, unsigned modifiers, std::function<void()> pressed) override;
    void release(int id) override;

    void hold_elsewhere(int virtual_key, unsigned modifiers) { m_elsewhere.insert({ virtual_key, modifiers }); }
    bool held(int virtual_key, unsigned modifiers) const;
    std::size_t grabs() const;
    // Presses the combination on a thread of its own; false when not held.
    bool press(int virtual_key, unsigned modifiers);

private:
    struct Grab {
        int key;
        unsigned modifiers;
        std::function<void()> pressed;
    };
    mutable std::mutex m_mutex;
    std::map<int, Grab> m_grabs;
    std::set<std::pair<int, unsigned>> m_elsewhere;
};

}
