#pragma once

#include "platform/Display.h"

namespace platform::x11 {

class X11Connection;

// Display modes over XRandR. Covers:
// - the primary output, or the first connected one when none is primary;
// - capabilities from its CRTC: size, refresh from the mode's timings
//   rounded to whole hertz (0 for a mode without timings), and the bits per
//   pixel of the screen's pixmap format (depth 24 reports 32);
// - the output's modes as records at the screen's depth, word 44 always 0;
// - applying a record: the CRTC set to its mode and the screen resized to
//   fit, for this X session only.
class X11Display final : public Display {
public:
    explicit X11Display(X11Connection&);

    Capabilities capabilities() override;
    std::optional<DisplayModeRecord> current_mode() override;
    std::optional<DisplayModeRecord> mode(int n) override;
    int apply(DisplayModeRecord const&) override;

private:
    int bits_per_pixel();

    X11Connection& m_connection;
};

}
