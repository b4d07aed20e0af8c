#include "desktop/TGlobalHotKey.h"

#include "framework/EventLoop.h"
#include "framework/Trace.h"
#include "platform/HotKeys.h"

#include <atomic>

namespace {

// Each component has an identifier of its own for all its registrations.
int next_id()
{
    static std::atomic<int> last { 0 };
    return ++last;
}

unsigned platform_modifiers(TShortCut shortcut)
{
    return ((shortcut & scAlt) ? platform::HotKeys::Alt : 0u) | ((shortcut & scCtrl) ? platform::HotKeys::Control : 0u)
        | ((shortcut & scShift) ? platform::HotKeys::Shift : 0u);
}

}

TGlobalHotKey::TGlobalHotKey(TComponent* owner)
    : TComponent(owner)
    , m_loop(EventLoop::current())
    , m_id(next_id())
    , m_alive(std::make_shared<TGlobalHotKey*>(this))
{
}

TGlobalHotKey::~TGlobalHotKey() { SetHotKey(0); }

int TGlobalHotKey::key_of(TShortCut shortcut) { return shortcut & ~(scShift | scCtrl | scAlt); }

TShiftState TGlobalHotKey::shift_of(TShortCut shortcut)
{
    return TShiftState { (shortcut & scShift) != 0, (shortcut & scCtrl) != 0, (shortcut & scAlt) != 0 };
}

void TGlobalHotKey::SetHotKey(TShortCut value)
{
    if (value == m_hot_key)
        return;
    if (m_active) {
        if (value != 0)
            register_key(value);
        else
            release_key();
    }
    m_hot_key = value;
}

void TGlobalHotKey::SetActive(bool value)
{
    if (value == m_active)
        return;
    if (value)
        register_key(m_hot_key);
    else if (m_hot_key != 0)
        release_key();
    m_active = value;
}

void TGlobalHotKey::register_key(TShortCut shortcut)
{
    std::weak_ptr<TGlobalHotKey*> alive = m_alive;
    EventLoop* loop = &m_loop;
    // Runs on a thread of the platform: the press is handed to the user
    // interface thread, where the component may be gone by then.
    auto pressed = [alive, loop, shortcut] {
        loop->post([alive, shortcut] {
            auto self = alive.lock();
            if (self && (*self)->OnKeyDown)
                (*self)->OnKeyDown(*self, key_of(shortcut), shift_of(shortcut));
        });
    };
    bool held = platform::HotKeys::current().grab(m_id, key_of(shortcut), platform_modifiers(shortcut), pressed);
    // Another program holding the combination is not reported.
    trace::event("hotkey", { held ? "grabbed" : "busy" });
}

void TGlobalHotKey::release_key() { platform::HotKeys::current().release(m_id); }
