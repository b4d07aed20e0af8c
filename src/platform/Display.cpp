#include "platform/Display.h"

namespace platform {

namespace {

// Stands in when nothing was installed (tests of features without a screen):
// already the shell's own size, so nobody asks it for a change.
class FixedDisplay final : public Display {
public:
    Capabilities capabilities() override { return { 60, 800, 600, 32 }; }
    std::optional<DisplayModeRecord> current_mode() override { return std::nullopt; }
    std::optional<DisplayModeRecord> mode(int) override { return std::nullopt; }
    int apply(DisplayModeRecord const&) override { return change_failed; }
};

}

Display& Display::fallback()
{
    static FixedDisplay fixed;
    return fixed;
}

}
