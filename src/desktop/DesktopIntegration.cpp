// The main window's hold on the desktop: the panel, the package font and the
// pointer's buttons; writes taskbarwnd.
#include "shell/TForm1.h"

#include "desktop/ButtonSwap.h"
#include "framework/TApplication.h"
#include "framework/Trace.h"
#include "platform/Desktop.h"
#include "platform/Files.h"

namespace {

// fontconfig wants the file's own spelling and an absolute path.
std::string absolute_font_path(std::string const& path)
{
    std::string resolved = platform::files::resolve(path);
    if (!resolved.empty() && resolved.front() == '/')
        return resolved;
    std::string folder = platform::files::current_directory();
    return folder + (folder.empty() || folder.back() != '/' ? "/" : "") + resolved;
}

// Our own window's handling of the font-change broadcast: faces are looked
// up again and drawn anew.
void fonts_changed()
{
    Application->text_renderer().fonts_changed();
    Application->invalidate();
}

}

void TForm1::hide_taskbar()
{
    auto& desktop = platform::Desktop::current();
    taskbarwnd = desktop.find_panel();
    if (!taskbarwnd)
        return;
    desktop.hide_window(taskbarwnd);
    trace::event("panel", { "hidden" });
}

void TForm1::show_taskbar()
{
    if (!taskbarwnd)
        return;
    platform::Desktop::current().show_window(taskbarwnd);
    trace::event("panel", { "shown" });
}

bool TForm1::RegisterFont(std::string const& path, bool add)
{
    auto& desktop = platform::Desktop::current();
    std::string const absolute = absolute_font_path(path);
    if (add) {
        if (!platform::files::file_exists(path))
            return true;
        if (!desktop.add_font(absolute))
            return false;
        fonts_changed();
        trace::event("font", { "added", absolute });
        return true;
    }
    bool removed = desktop.remove_font(absolute);
    fonts_changed();
    if (removed)
        trace::event("font", { "removed", absolute });
    return removed;
}

void TForm1::SetMouseButtonSwap(bool on)
{
    auto& desktop = platform::Desktop::current();
    auto mapping = desktop.pointer_mapping();
    auto wanted = with_buttons_swapped(mapping, on);
    if (wanted != mapping)
        desktop.set_pointer_mapping(wanted);
}

bool TForm1::mouse_buttons_swapped() { return buttons_swapped(platform::Desktop::current().pointer_mapping()); }
