#include "platform/fake/FakeHotKeys.h"

#include <thread>

namespace platform {

bool FakeHotKeys::grab(int id, int virtual_key, unsigned modifiers, std::function<void()> pressed)
{
    std::lock_guard lock(m_mutex);
    m_grabs.erase(id);
    if (m_elsewhere.count({ virtual_key, modifiers }))
        return false;
    m_grabs[id] = Grab { virtual_key, modifiers, std::move(pressed) };
    return true;
}

void FakeHotKeys::release(int id)
{
    std::lock_guard lock(m_mutex);
    m_grabs.erase(id);
}

bool FakeHotKeys::held(int virtual_key, unsigned modifiers) const
{
    std::lock_guard lock(m_mutex);
    for (auto const& [id, g] : m_grabs)
        if (g.key == virtual_key && g.modifiers == modifiers)
            return true;
    return false;
}

std::size_t FakeHotKeys::grabs() const
{
    std::lock_guard lock(m_mutex);
    return m_grabs.size();
}

bool FakeHotKeys::press(int virtual_key, unsigned modifiers)
{
    bool found = false;
    std::thread([&] {
        std::lock_guard lock(m_mutex);
        for (auto const& [id, g] : m_grabs)
            if (g.key == virtual_key && g.modifiers == modifiers && g.pressed) {
                g.pressed();
                found = true;
            }
    }).join();
    return found;
}

}
