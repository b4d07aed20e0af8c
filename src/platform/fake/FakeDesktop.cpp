#include "platform/fake/FakeDesktop.h"

namespace platform {

void FakeDesktop::hide_window(WindowHandle w)
{
    m_calls.push_back("hide " + std::to_string(w));
    if (w == panel_handle)
        m_panel_mapped = false;
}

void FakeDesktop::show_window(WindowHandle w)
{
    m_calls.push_back("show " + std::to_string(w));
    if (w == panel_handle)
        m_panel_mapped = true;
}

void FakeDesktop::set_pointer_mapping(std::vector<std::uint8_t> const& m)
{
    m_calls.push_back("map");
    m_mapping = m;
}

bool FakeDesktop::add_font(std::string const& path)
{
    m_calls.push_back("add " + path);
    if (m_refuse_fonts)
        return false;
    m_fonts.insert(path);
    return true;
}

bool FakeDesktop::remove_font(std::string const& path)
{
    m_calls.push_back("remove " + path);
    auto it = m_fonts.find(path);
    if (it == m_fonts.end())
        return false;
    m_fonts.erase(it);
    return true;
}

}
