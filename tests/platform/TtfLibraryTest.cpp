#include "platform/sdl/TtfLibrary.h"

#include <gtest/gtest.h>

TEST(TtfLibrary, RefusesAMissingFileAndALibraryWithoutTheTextFunctions)
{
    EXPECT_FALSE(platform::ttf::load_library("libSDL2_ttf-missing.so.0"));
    EXPECT_FALSE(platform::ttf::load_library("libm.so.6"));
}

TEST(TtfLibrary, OpensTheInstalledLibraryWithEveryFunction)
{
    ASSERT_TRUE(platform::ttf::load_library());
    auto const& f = platform::ttf::functions();
#define SPROUT_TTF_EXPECT(name) EXPECT_NE(f.name, nullptr) << #name;
    SPROUT_TTF_FUNCTIONS(SPROUT_TTF_EXPECT)
#undef SPROUT_TTF_EXPECT
    // Opened again, the library answers as before, and a bad name still fails.
    EXPECT_TRUE(platform::ttf::load_library());
    EXPECT_FALSE(platform::ttf::load_library("libSDL2_ttf-missing.so.0"));
}
