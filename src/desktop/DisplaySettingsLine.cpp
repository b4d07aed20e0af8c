#include "desktop/DisplaySettingsLine.h"

#include <algorithm>

void DisplaySettingsLine::feed(std::string_view chunk)
{
    if (m_complete)
        return;
    std::size_t end = chunk.find_first_of("\r\n");
    if (end != std::string_view::npos) {
        chunk = chunk.substr(0, end);
        m_complete = true;
    }
    if (m_found)
        return;
    // The token may straddle two chunks.
    std::string window = m_tail;
    window.append(chunk);
    if (window.find(token) != std::string::npos)
        m_found = true;
    std::size_t keep = std::min(window.size(), token.size() - 1);
    m_tail = window.substr(window.size() - keep);
}
