#include "platform/x11/X11HotKeys.h"

#include "platform/x11/ErrorTrap.h"
#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace platform::x11 {

namespace {

KeySym keysym_of(int virtual_key)
{
    if (virtual_key >= 'A' && virtual_key <= 'Z')
        return XK_a + (virtual_key - 'A');
    if (virtual_key >= '0' && virtual_key <= '9')
        return XK_0 + (virtual_key - '0');
    if (virtual_key >= 0x70 && virtual_key <= 0x87)
        return XK_F1 + (virtual_key - 0x70);
    if (virtual_key == 0x20)
        return XK_space;
    return NoSymbol;
}

unsigned x_modifiers(unsigned modifiers)
{
    return ((modifiers & HotKeys::Alt) ? Mod1Mask : 0u) | ((modifiers & HotKeys::Control) ? ControlMask : 0u)
        | ((modifiers & HotKeys::Shift) ? ShiftMask : 0u);
}

// The modifier bit a lock key sits on in this keyboard's map; 0 for none.
unsigned mask_of(::Display* d, KeySym lock)
{
    KeyCode code = XKeysymToKeycode(d, lock);
    XModifierKeymap* map = XGetModifierMapping(d);
    unsigned mask = 0;
    for (int m = 0; map && code && m < 8; ++m)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[m * map->max_keypermod + k] == code)
                mask = 1u << m;
    if (map)
        XFreeModifiermap(map);
    return mask;
}

}

X11HotKeys::X11HotKeys(X11Connection& connection) : m_connection(connection)
{
    ::Display* d = connection.display();
    m_lock_masks = LockMask | mask_of(d, XK_Num_Lock) | mask_of(d, XK_Scroll_Lock);
    connection.set_key_handler([this](unsigned keycode, unsigned state) { pressed(int(keycode), state); });
}

X11HotKeys::~X11HotKeys()
{
    m_connection.set_key_handler(nullptr);
    std::map<int, Grab> grabs;
    {
        std::lock_guard lock(m_mutex);
        grabs.swap(m_grabs);
    }
    for (auto const& [id, grab] : grabs)
        ungrab(grab);
}

std::vector<unsigned> X11HotKeys::lock_variants()
{
    // Every subset of the lock bits.
    std::vector<unsigned> variants;
    for (unsigned subset = m_lock_masks;; subset = (subset - 1) & m_lock_masks) {
        variants.push_back(subset);
        if (subset == 0)
            break;
    }
    return variants;
}

void X11HotKeys::ungrab(Grab const& grab)
{
    ErrorTrap trap(m_connection);
    for (unsigned locks : lock_variants())
        XUngrabKey(m_connection.display(), grab.keycode, grab.modifiers | locks, m_connection.root());
}

bool X11HotKeys::grab(int id, int virtual_key, unsigned modifiers, std::function<void()> pressed)
{
    release(id);
    ::Display* d = m_connection.display();
    KeySym sym = keysym_of(virtual_key);
    KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (!code)
        return false;
    Grab grab { int(code), x_modifiers(modifiers), std::move(pressed) };
    int error = 0;
    {
        ErrorTrap trap(m_connection);
        for (unsigned locks : lock_variants())
            XGrabKey(d, code, grab.modifiers | locks, m_connection.root(), False, GrabModeAsync, GrabModeAsync);
        error = trap.sync();
    }
    if (error != 0) {
        // Half a hot key would work only with some lights on.
        ungrab(grab);
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_grabs[id] = std::move(grab);
    return true;
}

void X11HotKeys::release(int id)
{
    Grab grab;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_grabs.find(id);
        if (it == m_grabs.end())
            return;
        grab = std::move(it->second);
        m_grabs.erase(it);
    }
    ungrab(grab);
}

void X11HotKeys::pressed(int keycode, unsigned state)
{
    std::lock_guard lock(m_mutex);
    unsigned const wanted = state & ~m_lock_masks & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask);
    for (auto const& [id, grab] : m_grabs)
        if (grab.keycode == keycode && grab.modifiers == wanted && grab.pressed)
            grab.pressed();
}

}
