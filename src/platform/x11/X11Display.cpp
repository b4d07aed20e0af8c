#include "platform/x11/X11Display.h"

#include "platform/Guardian.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace platform::x11 {

namespace {

RandR::Output const* find_primary(RandR::Resources const& resources)
{
    RandR::Output const* primary = by_id(resources.outputs, resources.primary);
    if (primary && primary->connected)
        return primary;
    auto it = std::find_if(resources.outputs.begin(), resources.outputs.end(), [](auto const& o) { return o.connected; });
    return it == resources.outputs.end() ? nullptr : &*it;
}

// The CRTC the output is shown on as it is set now; for an output that is
// off, its first CRTC with the output alone on it.
std::optional<RandR::Crtc> crtc_of(RandR::Resources const& resources, RandR::Output const& output)
{
    if (RandR::Crtc const* crtc = by_id(resources.crtcs, output.crtc))
        return *crtc;
    if (output.crtcs.empty())
        return std::nullopt;
    RandR::Crtc off;
    off.id = output.crtcs.front();
    off.outputs = { output.id };
    return off;
}

RandR::Mode const* shown_mode(RandR::Resources const& resources, RandR::Output const& output)
{
    RandR::Crtc const* crtc = by_id(resources.crtcs, output.crtc);
    return crtc ? by_id(resources.modes, crtc->mode) : nullptr;
}

DisplayModeRecord record_of(RandR::Mode const& m, std::string const& output_name, int bits)
{
    DisplayModeRecord r;
    std::memcpy(r.bytes.data() + DisplayModeRecord::device_name_offset, output_name.data(),
        std::min(output_name.size(), DisplayModeRecord::device_name_size - 1));
    r.set_dword(DisplayModeRecord::bits_per_pel_offset, std::uint32_t(bits));
    r.set_dword(DisplayModeRecord::pels_width_offset, m.width);
    r.set_dword(DisplayModeRecord::pels_height_offset, m.height);
    r.set_dword(DisplayModeRecord::display_frequency_offset, std::uint32_t(m.refresh));
    r.set_dword(DisplayModeRecord::reserved1_offset, std::uint32_t(m.id));
    return r;
}

}

X11Display::X11Display(RandR& randr, Guardian& guardian) : m_randr(randr), m_guardian(guardian) { }

Display::Capabilities X11Display::capabilities()
{
    Capabilities caps;
    caps.bits_per_pixel = m_randr.bits_per_pixel();
    auto resources = m_randr.resources();
    RandR::Output const* primary = resources ? find_primary(*resources) : nullptr;
    RandR::Mode const* shown = primary ? shown_mode(*resources, *primary) : nullptr;
    if (!shown) {
        auto size = m_randr.screen_size();
        caps.width = size.width;
        caps.height = size.height;
        return caps;
    }
    std::tie(caps.width, caps.height) = shown_size(*by_id(resources->crtcs, primary->crtc), *shown);
    caps.refresh = shown->refresh;
    return caps;
}

std::optional<DisplayModeRecord> X11Display::current_mode()
{
    auto resources = m_randr.resources();
    RandR::Output const* primary = resources ? find_primary(*resources) : nullptr;
    RandR::Mode const* shown = primary ? shown_mode(*resources, *primary) : nullptr;
    if (!shown)
        return std::nullopt;
    return record_of(*shown, primary->name, m_randr.bits_per_pixel());
}

// Modes are asked for as 0, 1, 2... in a row: one look at the server, at
// mode 0, serves the whole enumeration, which is on the way to the first
// frame.
std::optional<DisplayModeRecord> X11Display::mode(int n)
{
    if (n == 0 || !m_enumerated)
        m_enumerated = m_randr.resources();
    auto const& resources = m_enumerated;
    RandR::Output const* primary = resources ? find_primary(*resources) : nullptr;
    if (!primary || n < 0 || std::size_t(n) >= primary->modes.size())
        return std::nullopt;
    RandR::Mode const* m = by_id(resources->modes, primary->modes[std::size_t(n)]);
    if (!m)
        return std::nullopt;
    return record_of(*m, primary->name, m_randr.bits_per_pixel());
}

int X11Display::apply(DisplayModeRecord const& record)
{
    auto resources = m_randr.resources();
    RandR::Output const* primary = resources ? find_primary(*resources) : nullptr;
    if (!primary)
        return change_failed;
    RandR::Id const wanted = record.platform_mode_id();
    if (!by_id(resources->modes, wanted) || std::find(primary->modes.begin(), primary->modes.end(), wanted) == primary->modes.end())
        return change_bad_mode;
    // The mode found at the first switch stands for the whole layout then.
    if (m_saved && m_saved->crtc.mode == wanted)
        return restore();
    return switch_to(*resources, *primary, wanted);
}

int X11Display::switch_to(RandR::Resources const& resources, RandR::Output const& primary, RandR::Id mode)
{
    auto crtc = crtc_of(resources, primary);
    if (!crtc)
        return change_failed;
    RandR::ScreenSize const now = m_randr.screen_size();
    auto layout = ScreenLayout::with_mode(resources, *crtc, mode, now);
    if (!layout)
        return change_bad_mode;
    bool const first = !m_saved;
    if (first) {
        // Told before the change, so that even a death in the middle of it
        // is put right.
        m_saved = ScreenLayout { *crtc, now };
        m_guardian.taken(Guardian::Hold::display, m_saved->to_text());
    }
    if (layout->put_back(m_randr))
        return change_successful;
    if (first) {
        m_saved.reset();
        m_guardian.given_back(Guardian::Hold::display);
    }
    return change_failed;
}

int X11Display::restore()
{
    if (!m_saved->restore(m_randr, "pipkin-sprout"))
        return change_failed;
    m_saved.reset();
    m_guardian.given_back(Guardian::Hold::display);
    return change_successful;
}

}
