#include "activities/Cp1252.h"

#include <array>

namespace cp1252 {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> high_controls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t code_point(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? high_controls[byte - 0x80] : char32_t(byte);
}

std::optional<unsigned char> byte_for(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < high_controls.size(); ++i)
        if (high_controls[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// Decodes one UTF-8 sequence at pos, rejecting overlong forms, surrogates and
// truncated sequences.
std::optional<char32_t> next_code_point(std::string_view s, std::size_t& pos)
{
    auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t c;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    for (; extra > 0; --extra) {
        if (pos >= s.size())
            return std::nullopt;
        auto next = static_cast<unsigned char>(s[pos++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return c;
}

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}

std::optional<std::string> from_utf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        auto c = next_code_point(utf8, pos);
        if (!c)
            return std::nullopt;
        auto byte = byte_for(*c);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string to_utf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char byte : text)
        append_utf8(out, code_point(static_cast<unsigned char>(byte)));
    return out;
}

}
