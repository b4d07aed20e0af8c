#include "platform/Bitmap.h"

#include <gtest/gtest.h>

namespace {

// Opaque except for every seventh pixel, which is half or fully transparent.
platform::Bitmap mixed_source(int w, int h)
{
    platform::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t colour = platform::rgb(x * 5 % 256, y * 40, 200);
            if ((x + y) % 7 == 0)
                colour = (colour & 0x00ffffffu) | ((x % 2 ? 0x80u : 0x00u) << 24);
            b.at(x, y) = colour;
        }
    return b;
}

}

TEST(Bitmap, DrawingAPartBlendsEachPixelAndClipsOnEverySide)
{
    platform::Bitmap source = mixed_source(45, 6);
    platform::Bitmap target(37, 5, platform::rgb(10, 20, 30));
    // Part 3..43 x 1..5 of the source, placed so it hangs over the left and bottom edges.
    target.draw_part(source, 3, 1, 40, 5, -4, 2);
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            int sx = x + 4 + 3, sy = y - 2 + 1;
            std::uint32_t expected = platform::rgb(10, 20, 30);
            if (y >= 2 && sx < 43) {
                std::uint32_t s = source.at(sx, sy);
                std::uint32_t a = s >> 24;
                if (a == 255)
                    expected = s;
                else if (a == 0x80) {
                    auto ch = [&](int shift, int d) { return ((((s >> shift) & 0xff) * a + d * (255 - a) + 127) / 255) << shift; };
                    expected = 0xff000000u | ch(16, 10) | ch(8, 20) | ch(0, 30);
                }
            }
            EXPECT_EQ(target.at(x, y), expected) << x << "," << y;
        }
}

TEST(Bitmap, APartOutsideEitherBitmapDrawsNothing)
{
    platform::Bitmap source = mixed_source(20, 4);
    platform::Bitmap target(10, 10, platform::rgb(1, 2, 3));
    platform::Bitmap before = target;
    target.draw_part(source, 18, 0, 10, 4, 0, 0); // only 2 source columns, yet drawn
    EXPECT_NE(target.pixels, before.pixels);
    target = before;
    target.draw_part(source, 20, 0, 10, 4, 0, 0);
    target.draw_part(source, 0, 0, 10, 4, 10, 0);
    target.draw_part(source, 0, 0, 10, 4, -10, 0);
    EXPECT_EQ(target.pixels, before.pixels);
}
