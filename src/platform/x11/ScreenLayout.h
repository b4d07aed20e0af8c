#pragma once

#include "platform/x11/RandR.h"

#include <optional>
#include <string>

namespace platform::x11 {

// One CRTC's configuration with the screen size around it: what a mode
// switch changes, and so what its restore puts back. Written as one line of
// text for the guardian, which restores it if the shell cannot.
struct ScreenLayout {
    RandR::Crtc crtc;
    RandR::ScreenSize size;

    // The layout with `crtc` showing `mode` instead, everything else of it
    // kept (its outputs, position and rotation), on a screen just large
    // enough for every CRTC, at the present pixel density.
    static std::optional<ScreenLayout> with_mode(
        RandR::Resources const&, RandR::Crtc const& crtc, RandR::Id mode, RandR::ScreenSize const& now);

    // Sets the CRTC and then the screen to exactly this size, the screen
    // grown first where the CRTC needs it; false when the server refused.
    bool put_back(RandR&) const;
    // put_back, a refusal said on standard error in `program`'s name.
    bool restore(RandR&, char const* program) const;

    std::string to_text() const;
    static std::optional<ScreenLayout> from_text(std::string const&);

    bool operator==(ScreenLayout const&) const = default;
};

}
