#include "activities/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, ConvertsTheLettersOfBothLanguagesAndTheHighPunctuation)
{
    EXPECT_EQ(cp1252::from_utf8("zoë señor"), std::string("zo\xEB se\xF1or"));
    EXPECT_EQ(cp1252::from_utf8("€‚Ÿ…"), std::string("\x80\x82\x9F\x85"));
    EXPECT_EQ(cp1252::to_utf8("\x80\x9F\xFF\xE9"), "€Ÿÿé");
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    for (int b = 0; b < 256; ++b) {
        std::string const text(1, static_cast<char>(b));
        EXPECT_EQ(cp1252::from_utf8(cp1252::to_utf8(text)), text) << b;
    }
}

TEST(Cp1252, RefusesWhatItCannotHoldAndBrokenUtf8)
{
    for (char const* bad : { "Ω", "anna😀", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80" })
        EXPECT_FALSE(cp1252::from_utf8(bad)) << bad;
}
