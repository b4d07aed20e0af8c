#pragma once

#include "platform/LargeBlocks.h"

#include <cstdint>
#include <vector>

namespace platform {

// 32-bit pixels 0xAARRGGBB with straight alpha. The window's canvas is a
// Bitmap whose alpha is always 255.
struct Bitmap {
    int width { 0 };
    int height { 0 };
    std::vector<std::uint32_t, large_blocks::Allocator<std::uint32_t>> pixels;

    Bitmap() = default;
    Bitmap(int w, int h, std::uint32_t fill = 0xff000000u)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill)
    {
    }

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }

    // Draws `source` with its top-left at x, y, blending by its alpha; the
    // result keeps this bitmap's alpha where it is opaque.
    void draw(Bitmap const& source, int x, int y) { draw_part(source, 0, 0, source.width, source.height, x, y); }
    // Draws the w x h rectangle of `source` at sx, sy with its top-left at x, y.
    void draw_part(Bitmap const& source, int sx, int sy, int w, int h, int x, int y);
    // Copies a rectangle of `source` without blending.
    void copy_from(Bitmap const& source, int sx, int sy, int w, int h, int dx, int dy);
    void fill_rect(int x, int y, int w, int h, std::uint32_t colour);
    void frame_rect(int x, int y, int w, int h, std::uint32_t colour);
};

inline constexpr std::uint32_t rgb(int r, int g, int b)
{
    return 0xff000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

}
