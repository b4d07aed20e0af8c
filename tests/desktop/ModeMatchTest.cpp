#include "desktop/ModeMatch.h"

#include "platform/fake/FakeDisplay.h"

#include <gtest/gtest.h>

using platform::FakeDisplay;

TEST(ModeMatch, OnlyTheAskedSizeAndDepthAtTheRateInForceMatch)
{
    std::vector<platform::DisplayModeRecord> modes {
        FakeDisplay::record(800, 600, 32, 60),
        FakeDisplay::record(800, 600, 32, 75),
        FakeDisplay::record(800, 600, 32, 85),
        FakeDisplay::record(800, 600, 16, 75),
        FakeDisplay::record(1024, 768, 32, 75),
    };
    EXPECT_EQ(last_matching_mode(modes, 75, 800, 600, 32), 1);
    EXPECT_EQ(last_matching_mode(modes, 75, 800, 600, 16), 3);
    EXPECT_EQ(last_matching_mode(modes, 70, 800, 600, 32), -1);
    EXPECT_EQ(last_matching_mode(modes, 75, 640, 480, 32), -1);
    EXPECT_EQ(last_matching_mode({}, 75, 800, 600, 32), -1);
}

TEST(ModeMatch, TheLastOfSeveralMatchesWins)
{
    std::vector<platform::DisplayModeRecord> modes(3, FakeDisplay::record(800, 600, 32, 60));
    modes.push_back(FakeDisplay::record(640, 480, 32, 60));
    EXPECT_EQ(last_matching_mode(modes, 60, 800, 600, 32), 2);
}

TEST(ModeMatch, ARecordWithAWordAtOffset44IsPassedOver)
{
    auto placed = FakeDisplay::record(800, 600, 32, 60, 1280);
    EXPECT_EQ(placed.word_at_44(), 1280);
    EXPECT_FALSE(mode_matches(placed, 60, 800, 600, 32));
    // Only the low half of the position counts.
    auto high_half = FakeDisplay::record(800, 600, 32, 60);
    high_half.bytes[46] = 1;
    EXPECT_TRUE(mode_matches(high_half, 60, 800, 600, 32));
    EXPECT_EQ(last_matching_mode({ FakeDisplay::record(800, 600, 32, 60), placed }, 60, 800, 600, 32), 0);
}

TEST(ModeMatch, RecordFieldsSitWhereTheOldPlatformKeptThem)
{
    auto r = FakeDisplay::record(0x1234, 0x0258, 16, 75);
    EXPECT_EQ(r.bytes.size(), 156u);
    EXPECT_EQ(r.bytes[108], 0x34);
    EXPECT_EQ(r.bytes[109], 0x12);
    EXPECT_EQ(r.bytes[112], 0x58);
    EXPECT_EQ(r.bytes[104], 16);
    EXPECT_EQ(r.bytes[120], 75);
}
