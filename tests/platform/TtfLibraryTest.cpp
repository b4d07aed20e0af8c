#include "platform/sdl/TtfLibrary.h"

#include <gtest/gtest.h>

TEST(TtfLibrary, OpensTheInstalledLibraryWithEveryFunctionAndRefusesAnother)
{
    EXPECT_FALSE(platform::ttf::load_library("libm.so.6"));
    ASSERT_TRUE(platform::ttf::load_library());
    auto const& f = platform::ttf::functions();
#define SPROUT_TTF_EXPECT(name) EXPECT_NE(f.name, nullptr) << #name;
    SPROUT_TTF_FUNCTIONS(SPROUT_TTF_EXPECT)
#undef SPROUT_TTF_EXPECT
}
