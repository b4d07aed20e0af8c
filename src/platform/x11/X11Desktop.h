#pragma once

#include "platform/Desktop.h"
#include "platform/fc/ProgramFonts.h"

#include <string>
#include <vector>

namespace platform {
class Guardian;
}

namespace platform::x11 {

class X11Connection;

// The desktop over Xlib and fontconfig. Covers:
// - the panel: the first top-level window on screen (or a window manager's
//   frame's client) of class "Shell_TrayWnd" or of type
//   _NET_WM_WINDOW_TYPE_DOCK, hidden with XUnmapWindow, shown with XMapWindow;
// - the pointer mapping, read and written whole;
// - the guardian told the pointer mapping found while this lives, and the
//   panel while it is hidden;
// - fonts added to this process's fontconfig application set (removing one
//   rebuilds that set from the others) and shared with the programs the
//   shell starts for as long as they are added.
class X11Desktop final : public Desktop {
public:
    X11Desktop(X11Connection&, Guardian&);
    ~X11Desktop() override;
    X11Desktop(X11Desktop const&) = delete;
    X11Desktop& operator=(X11Desktop const&) = delete;

    WindowHandle find_panel() override;
    void hide_window(WindowHandle) override;
    void show_window(WindowHandle) override;
    std::vector<std::uint8_t> pointer_mapping() override;
    void set_pointer_mapping(std::vector<std::uint8_t> const&) override;
    bool add_font(std::string const& absolute_path) override;
    bool remove_font(std::string const& absolute_path) override;

private:
    bool marked_as_panel(unsigned long window);

    X11Connection& m_connection;
    Guardian& m_guardian;
    std::vector<std::string> m_fonts;
    fc::ProgramFonts m_program_fonts;
};

}
