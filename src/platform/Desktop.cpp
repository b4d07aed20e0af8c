#include "platform/Desktop.h"

namespace platform {

namespace {

// Stands in when nothing was installed: nothing to hide, nothing to swap,
// and a font added to nobody.
class EmptyDesktop final : public Desktop {
public:
    WindowHandle find_panel() override { return 0; }
    void hide_window(WindowHandle) override { }
    void show_window(WindowHandle) override { }
    std::vector<std::uint8_t> pointer_mapping() override { return {}; }
    void set_pointer_mapping(std::vector<std::uint8_t> const&) override { }
    bool add_font(std::string const&) override { return false; }
    bool remove_font(std::string const&) override { return false; }
};

}

Desktop& Desktop::fallback()
{
    static EmptyDesktop empty;
    return empty;
}

}
