#include "platform/LateLibrary.h"

#include <gtest/gtest.h>

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
