#include "platform/x11/X11Desktop.h"

#include "platform/Guardian.h"
#include "platform/fc/FcLibrary.h"
#include "platform/x11/ErrorTrap.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/XcbAnswer.h"

#include <X11/Xatom.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform::x11 {

namespace {

std::vector<::Window> children_of(::Display* d, ::Window w)
{
    ::Window root, parent;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return {};
    XFreePtr<::Window> owned(children);
    return std::vector<::Window>(children, children + count);
}

// Of `windows`, those on the screen, in the same order. The questions go out
// together and cost one round trip, where Xlib's would cost two a window; a
// window gone meanwhile is simply not on the screen.
std::vector<::Window> viewable_of(::Display* d, std::vector<::Window> const& windows)
{
    xcb_connection_t* c = XGetXCBConnection(d);
    std::vector<xcb_get_window_attributes_cookie_t> asked;
    for (::Window w : windows)
        asked.push_back(xcb_get_window_attributes(c, xcb_window_t(w)));
    std::vector<::Window> shown;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        auto reply = answer(c, asked[i], xcb_get_window_attributes_reply);
        if (reply && reply->map_state == XCB_MAP_STATE_VIEWABLE)
            shown.push_back(windows[i]);
    }
    return shown;
}

bool has_class(::Display* d, ::Window w, char const* wanted)
{
    XClassHint hint {};
    if (!XGetClassHint(d, w, &hint))
        return false;
    XFreePtr<char> name(hint.res_name), klass(hint.res_class);
    return hint.res_class && std::strcmp(hint.res_class, wanted) == 0;
}

bool has_atom(::Display* d, ::Window w, ::Atom property, ::Atom wanted)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 32, False, XA_ATOM, &type, &format, &count, &after, &data) != Success)
        return false;
    XFreePtr<unsigned char> owned(data);
    if (type != XA_ATOM || format != 32)
        return false;
    auto const* atoms = reinterpret_cast<unsigned long const*>(data);
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

}

X11Desktop::X11Desktop(X11Connection& connection, Guardian& guardian) : m_connection(connection), m_guardian(guardian)
{
    std::string found;
    for (std::uint8_t button : pointer_mapping()) {
        if (!found.empty())
            found += ' ';
        found += std::to_string(button);
    }
    m_guardian.taken(Guardian::Hold::pointer, found);
}

// Reached after the shell's own restore steps: the mapping is theirs to leave.
X11Desktop::~X11Desktop() { m_guardian.given_back(Guardian::Hold::pointer); }

bool X11Desktop::marked_as_panel(unsigned long window)
{
    ::Display* d = m_connection.display();
    return has_class(d, window, "Shell_TrayWnd")
        || has_atom(d, window, m_connection.atom("_NET_WM_WINDOW_TYPE"), m_connection.atom("_NET_WM_WINDOW_TYPE_DOCK"));
}

// Only a panel on screen needs hiding; window managers keep unmapped dock
// windows of their own. A window manager puts each client in a frame of its
// own: look one level into every top-level window that is not the panel
// itself. Nothing in a window off the screen is on it, so such a window is
// passed over whole; all of this is on the way to the first frame.
Desktop::WindowHandle X11Desktop::find_panel()
{
    ::Display* d = m_connection.display();
    ErrorTrap trap(m_connection);
    for (::Window top : viewable_of(d, children_of(d, m_connection.root()))) {
        if (marked_as_panel(top))
            return top;
        for (::Window client : viewable_of(d, children_of(d, top)))
            if (marked_as_panel(client))
                return client;
    }
    return 0;
}

void X11Desktop::hide_window(WindowHandle window)
{
    if (!window)
        return;
    m_guardian.taken(Guardian::Hold::panel, std::to_string(window));
    ErrorTrap trap(m_connection);
    XUnmapWindow(m_connection.display(), ::Window(window));
}

void X11Desktop::show_window(WindowHandle window)
{
    if (!window)
        return;
    {
        ErrorTrap trap(m_connection);
        XMapWindow(m_connection.display(), ::Window(window));
    }
    m_guardian.given_back(Guardian::Hold::panel);
}

std::vector<std::uint8_t> X11Desktop::pointer_mapping()
{
    unsigned char map[256];
    int count = XGetPointerMapping(m_connection.display(), map, sizeof map);
    return std::vector<std::uint8_t>(map, map + std::max(count, 0));
}

void X11Desktop::set_pointer_mapping(std::vector<std::uint8_t> const& mapping)
{
    if (mapping.empty())
        return;
    ErrorTrap trap(m_connection);
    std::vector<unsigned char> map(mapping.begin(), mapping.end());
    XSetPointerMapping(m_connection.display(), map.data(), int(map.size()));
}

bool X11Desktop::add_font(std::string const& absolute_path)
{
    if (!fc::load_library()
        || !fc::functions().FcConfigAppFontAddFile(nullptr, reinterpret_cast<FcChar8 const*>(absolute_path.c_str())))
        return false;
    m_fonts.push_back(absolute_path);
    // The shell's own use of the font does not depend on it.
    if (!m_program_fonts.add(absolute_path))
        std::fprintf(stderr, "pipkin-sprout: cannot share the font %s with the programs it starts\n",
            absolute_path.c_str());
    return true;
}

bool X11Desktop::remove_font(std::string const& absolute_path)
{
    auto it = std::find(m_fonts.begin(), m_fonts.end(), absolute_path);
    if (it == m_fonts.end())
        return false;
    m_fonts.erase(it);
    if (std::find(m_fonts.begin(), m_fonts.end(), absolute_path) == m_fonts.end())
        m_program_fonts.remove(absolute_path);
    // fontconfig removes application fonts only all at once.
    // Only fonts that were added are removed, so the library is open.
    auto const& lib = fc::functions();
    lib.FcConfigAppFontClear(nullptr);
    for (auto const& path : m_fonts)
        lib.FcConfigAppFontAddFile(nullptr, reinterpret_cast<FcChar8 const*>(path.c_str()));
    return true;
}

}
