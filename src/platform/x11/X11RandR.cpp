#include "platform/x11/X11RandR.h"

#include "platform/x11/ErrorTrap.h"
#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>

namespace platform::x11 {

namespace {

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

RandR::Output output_of(XRROutputInfo const& info, RROutput id)
{
    RandR::Output o;
    o.id = id;
    o.name.assign(info.name, std::size_t(info.nameLen));
    o.connected = info.connection == RR_Connected;
    o.crtc = info.crtc;
    o.crtcs.assign(info.crtcs, info.crtcs + info.ncrtc);
    o.modes.assign(info.modes, info.modes + info.nmode);
    return o;
}

RandR::Crtc crtc_of(XRRCrtcInfo const& info, RRCrtc id)
{
    return { id, info.x, info.y, info.mode, info.rotation, { info.outputs, info.outputs + info.noutput } };
}

}

X11RandR::X11RandR(X11Connection& connection) : m_connection(connection) { }

std::optional<RandR::Resources> X11RandR::resources()
{
    ::Display* d = m_connection.display();
    ErrorTrap trap(m_connection);
    ScreenResourcesPtr resources(XRRGetScreenResourcesCurrent(d, m_connection.root()));
    if (!resources)
        return std::nullopt;
    Resources r;
    r.primary = XRRGetOutputPrimary(d, m_connection.root());
    for (int i = 0; i < resources->nmode; ++i) {
        XRRModeInfo const& m = resources->modes[i];
        r.modes.push_back({ m.id, m.width, m.height, refresh_of(m) });
    }
    for (int i = 0; i < resources->noutput; ++i)
        if (OutputInfoPtr info { XRRGetOutputInfo(d, resources.get(), resources->outputs[i]) })
            r.outputs.push_back(output_of(*info, resources->outputs[i]));
    for (int i = 0; i < resources->ncrtc; ++i)
        if (CrtcInfoPtr info { XRRGetCrtcInfo(d, resources.get(), resources->crtcs[i]) })
            r.crtcs.push_back(crtc_of(*info, resources->crtcs[i]));
    return r;
}

// The pixels from the server itself; Xlib's record of the screen lags a
// change until its event has been read, which is also all that keeps the
// millimetres current (the connection's watcher reads them).
RandR::ScreenSize X11RandR::screen_size()
{
    ::Display* d = m_connection.display();
    ::Window root;
    int x, y;
    unsigned width = 0, height = 0, border, depth;
    XGetGeometry(d, m_connection.root(), &root, &x, &y, &width, &height, &border, &depth);
    int screen = DefaultScreen(d);
    return { int(width), int(height), DisplayWidthMM(d, screen), DisplayHeightMM(d, screen) };
}

int X11RandR::bits_per_pixel()
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

bool X11RandR::set_screen_size(ScreenSize const& size)
{
    ErrorTrap trap(m_connection);
    XRRSetScreenSize(m_connection.display(), m_connection.root(), size.width, size.height, size.mm_width, size.mm_height);
    return trap.sync() == 0;
}

bool X11RandR::set_crtc(Crtc const& crtc)
{
    ::Display* d = m_connection.display();
    ErrorTrap trap(m_connection);
    ScreenResourcesPtr resources(XRRGetScreenResourcesCurrent(d, m_connection.root()));
    if (!resources)
        return false;
    std::vector<RROutput> outputs(crtc.outputs.begin(), crtc.outputs.end());
    Status status = XRRSetCrtcConfig(d, resources.get(), crtc.id, CurrentTime, crtc.x, crtc.y, crtc.mode,
        Rotation(crtc.rotation), outputs.data(), int(outputs.size()));
    return status == RRSetConfigSuccess && trap.sync() == 0;
}

void X11RandR::grab_server() { XGrabServer(m_connection.display()); }

void X11RandR::ungrab_server()
{
    XUngrabServer(m_connection.display());
    XFlush(m_connection.display());
}

}
