#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Writes a bitmap as a PNG with stored (uncompressed) deflate blocks: enough
// to give the widgets real frame files without an encoder library.
namespace pngfile {

inline std::uint32_t crc32(std::uint8_t const* data, std::size_t n, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(v >> shift));
}

inline void chunk(std::vector<std::uint8_t>& out, char const* type, std::vector<std::uint8_t> const& body)
{
    put32(out, std::uint32_t(body.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    put32(out, crc32(out.data() + start, out.size() - start));
}

inline std::vector<std::uint8_t> encode(platform::Bitmap const& b)
{
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < b.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < b.width; ++x) {
            std::uint32_t p = b.at(x, y);
            raw.insert(raw.end(), { std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), std::uint8_t(p >> 24) });
        }
    }
    std::vector<std::uint8_t> z { 0x78, 0x01 };
    std::uint32_t a = 1, s = 0;
    for (std::uint8_t c : raw) {
        a = (a + c) % 65521;
        s = (s + a) % 65521;
    }
    for (std::size_t at = 0; at == 0 || at < raw.size(); at += 65535) {
        std::size_t len = std::min<std::size_t>(65535, raw.size() - at);
        z.push_back(at + len >= raw.size() ? 1 : 0);
        z.insert(z.end(), { std::uint8_t(len), std::uint8_t(len >> 8), std::uint8_t(~len), std::uint8_t(~len >> 8) });
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + len));
    }
    put32(z, (s << 16) | a);

    std::vector<std::uint8_t> out { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    std::vector<std::uint8_t> header;
    put32(header, std::uint32_t(b.width));
    put32(header, std::uint32_t(b.height));
    header.insert(header.end(), { 8, 6, 0, 0, 0 });
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

inline void write(std::string const& path, platform::Bitmap const& b)
{
    auto data = encode(b);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const*>(data.data()), std::streamsize(data.size()));
}

}
