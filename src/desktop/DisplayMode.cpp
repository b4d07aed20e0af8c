// The main window's display mode switch and its restore; writes startmode,
// restoremode, displaymodes and savedmodepos.
#include "shell/TForm1.h"

#include "desktop/DisplaySettingsLine.h"
#include "framework/TApplication.h"
#include "framework/Trace.h"
#include "platform/Display.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

DisplayValues current_display_values()
{
    auto caps = platform::Display::current().capabilities();
    return { caps.refresh, caps.width, caps.height, caps.bits_per_pixel };
}

std::runtime_error file_error(char const* what, std::string const& name)
{
    return std::runtime_error(std::string("Cannot ") + what + " file \"" + name + "\". " + std::strerror(errno) + ".");
}

}

bool TForm1::DisplaySwitchAllowed()
{
    // basedir is not yet stored here, so the bare name is looked up in the
    // current directory, the install folder.
    std::string const name = basedir + "displaysettings.txt";
    if (!platform::files::file_exists(name))
        return true;
    // Not blocking: a file that turned into a pipe must not stall start-up.
    auto file = platform::files::open(name, platform::files::Open::read | platform::files::Open::no_block);
    if (!file)
        throw file_error("open", name);
    DisplaySettingsLine line;
    char chunk[4096];
    while (!line.complete()) {
        auto n = file.read_fully(std::as_writable_bytes(std::span(chunk)));
        if (!n)
            throw file_error("read", name);
        line.feed({ chunk, *n });
        if (*n < sizeof chunk)
            break;
    }
    return line.allows_switch();
}

bool TForm1::SwitchDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits)
{
    auto& display = platform::Display::current();
    startmode = current_display_values();
    if (width == startmode.width && height == startmode.height) {
        if (startmode.bits < 16)
            Application->MessageBox(TMsgDlgType::mtWarning,
                "This program requires a colordepth of at least 16-bit to view the graphics in this application. "
                "Update your display driver or graphics adaptor.",
                TMsgDlgButtons::mbOK);
        return true;
    }
    displaymodes.clear();
    savedmodepos = -1;
    auto saved = display.current_mode();
    for (int n = 0;; ++n) {
        auto record = display.mode(n);
        if (!record)
            break;
        displaymodes.push_back(*record);
    }
    int match = last_matching_mode(displaymodes, startmode.refresh, width, height, bits);
    if (saved) {
        displaymodes.push_back(*saved);
        savedmodepos = std::int32_t(displaymodes.size());
    }
    if (match < 0)
        return false;
    // The platform's answer does not matter: start-up goes on either way.
    ApplyDisplayMode(displaymodes[std::size_t(match)]);
    return true;
}

int TForm1::ApplyDisplayMode(platform::DisplayModeRecord const& record)
{
    platform::DisplayModeRecord const copy = record;
    int result = platform::Display::current().apply(copy);
    // Our own window's handling of the change: it covers the screen again.
    DisplayValues now = current_display_values();
    Application->window().fit_screen(now.width, now.height);
    if (result == platform::Display::change_successful)
        trace::event("display",
            { std::to_string(copy.dmPelsWidth()) + "x" + std::to_string(copy.dmPelsHeight()) + "@"
                + std::to_string(copy.dmDisplayFrequency()) });
    return result;
}

// Most Wayland sessions and many virtual machines offer no 800 x 600 mode at
// the rate in force; a screen that large or larger in 16 bits or more shows
// the picture scaled, as it does on any larger screen.
bool TForm1::screen_serves_as_it_is() const
{
    return startmode.width >= 800 && startmode.height >= 600 && startmode.bits >= 16;
}

void TForm1::RestoreDisplayMode()
{
    restoremode = current_display_values();
    if (restoremode != startmode && savedmodepos > 0 && std::size_t(savedmodepos) <= displaymodes.size())
        ApplyDisplayMode(displaymodes[std::size_t(savedmodepos) - 1]);
    displaymodes.clear();
}
