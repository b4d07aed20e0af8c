#include "platform/Bitmap.h"

#include <algorithm>

namespace platform {

namespace {

std::uint32_t blend(std::uint32_t dst, std::uint32_t src)
{
    std::uint32_t a = src >> 24;
    if (a == 255)
        return src;
    if (a == 0)
        return dst;
    auto channel = [&](int shift) {
        std::uint32_t s = (src >> shift) & 0xff, d = (dst >> shift) & 0xff;
        return ((s * a + d * (255 - a) + 127) / 255) << shift;
    };
    std::uint32_t da = dst >> 24;
    std::uint32_t out_a = a + (da * (255 - a) + 127) / 255;
    return (out_a << 24) | channel(16) | channel(8) | channel(0);
}

}

void Bitmap::draw_part(Bitmap const& source, int sx, int sy, int w, int h, int x, int y)
{
    // Clip the rectangle to the source, then to this bitmap.
    int left = std::max({ 0, -sx, -x }), top = std::max({ 0, -sy, -y });
    int right = std::min({ w, source.width - sx, width - x }), bottom = std::min({ h, source.height - sy, height - y });
    if (left >= right)
        return;
    int const count = right - left;
    for (int row = top; row < bottom; ++row) {
        std::uint32_t const* from = &source.pixels[std::size_t(sy + row) * std::size_t(source.width) + std::size_t(sx + left)];
        std::uint32_t* to = &at(x + left, y + row);
        int n = 0;
        // Decoded JPEGs and most of every PNG are opaque: blocks whose
        // pixels all have full alpha are copied as they are.
        for (constexpr int block = 16; n + block <= count; n += block) {
            std::uint32_t all = 0xffffffffu;
            for (int k = 0; k < block; ++k)
                all &= from[n + k];
            if ((all >> 24) == 0xff)
                std::copy(from + n, from + n + block, to + n);
            else
                for (int k = n; k < n + block; ++k)
                    to[k] = blend(to[k], from[k]);
        }
        for (; n < count; ++n)
            to[n] = blend(to[n], from[n]);
    }
}

void Bitmap::copy_from(Bitmap const& source, int sx, int sy, int w, int h, int dx, int dy)
{
    for (int row = 0; row < h; ++row) {
        int syr = sy + row, dyr = dy + row;
        if (syr < 0 || syr >= source.height || dyr < 0 || dyr >= height)
            continue;
        for (int col = 0; col < w; ++col) {
            int sxc = sx + col, dxc = dx + col;
            if (sxc >= 0 && sxc < source.width && dxc >= 0 && dxc < width)
                at(dxc, dyr) = source.at(sxc, syr);
        }
    }
}

void Bitmap::fill_rect(int x, int y, int w, int h, std::uint32_t colour)
{
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(width, x + w), y1 = std::min(height, y + h);
    for (int py = y0; py < y1; ++py)
        std::fill(&at(x0, py), &at(x0, py) + std::max(0, x1 - x0), colour);
}

void Bitmap::frame_rect(int x, int y, int w, int h, std::uint32_t colour)
{
    fill_rect(x, y, w, 1, colour);
    fill_rect(x, y + h - 1, w, 1, colour);
    fill_rect(x, y, 1, h, colour);
    fill_rect(x + w - 1, y, 1, h, colour);
}

}
