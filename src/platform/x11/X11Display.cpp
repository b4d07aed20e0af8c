#include "platform/x11/X11Display.h"

#include "platform/x11/ErrorTrap.h"
#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace platform::x11 {

namespace {

// The primary output as the resources describe it right now.
struct Primary {
    ScreenResourcesPtr resources;
    RROutput output { None };
    OutputInfoPtr info;
    CrtcInfoPtr crtc;
};

Primary find_primary(::Display* d, ::Window root)
{
    Primary p;
    p.resources.reset(XRRGetScreenResourcesCurrent(d, root));
    if (!p.resources)
        return p;
    RROutput const primary = XRRGetOutputPrimary(d, root);
    auto connected = [&](RROutput o) {
        OutputInfoPtr info(XRRGetOutputInfo(d, p.resources.get(), o));
        return info && info->connection == RR_Connected ? std::move(info) : OutputInfoPtr();
    };
    if (primary != None)
        if (auto info = connected(primary)) {
            p.output = primary;
            p.info = std::move(info);
        }
    for (int i = 0; !p.info && i < p.resources->noutput; ++i)
        if (auto info = connected(p.resources->outputs[i])) {
            p.output = p.resources->outputs[i];
            p.info = std::move(info);
        }
    if (p.info && p.info->crtc != None)
        p.crtc.reset(XRRGetCrtcInfo(d, p.resources.get(), p.info->crtc));
    return p;
}

XRRModeInfo const* mode_info(XRRScreenResources const& resources, RRMode id)
{
    for (int i = 0; i < resources.nmode; ++i)
        if (resources.modes[i].id == id)
            return &resources.modes[i];
    return nullptr;
}

int refresh_of(XRRModeInfo const& m)
{
    double lines = double(m.vTotal);
    if (m.modeFlags & RR_DoubleScan)
        lines *= 2;
    if (m.modeFlags & RR_Interlace)
        lines /= 2;
    if (m.hTotal == 0 || lines == 0)
        return 0;
    return int(std::lround(double(m.dotClock) / (double(m.hTotal) * lines)));
}

DisplayModeRecord record_of(XRRModeInfo const& m, std::string const& output_name, int bits)
{
    DisplayModeRecord r;
    std::memcpy(r.bytes.data() + DisplayModeRecord::device_name_offset, output_name.data(),
        std::min(output_name.size(), DisplayModeRecord::device_name_size - 1));
    r.set_dword(DisplayModeRecord::bits_per_pel_offset, std::uint32_t(bits));
    r.set_dword(DisplayModeRecord::pels_width_offset, m.width);
    r.set_dword(DisplayModeRecord::pels_height_offset, m.height);
    r.set_dword(DisplayModeRecord::display_frequency_offset, std::uint32_t(refresh_of(m)));
    r.set_dword(DisplayModeRecord::reserved1_offset, std::uint32_t(m.id));
    return r;
}

std::pair<int, int> root_size(::Display* d, ::Window root)
{
    ::Window r;
    int x, y;
    unsigned w = 0, h = 0, border, depth;
    XGetGeometry(d, root, &r, &x, &y, &w, &h, &border, &depth);
    return { int(w), int(h) };
}

// Millimetres that keep the screen's present pixel density.
int millimetres(int pixels, int old_pixels, int old_mm)
{
    if (old_pixels <= 0 || old_mm <= 0)
        return int(std::lround(pixels * 25.4 / 96.0));
    return int(std::lround(double(pixels) * old_mm / old_pixels));
}

}

X11Display::X11Display(X11Connection& connection) : m_connection(connection) { }

int X11Display::bits_per_pixel()
{
    ::Display* d = m_connection.display();
    int depth = DefaultDepth(d, DefaultScreen(d));
    int count = 0;
    XFreePtr<XPixmapFormatValues> formats(XListPixmapFormats(d, &count));
    for (int i = 0; formats && i < count; ++i)
        if (formats.get()[i].depth == depth)
            return formats.get()[i].bits_per_pixel;
    return depth;
}

