#include "platform/sdl/SdlText.h"

#include <gtest/gtest.h>

namespace {

platform::FontSpec const sans { "DejaVu Sans", 16, false };

// How many pixels the text covers at all.
int covered(platform::Bitmap const& b)
{
    int n = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            n += (b.at(x, y) >> 24) != 0;
    return n;
}

}

TEST(SdlText, DrawsAndMeasuresTextThroughTheLibraryOpenedOnFirstUse)
{
    platform::SdlText text;
    platform::Bitmap drawn = text.render(sans, "Pipkin", 0x102030);
    ASSERT_GT(drawn.width, 0);
    EXPECT_GT(covered(drawn), 20);
    EXPECT_EQ(text.text_width(sans, "Pipkin"), drawn.width);
    EXPECT_GT(text.text_width(sans, "Pipkin Sprout"), drawn.width);
    EXPECT_GE(text.line_height(sans), 16);
    // Coloured as asked wherever the text covers fully.
    for (int y = 0; y < drawn.height; ++y)
        for (int x = 0; x < drawn.width; ++x)
            if (drawn.at(x, y) >> 24 == 0xff) {
                EXPECT_EQ(drawn.at(x, y) & 0xffffff, 0x102030u);
            }
    // Faces looked up anew after a change of the font set still draw.
    text.fonts_changed();
    EXPECT_EQ(text.render(sans, "Pipkin", 0x102030).width, drawn.width);
}

TEST(SdlText, WithoutTheLibraryDrawsNothingAndMeasuresLikeAMissingFace)
{
    platform::SdlText text("libSDL2_ttf-missing.so.0");
    platform::FontSpec bold = sans;
    bold.bold = true;
    for (auto const& font : { sans, bold }) {
        platform::Bitmap drawn = text.render(font, "Pipkin", 0);
        EXPECT_EQ(drawn.width, 0);
        EXPECT_EQ(drawn.height, 0);
        EXPECT_EQ(text.text_width(font, "Pipkin"), 0);
        EXPECT_EQ(text.line_height(font), font.height);
    }
    text.fonts_changed();
    EXPECT_EQ(text.render(sans, "again", 0).width, 0);
}
