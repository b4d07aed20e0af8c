#include "platform/fake/FakeDisplay.h"

namespace platform {

DisplayModeRecord FakeDisplay::record(int width, int height, int bits, int refresh, std::uint16_t word_44)
{
    DisplayModeRecord r;
    r.set_dword(DisplayModeRecord::pels_width_offset, std::uint32_t(width));
    r.set_dword(DisplayModeRecord::pels_height_offset, std::uint32_t(height));
    r.set_dword(DisplayModeRecord::bits_per_pel_offset, std::uint32_t(bits));
    r.set_dword(DisplayModeRecord::display_frequency_offset, std::uint32_t(refresh));
    r.bytes[DisplayModeRecord::position_offset] = std::uint8_t(word_44);
    r.bytes[DisplayModeRecord::position_offset + 1] = std::uint8_t(word_44 >> 8);
    return r;
}

std::optional<DisplayModeRecord> FakeDisplay::current_mode()
{
    if (!m_report_current)
        return std::nullopt;
    return record(m_current.width, m_current.height, m_current.bits_per_pixel, m_current.refresh);
}

std::optional<DisplayModeRecord> FakeDisplay::mode(int n)
{
    if (n < 0 || std::size_t(n) >= m_modes.size())
        return std::nullopt;
    return m_modes[std::size_t(n)];
}

int FakeDisplay::apply(DisplayModeRecord const& r)
{
    m_applied.push_back(r);
    if (m_refuse)
        return change_failed;
    set_current(int(r.dmPelsWidth()), int(r.dmPelsHeight()), int(r.dmBitsPerPel()), int(r.dmDisplayFrequency()));
    return change_successful;
}

void FakeDisplay::set_current(int width, int height, int bits, int refresh)
{
    m_current = { refresh, width, height, bits };
}

}
