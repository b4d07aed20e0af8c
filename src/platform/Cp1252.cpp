#include "platform/Cp1252.h"

#include "platform/Utf8.h"

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

// The letters of a lower-case character with their accents taken off, for
// the first pass of the sort; the ligatures spell out their two letters.
std::u32string_view base_letters(char32_t c)
{
    // à..ÿ; 0 where the letter is a ligature (above) or not a letter (÷).
    static constexpr char32_t latin1[] = {
        U'a', U'a', U'a', U'a', U'a', U'a', 0, U'c', U'e', U'e', U'e', U'e', U'i', U'i', U'i', U'i',
        U'd', U'n', U'o', U'o', U'o', U'o', U'o', 0, U'o', U'u', U'u', U'u', U'u', U'y', 0, U'y',
    };
    switch (c) {
    case U'æ': return U"ae";
    case U'ß': return U"ss";
    case U'þ': return U"th";
    case U'œ': return U"oe";
    case U'š': return U"s";
    case U'ž': return U"z";
    case U'ƒ': return U"f";
    default: break;
    }
    if (c >= 0xE0 && c <= 0xFF && latin1[c - 0xE0])
        return { &latin1[c - 0xE0], 1 };
    return {};
}

struct SortKeys {
    std::u32string primary;
    std::u32string secondary;
};

SortKeys sort_keys(std::string_view utf8)
{
    SortKeys keys;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = lower(utf8::decode(utf8, pos).value_or(0xFFFD));
        std::u32string_view base = base_letters(c);
        if (base.empty())
            keys.primary += c;
        else
            keys.primary += base;
        keys.secondary += c;
    }
    return keys;
}

int compare(std::u32string const& a, std::u32string const& b)
{
    int r = a.compare(b);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

}

std::optional<std::string> from_utf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        auto c = utf8::decode(utf8, pos);
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
        utf8::append(out, code_point(static_cast<unsigned char>(byte)));
    return out;
}

bool representable(char32_t c) { return byte_for(c).has_value(); }

char32_t lower(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    switch (c) {
    case U'Š': return U'š';
    case U'Œ': return U'œ';
    case U'Ž': return U'ž';
    case U'Ÿ': return U'ÿ';
    default: return c;
    }
}

std::string lower(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = pos;
        if (auto c = utf8::decode(text, pos))
            utf8::append(out, lower(*c));
        else
            out.append(text.substr(start, pos - start));
    }
    return out;
}

int compare_text(std::string_view a, std::string_view b)
{
    SortKeys ka = sort_keys(a), kb = sort_keys(b);
    if (int r = compare(ka.primary, kb.primary))
        return r;
    return compare(ka.secondary, kb.secondary);
}

}
