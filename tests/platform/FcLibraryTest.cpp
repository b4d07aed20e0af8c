#include "platform/fc/FcHandles.h"
#include "platform/fc/FcLibrary.h"

#include <gtest/gtest.h>

TEST(FcLibrary, OpensTheInstalledLibraryWithEveryFunctionAndRefusesAnother)
{
    EXPECT_FALSE(platform::fc::load_library("libm.so.6"));
    ASSERT_TRUE(platform::fc::load_library());
    auto const& f = platform::fc::functions();
#define SPROUT_FC_EXPECT(name) EXPECT_NE(f.name, nullptr) << #name;
    SPROUT_FC_FUNCTIONS(SPROUT_FC_EXPECT)
#undef SPROUT_FC_EXPECT
    // A pattern made and released through the table.
    platform::fc::PatternPtr pattern(f.FcPatternCreate());
    EXPECT_NE(pattern, nullptr);
}
