#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform::x11 {

// The XRandR requests the display switch makes, in plain values, so that a
// server with several outputs or a rotated screen can be stood in for.
class RandR {
public:
    using Id = unsigned long; // an XID; 0 is none
    // Rotation bits as the protocol numbers them.
    static constexpr unsigned rotate_0 = 1;
    static constexpr unsigned rotate_90 = 2;
    static constexpr unsigned rotate_180 = 4;
    static constexpr unsigned rotate_270 = 8;

    struct Mode {
        Id id { 0 };
        unsigned width { 0 };
        unsigned height { 0 };
        int refresh { 0 }; // whole hertz, 0 for a mode without timings
    };
    struct Output {
        Id id { 0 };
        std::string name;
        bool connected { false };
        Id crtc { 0 };
        std::vector<Id> crtcs; // the CRTCs it can be shown on
        std::vector<Id> modes;
    };
    // One CRTC as XRRSetCrtcConfig takes it.
    struct Crtc {
        Id id { 0 };
        int x { 0 };
        int y { 0 };
        Id mode { 0 };
        unsigned rotation { rotate_0 };
        std::vector<Id> outputs;
        bool operator==(Crtc const&) const = default;
    };
    struct ScreenSize {
        int width { 0 };
        int height { 0 };
        int mm_width { 0 };
        int mm_height { 0 };
        bool operator==(ScreenSize const&) const = default;
    };
    struct Resources {
        std::vector<Mode> modes;
        std::vector<Output> outputs;
        std::vector<Crtc> crtcs;
        Id primary { 0 };
    };

    virtual ~RandR() = default;

    // Nothing when the server has no XRandR.
    virtual std::optional<Resources> resources() = 0;
    virtual ScreenSize screen_size() = 0;
    virtual int bits_per_pixel() = 0;
    // Each true when the server accepted the change.
    virtual bool set_screen_size(ScreenSize const&) = 0;
    virtual bool set_crtc(Crtc const&) = 0;
    // Between these no other client sees the screen half changed.
    virtual void grab_server() = 0;
    virtual void ungrab_server() = 0;
};

// The mode, output or CRTC of `all` with `id`; nullptr when there is none.
template<class T>
T const* by_id(std::vector<T> const& all, RandR::Id id)
{
    auto it = std::find_if(all.begin(), all.end(), [id](T const& t) { return t.id == id; });
    return it == all.end() ? nullptr : &*it;
}

// Width and height on the screen of a CRTC showing `mode`: a quarter turn
// swaps them.
inline std::pair<int, int> shown_size(RandR::Crtc const& crtc, RandR::Mode const& mode)
{
    bool const turned = crtc.rotation & (RandR::rotate_90 | RandR::rotate_270);
    return { int(turned ? mode.height : mode.width), int(turned ? mode.width : mode.height) };
}

}
