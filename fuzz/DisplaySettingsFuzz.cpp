// Feeds an arbitrary settings file, cut into arbitrary chunks, to the line
// reader: however the file arrives, the answer must be the one for the whole
// first line at once.
#include "desktop/DisplaySettingsLine.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the chunk size, as a reader's buffer would.
    std::size_t const chunk = std::size_t(data[0] % 16) + 1;
    std::string_view const file(reinterpret_cast<char const*>(data + 1), size - 1);

    DisplaySettingsLine line;
    for (std::size_t at = 0; at < file.size(); at += chunk)
        line.feed(file.substr(at, chunk));

    std::string_view const first_line = file.substr(0, file.find_first_of("\r\n"));
    bool const expected = first_line.find(DisplaySettingsLine::token) != std::string_view::npos;
    if (line.allows_switch() != expected)
        std::abort();
    if (line.complete() != (first_line.size() < file.size()))
        std::abort();
    return 0;
}
