#include "platform/LateLibrary.h"
#include "platform/fc/FcHandles.h"
#include "platform/fluid/FluidLibrary.h"
#include "platform/sdl/TtfLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MathTable {
    double (*cos)(double) = nullptr;
};

bool resolve_cos(void* library, MathTable& table)
{
    table.cos = reinterpret_cast<double (*)(double)>(dlsym(library, "cos"));
    return table.cos;
}

bool resolve_nothing(void*, MathTable&) { return false; }

}

TEST(LateLibrary, AMissingFileOrFunctionLeavesTheTableEmpty)
{
    platform::LateLibrary<MathTable> missing_file(resolve_cos);
    EXPECT_FALSE(missing_file.load("libsprout-missing.so.0"));
    EXPECT_EQ(missing_file.table().cos, nullptr);
    platform::LateLibrary<MathTable> missing_function(resolve_nothing);
    EXPECT_FALSE(missing_function.load("libm.so.6"));
    EXPECT_EQ(missing_function.table().cos, nullptr);
}

TEST(LateLibrary, TheFirstSuccessFillsTheTableAndLaterFailuresKeepIt)
{
    platform::LateLibrary<MathTable> math(resolve_cos);
    ASSERT_TRUE(math.load("libm.so.6"));
    ASSERT_NE(math.table().cos, nullptr);
    EXPECT_DOUBLE_EQ(math.table().cos(0.0), 1.0);
    EXPECT_FALSE(math.load("libsprout-missing.so.0"));
    EXPECT_TRUE(math.load("libm.so.6"));
    EXPECT_DOUBLE_EQ(math.table().cos(0.0), 1.0);
}

// The program's own tables: each opens its installed library with every
// function it lists, and refuses a library that lacks them.
TEST(LateLibrary, EachOfTheProgramsTablesFillsFromItsLibrary)
{
    std::string missing;
#define SPROUT_CHECK(table, name)                                                                                      \
    if (!table.name)                                                                                                   \
        missing += " " #name;
#define SPROUT_FC_CHECK(name) SPROUT_CHECK(platform::fc::functions(), name)
#define SPROUT_TTF_CHECK(name) SPROUT_CHECK(platform::ttf::functions(), name)
#define SPROUT_FLUID_CHECK(name) SPROUT_CHECK(platform::fluid::functions(), name)
    EXPECT_FALSE(platform::fc::load_library("libm.so.6"));
    ASSERT_TRUE(platform::fc::load_library());
    SPROUT_FC_FUNCTIONS(SPROUT_FC_CHECK)
    EXPECT_FALSE(platform::ttf::load_library("libm.so.6"));
    ASSERT_TRUE(platform::ttf::load_library());
    SPROUT_TTF_FUNCTIONS(SPROUT_TTF_CHECK)
    EXPECT_FALSE(platform::fluid::load_library("libm.so.6"));
    ASSERT_TRUE(platform::fluid::load_library());
    SPROUT_FLUID_FUNCTIONS(SPROUT_FLUID_CHECK)
    EXPECT_EQ(missing, "");
    // A handle made and released through a table.
    platform::fc::PatternPtr pattern(platform::fc::functions().FcPatternCreate());
    EXPECT_NE(pattern, nullptr);
}
