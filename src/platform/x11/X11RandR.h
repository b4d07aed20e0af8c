#pragma once

#include "platform/x11/RandR.h"

namespace platform::x11 {

class X11Connection;

// The XRandR requests over the shell's own connection, each under an error
// trap, so a server that refuses answers false instead of ending us.
class X11RandR final : public RandR {
public:
    explicit X11RandR(X11Connection&);

    std::optional<Resources> resources() override;
    ScreenSize screen_size() override;
    int bits_per_pixel() override;
    bool set_screen_size(ScreenSize const&) override;
    bool set_crtc(Crtc const&) override;
    void grab_server() override;
    void ungrab_server() override;

private:
    X11Connection& m_connection;
};

}
