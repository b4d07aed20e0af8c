#include "desktop/DisplaySettingsLine.h"

#include <gtest/gtest.h>

namespace {

bool allows(std::string const& file, std::size_t chunk_size = 4096)
{
    DisplaySettingsLine line;
    for (std::size_t at = 0; at < file.size() && !line.complete(); at += chunk_size)
        line.feed(std::string_view(file).substr(at, chunk_size));
    return line.allows_switch();
}

}

TEST(DisplaySettingsLine, OnlySetEqualsYesInCapitalsOnTheFirstLineAllowsTheSwitch)
{
    EXPECT_TRUE(allows("SET=YES"));
    EXPECT_TRUE(allows("SET=YES\r\nSET=NO\r\n"));
    EXPECT_TRUE(allows("  display SET=YES please"));
    EXPECT_FALSE(allows("set=yes"));
    EXPECT_FALSE(allows("Set=Yes\n"));
    EXPECT_FALSE(allows("SET=NO"));
    EXPECT_FALSE(allows(""));
    EXPECT_FALSE(allows("SET = YES"));
    EXPECT_FALSE(allows("\nSET=YES"));
    EXPECT_FALSE(allows("SET=NO\r\nSET=YES"));
    // An old Mac line end ends the line as well.
    EXPECT_FALSE(allows("SET=NO\rSET=YES"));
}

TEST(DisplaySettingsLine, TheWordIsFoundAcrossChunksAndAfterALongLine)
{
    EXPECT_TRUE(allows("SET=YES", 1));
    EXPECT_TRUE(allows("xxSET=YESxx", 3));
    EXPECT_TRUE(allows(std::string(100000, ' ') + "SET=YES", 4096));
    EXPECT_FALSE(allows("SET=\nYES", 2));
    EXPECT_FALSE(allows("SET=Y" + std::string(4096, 'x') + "ES"));
}

TEST(DisplaySettingsLine, TheRestOfTheFileIsNotRead)
{
    DisplaySettingsLine line;
    line.feed("SET=NO\n");
    EXPECT_TRUE(line.complete());
    line.feed("SET=YES");
    EXPECT_FALSE(line.allows_switch());
}
