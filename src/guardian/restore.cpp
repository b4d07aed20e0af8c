// sprout-restore: what the guardian becomes when a shell ended without its
// own restore. Its arguments are the holds the shell still had, each
// "name=how": display=<screen layout>, panel=<window>, pointer=<mapping>.
// Puts each back on the display named by DISPLAY, says on standard error
// what the server refused, traces what it put back, and ends.
#include "framework/Trace.h"
#include "platform/Guardian.h"
#include "platform/x11/ScreenLayout.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11RandR.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using platform::x11::ScreenLayout;

bool restore_display(platform::x11::X11Connection& x, std::string const& how)
{
    auto layout = ScreenLayout::from_text(how);
    if (!layout)
        return false;
    platform::x11::X11RandR randr(x);
    return layout->restore(randr, "sprout-restore");
}

void restore_pointer(platform::Desktop& desktop, std::string const& how)
{
    std::istringstream in(how);
    std::vector<std::uint8_t> found;
    for (unsigned button; in >> button;)
        found.push_back(std::uint8_t(button));
    if (desktop.pointer_mapping() != found)
        desktop.set_pointer_mapping(found);
}

}

int main(int argc, char** argv)
{
    // A server that stops answering must not keep us: the restore is short.
    ::alarm(10);
    auto x = platform::x11::X11Connection::open();
    if (!x) {
        std::cerr << "sprout-restore: cannot open the display; nothing to put back on it\n";
        return 1;
    }
    platform::x11::X11Desktop desktop(*x, platform::Guardian::none());
    bool all_restored = true;
    for (int i = 1; i < argc; ++i) {
        std::string const hold = argv[i];
        auto equals = hold.find('=');
        std::string const name = hold.substr(0, equals), how = hold.substr(equals + 1);
        bool restored = true;
        if (name == "display")
            restored = restore_display(*x, how);
        else if (name == "panel")
            desktop.show_window(std::strtoull(how.c_str(), nullptr, 10));
        else if (name == "pointer")
            restore_pointer(desktop, how);
        trace::event("guardian", { restored ? "restored" : "refused", name });
        all_restored = all_restored && restored;
    }
    return all_restored ? 0 : 1;
}
