#pragma once

#include <string>
#include <string_view>

// Reads the first line of "displaysettings.txt" as it arrives, chunk by
// chunk, and tells whether it allows the display switch: "SET=YES" anywhere
// in it, compared with case. The line ends at the first CR or LF, or with
// the file. Only the last few characters are kept, so a file of any size
// costs no memory.
class DisplaySettingsLine {
public:
    static constexpr std::string_view token = "SET=YES";

    // Takes the next chunk of the file; ignored once the line has ended.
    void feed(std::string_view chunk);
    // The line break was seen: the rest of the file does not count.
    bool complete() const { return m_complete; }
    bool allows_switch() const { return m_found; }

private:
    std::string m_tail; // the end of the line so far, shorter than the token
    bool m_complete { false };
    bool m_found { false };
};
