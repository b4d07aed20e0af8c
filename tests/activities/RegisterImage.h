#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

// Register records laid out by hand, byte by byte, so the tests do not trust
// the code they check.
namespace register_image {

inline void put_text(std::string& record, std::size_t offset, std::string_view text)
{
    record[offset] = static_cast<char>(text.size());
    std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(offset) + 1);
}

// A record as a new student's: every entry selects counter 1, counters zero.
inline std::string record(std::uint16_t number, std::string_view name, std::string_view extra1 = {},
    std::string_view extra2 = {})
{
    std::string r(468, '\0');
    r[0] = static_cast<char>(number & 0xFF);
    r[1] = static_cast<char>(number >> 8);
    put_text(r, 2, name);
    put_text(r, 38, extra1);
    put_text(r, 79, extra2);
    for (int entry = 0; entry < 16; ++entry)
        r[84 + 24 * entry] = 1;
    return r;
}

// Entry 1..16 selects counter 1..5, which holds value.
inline std::string counted(std::string r, int entry, int counter, std::int32_t value)
{
    std::size_t at = 84 + 24 * (entry - 1);
    r[at] = static_cast<char>(counter);
    for (int i = 0; i < 4; ++i)
        r[at + 4 + 4 * (counter - 1) + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    return r;
}

// What AddStudent(entry 11, counter 1) makes of a new student.
inline std::string added(std::uint16_t number, std::string_view name, std::string_view extra1 = {},
    std::string_view extra2 = {})
{
    return counted(record(number, name, extra1, extra2), 11, 1, 1);
}

inline std::string contents(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}
