#include "platform/Display.h"

#include <atomic>

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

std::atomic<Display*> installed { nullptr };

}

Display& Display::current()
{
    static FixedDisplay fixed;
    Display* d = installed.load();
    return d ? *d : fixed;
}

void Display::install(Display* display) { installed.store(display); }

}
