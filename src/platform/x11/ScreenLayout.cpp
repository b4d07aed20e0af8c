#include "platform/x11/ScreenLayout.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>

namespace platform::x11 {

namespace {

// The CRTC's right and bottom edges on the screen.
std::pair<int, int> far_corner(RandR::Crtc const& crtc, RandR::Mode const& mode)
{
    auto [w, h] = shown_size(crtc, mode);
    return { crtc.x + w, crtc.y + h };
}

// Millimetres that keep the screen's present pixel density.
int millimetres(int pixels, int old_pixels, int old_mm)
{
    if (old_pixels <= 0 || old_mm <= 0)
        return int(std::lround(pixels * 25.4 / 96.0));
    return int(std::lround(double(pixels) * old_mm / old_pixels));
}

// Holds other clients off for the requests of one change.
class ServerGrab {
public:
    explicit ServerGrab(RandR& randr) : m_randr(randr) { m_randr.grab_server(); }
    ~ServerGrab() { m_randr.ungrab_server(); }
    ServerGrab(ServerGrab const&) = delete;
    ServerGrab& operator=(ServerGrab const&) = delete;

private:
    RandR& m_randr;
};

}

std::optional<ScreenLayout> ScreenLayout::with_mode(
    RandR::Resources const& resources, RandR::Crtc const& crtc, RandR::Id mode, RandR::ScreenSize const& now)
{
    RandR::Mode const* wanted = by_id(resources.modes, mode);
    if (!wanted)
        return std::nullopt;
    ScreenLayout layout { crtc, {} };
    layout.crtc.mode = mode;
    auto [width, height] = far_corner(layout.crtc, *wanted);
    for (auto const& other : resources.crtcs) {
        RandR::Mode const* shown = other.id == crtc.id ? nullptr : by_id(resources.modes, other.mode);
        if (!shown)
            continue;
        auto [right, bottom] = far_corner(other, *shown);
        width = std::max(width, right);
        height = std::max(height, bottom);
    }
    layout.size = { width, height, millimetres(width, now.width, now.mm_width),
        millimetres(height, now.height, now.mm_height) };
    return layout;
}

bool ScreenLayout::put_back(RandR& randr) const
{
    // The screen must hold every CRTC at every step: grow it first, shrink
    // it last.
    RandR::ScreenSize const now = randr.screen_size();
    RandR::ScreenSize grown = now;
    if (size.width > now.width) {
        grown.width = size.width;
        grown.mm_width = size.mm_width;
    }
    if (size.height > now.height) {
        grown.height = size.height;
        grown.mm_height = size.mm_height;
    }
    ServerGrab grab(randr);
    if (grown != now && !randr.set_screen_size(grown))
        return false;
    if (!randr.set_crtc(crtc)) {
        if (grown != now)
            randr.set_screen_size(now); // a refused change leaves the screen as it was
        return false;
    }
    return grown == size || randr.set_screen_size(size);
}

bool ScreenLayout::restore(RandR& randr, char const* program) const
{
    if (put_back(randr))
        return true;
    std::cerr << program << ": the X server refused to put the screen back to " << size.width << " x " << size.height
              << '\n';
    return false;
}

std::string ScreenLayout::to_text() const
{
    std::ostringstream out;
    out << crtc.id << ' ' << crtc.x << ' ' << crtc.y << ' ' << crtc.mode << ' ' << crtc.rotation << ' ' << size.width
        << ' ' << size.height << ' ' << size.mm_width << ' ' << size.mm_height;
    for (RandR::Id output : crtc.outputs)
        out << ' ' << output;
    return out.str();
}

std::optional<ScreenLayout> ScreenLayout::from_text(std::string const& text)
{
    std::istringstream in(text);
    ScreenLayout layout;
    if (!(in >> layout.crtc.id >> layout.crtc.x >> layout.crtc.y >> layout.crtc.mode >> layout.crtc.rotation
            >> layout.size.width >> layout.size.height >> layout.size.mm_width >> layout.size.mm_height))
        return std::nullopt;
    for (RandR::Id output; in >> output;)
        layout.crtc.outputs.push_back(output);
    if (!in.eof() || layout.size.width <= 0 || layout.size.height <= 0)
        return std::nullopt;
    return layout;
}

}
