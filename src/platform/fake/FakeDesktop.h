#pragma once

#include "platform/Desktop.h"

#include <set>
#include <string>
#include <vector>

namespace platform {

// A desktop for tests: a panel that is mapped or not, a pointer mapping, and
// the fonts added, with every call kept in order.
class FakeDesktop final : public Desktop {
public:
    static constexpr WindowHandle panel_handle = 0x400001;

    WindowHandle find_panel() override { return m_has_panel ? panel_handle : 0; }
    void hide_window(WindowHandle w) override;
    void show_window(WindowHandle w) override;
    std::vector<std::uint8_t> pointer_mapping() override { return m_mapping; }
    void set_pointer_mapping(std::vector<std::uint8_t> const& m) override;
    bool add_font(std::string const& path) override;
    bool remove_font(std::string const& path) override;

    void remove_panel() { m_has_panel = false; }
    void refuse_fonts() { m_refuse_fonts = true; }
    bool panel_mapped() const { return m_panel_mapped; }
    std::vector<std::uint8_t> const& mapping() const { return m_mapping; }
    void set_mapping(std::vector<std::uint8_t> m) { m_mapping = std::move(m); }
    std::multiset<std::string> const& fonts() const { return m_fonts; }
    // "hide <handle>", "show <handle>", "map", "add <path>", "remove <path>".
    std::vector<std::string> const& calls() const { return m_calls; }

private:
    bool m_has_panel { true };
    bool m_panel_mapped { true };
    bool m_refuse_fonts { false };
    std::vector<std::uint8_t> m_mapping { 1, 2, 3, 4, 5 };
    std::multiset<std::string> m_fonts;
    std::vector<std::string> m_calls;
};

}