Display::Capabilities X11Display::capabilities()
{
    ::Display* d = m_connection.display();
    ErrorTrap trap(m_connection);
    Primary p = find_primary(d, m_connection.root());
    Capabilities caps;
    caps.bits_per_pixel = bits_per_pixel();
    if (p.crtc && p.crtc->mode != None) {
        caps.width = int(p.crtc->width);
        caps.height = int(p.crtc->height);
        if (auto const* m = mode_info(*p.resources, p.crtc->mode))
            caps.refresh = refresh_of(*m);
    } else {
        std::tie(caps.width, caps.height) = root_size(d, m_connection.root());
    }
    return caps;
}

std::optional<DisplayModeRecord> X11Display::current_mode()
{
    ErrorTrap trap(m_connection);
    Primary p = find_primary(m_connection.display(), m_connection.root());
    if (!p.crtc || p.crtc->mode == None)
        return std::nullopt;
    auto const* m = mode_info(*p.resources, p.crtc->mode);
    if (!m)
        return std::nullopt;
    return record_of(*m, p.info->name, bits_per_pixel());
}

std::optional<DisplayModeRecord> X11Display::mode(int n)
{
    ErrorTrap trap(m_connection);
    Primary p = find_primary(m_connection.display(), m_connection.root());
    if (!p.info || n < 0 || n >= p.info->nmode)
        return std::nullopt;
    auto const* m = mode_info(*p.resources, p.info->modes[n]);
    if (!m)
        return std::nullopt;
    return record_of(*m, p.info->name, bits_per_pixel());
}

int X11Display::apply(DisplayModeRecord const& record)
{
    ::Display* d = m_connection.display();
    ::Window root = m_connection.root();
    ErrorTrap trap(m_connection);
    Primary p = find_primary(d, root);
    if (!p.info)
        return change_failed;
    auto const* m = mode_info(*p.resources, RRMode(record.platform_mode_id()));
    bool offered = std::find(p.info->modes, p.info->modes + p.info->nmode, RRMode(record.platform_mode_id()))
        != p.info->modes + p.info->nmode;
    if (!m || !offered)
        return change_bad_mode;
    RRCrtc crtc = p.info->crtc != None ? p.info->crtc : (p.info->ncrtc > 0 ? p.info->crtcs[0] : None);
    if (crtc == None)
        return change_failed;
    int x = p.crtc ? p.crtc->x : 0, y = p.crtc ? p.crtc->y : 0;
    Rotation rotation = p.crtc ? p.crtc->rotation : RR_Rotate_0;

    // The screen must hold every CRTC at every step: grow it first, shrink
    // it last.
    auto [old_w, old_h] = root_size(d, root);
    int new_w = x + int(m->width), new_h = y + int(m->height);
    for (int i = 0; i < p.resources->ncrtc; ++i) {
        if (p.resources->crtcs[i] == crtc)
            continue;
        CrtcInfoPtr other(XRRGetCrtcInfo(d, p.resources.get(), p.resources->crtcs[i]));
        if (other && other->mode != None) {
            new_w = std::max(new_w, other->x + int(other->width));
            new_h = std::max(new_h, other->y + int(other->height));
        }
    }
    int screen = DefaultScreen(d);
    int old_mm_w = DisplayWidthMM(d, screen), old_mm_h = DisplayHeightMM(d, screen);
    auto resize = [&](int w, int h) {
        XRRSetScreenSize(d, root, w, h, millimetres(w, old_w, old_mm_w), millimetres(h, old_h, old_mm_h));
    };
    XGrabServer(d);
    if (new_w > old_w || new_h > old_h)
        resize(std::max(new_w, old_w), std::max(new_h, old_h));
    RROutput output = p.output;
    Status status = XRRSetCrtcConfig(d, p.resources.get(), crtc, CurrentTime, x, y, m->id, rotation, &output, 1);
    if (status == RRSetConfigSuccess && (new_w != old_w || new_h != old_h))
        resize(new_w, new_h);
    XUngrabServer(d);
    return status == RRSetConfigSuccess && trap.sync() == 0 ? change_successful : change_failed;
}

}
