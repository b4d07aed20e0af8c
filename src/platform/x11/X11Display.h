#pragma once

#include "platform/Display.h"
#include "platform/x11/ScreenLayout.h"

#include <optional>

namespace platform {
class Guardian;
}

namespace platform::x11 {

class RandR;

// Display modes over XRandR. Covers:
// - the primary output, or the first connected one when none is primary;
// - capabilities from its CRTC: size (turned with the screen), refresh from
//   the mode's timings, and the bits per pixel of the screen's pixmap format;
// - the output's modes as records at the screen's depth, word 44 always 0;
// - a switch: the CRTC set to the record's mode with all it had kept (every
//   output on it, its position and rotation), the screen resized to hold
//   every CRTC, for this X session only; the layout found is saved and told
//   to the guardian before the change;
// - applying the record of the mode found at the first switch: the saved
//   layout and screen size put back exactly; a refusal is said on standard
//   error and the layout stays saved.
class X11Display final : public Display {
public:
    X11Display(RandR&, Guardian&);

    Capabilities capabilities() override;
    std::optional<DisplayModeRecord> current_mode() override;
    std::optional<DisplayModeRecord> mode(int n) override;
    int apply(DisplayModeRecord const&) override;

private:
    int switch_to(RandR::Resources const&, RandR::Output const&, RandR::Id mode);
    int restore();

    RandR& m_randr;
    Guardian& m_guardian;
    std::optional<ScreenLayout> m_saved;
    // What mode(0) found, for modes 1, 2... asked for right after it.
    std::optional<RandR::Resources> m_enumerated;
};

}
