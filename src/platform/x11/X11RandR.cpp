#include "platform/x11/X11RandR.h"

#include "platform/x11/ErrorTrap.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/XcbAnswer.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <xcb/randr.h>

#include <cmath>
#include <span>

namespace platform::x11 {

namespace {

int refresh_of(xcb_randr_mode_info_t const& m)
{
    double lines = double(m.vtotal);
    if (m.mode_flags & XCB_RANDR_MODE_FLAG_DOUBLE_SCAN)
        lines *= 2;
    if (m.mode_flags & XCB_RANDR_MODE_FLAG_INTERLACE)
        lines /= 2;
    if (m.htotal == 0 || lines == 0)
        return 0;
    return int(std::lround(double(m.dot_clock) / (double(m.htotal) * lines)));
}

template<class Id>
std::vector<RandR::Id> ids(Id const* first, int count)
{
    return { first, first + count };
}

// XCB's accessors take the reply as changeable, though they only read it.
RandR::Output output_of(xcb_randr_get_output_info_reply_t* reply, xcb_randr_output_t id)
{
    RandR::Output o;
    o.id = id;
    o.name.assign(reinterpret_cast<char const*>(xcb_randr_get_output_info_name(reply)),
        std::size_t(xcb_randr_get_output_info_name_length(reply)));
    o.connected = reply->connection == XCB_RANDR_CONNECTION_CONNECTED;
    o.crtc = reply->crtc;
    o.crtcs = ids(xcb_randr_get_output_info_crtcs(reply), xcb_randr_get_output_info_crtcs_length(reply));
    o.modes = ids(xcb_randr_get_output_info_modes(reply), xcb_randr_get_output_info_modes_length(reply));
    return o;
}

RandR::Crtc crtc_of(xcb_randr_get_crtc_info_reply_t* reply, xcb_randr_crtc_t id)
{
    return { id, reply->x, reply->y, reply->mode, reply->rotation,
        ids(xcb_randr_get_crtc_info_outputs(reply), xcb_randr_get_crtc_info_outputs_length(reply)) };
}

// The outputs and CRTCs the screen's resources name, asked all at once.
RandR::Resources resources_of(xcb_connection_t* c, xcb_randr_get_screen_resources_current_reply_t& resources,
    xcb_randr_output_t primary)
{
    RandR::Resources r;
    r.primary = primary;
    xcb_randr_mode_info_t const* modes = xcb_randr_get_screen_resources_current_modes(&resources);
    for (int i = 0; i < xcb_randr_get_screen_resources_current_modes_length(&resources); ++i)
        r.modes.push_back({ modes[i].id, modes[i].width, modes[i].height, refresh_of(modes[i]) });
    std::span const outputs(xcb_randr_get_screen_resources_current_outputs(&resources),
        std::size_t(xcb_randr_get_screen_resources_current_outputs_length(&resources)));
    std::span const crtcs(xcb_randr_get_screen_resources_current_crtcs(&resources),
        std::size_t(xcb_randr_get_screen_resources_current_crtcs_length(&resources)));
    xcb_timestamp_t const when = resources.config_timestamp;
    std::vector<xcb_randr_get_output_info_cookie_t> outputs_asked;
    for (xcb_randr_output_t o : outputs)
        outputs_asked.push_back(xcb_randr_get_output_info(c, o, when));
    std::vector<xcb_randr_get_crtc_info_cookie_t> crtcs_asked;
    for (xcb_randr_crtc_t crtc : crtcs)
        crtcs_asked.push_back(xcb_randr_get_crtc_info(c, crtc, when));
    for (std::size_t i = 0; i < outputs.size(); ++i)
        if (auto info = answer(c, outputs_asked[i], xcb_randr_get_output_info_reply))
            r.outputs.push_back(output_of(info.get(), outputs[i]));
    for (std::size_t i = 0; i < crtcs.size(); ++i)
        if (auto info = answer(c, crtcs_asked[i], xcb_randr_get_crtc_info_reply))
            r.crtcs.push_back(crtc_of(info.get(), crtcs[i]));
    return r;
}

}

// Whether the server has the extension is asked now, beside the rest of the
// start, for the first look.
X11RandR::X11RandR(X11Connection& connection) : m_connection(connection)
{
    xcb_prefetch_extension_data(XGetXCBConnection(connection.display()), &xcb_randr_id);
}

// One look is six and more questions, asked through the connection's XCB
// side in two rounds: two round trips, where Xlib takes one a question. The
// display check looks half a dozen times on the way to the first frame.
std::optional<RandR::Resources> X11RandR::resources()
{
    xcb_connection_t* c = XGetXCBConnection(m_connection.display());
    // Asking an extension the server lacks would close the connection.
    xcb_query_extension_reply_t const* randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (!randr || !randr->present)
        return std::nullopt;
    xcb_window_t const root = xcb_window_t(m_connection.root());
    auto const resources_asked = xcb_randr_get_screen_resources_current(c, root);
    auto const primary_asked = xcb_randr_get_output_primary(c, root);
    auto const resources = answer(c, resources_asked, xcb_randr_get_screen_resources_current_reply);
    auto const primary = answer(c, primary_asked, xcb_randr_get_output_primary_reply);
    std::optional<Resources> look;
    if (resources)
        look = resources_of(c, *resources, primary ? primary->output : 0);
    // The replies may have brought events into the queue behind the watcher's back.
    m_connection.drain_soon();
    return look;
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
