#include "platform/Cp1252.h"

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

TEST(Cp1252, LowerCaseFollowsTheCodePageLetters)
{
    EXPECT_EQ(cp1252::lower("ANNA"), "anna");
    EXPECT_EQ(cp1252::lower("ÉMILE ÀÞ"), "émile àþ");
    EXPECT_EQ(cp1252::lower("ŠŒŽŸ"), "šœžÿ");
    // × is no letter; ß and Greek are beyond the code page's case pairs.
    EXPECT_EQ(cp1252::lower("×ßΩ"), "×ßΩ");
    // Broken UTF-8 is passed on untouched around the letters.
    EXPECT_EQ(cp1252::lower("A\xC3Z\xFF"), "a\xC3z\xFF");
}

TEST(Cp1252, RepresentableIsWhatTheCodePageHasAByteFor)
{
    for (char32_t c : { U'a', U'é', U'€', U'Ÿ', U'\x81', U'ÿ' })
        EXPECT_TRUE(cp1252::representable(c)) << int(c);
    for (char32_t c : { U'Ω', U'\x100', U'\x1F600', U'\x80' })
        EXPECT_FALSE(cp1252::representable(c)) << int(c);
}

TEST(Cp1252, SortOrderIgnoresCaseAndWeighsAccentsLast)
{
    auto before = [](char const* a, char const* b) { return cp1252::compare_text(a, b) < 0; };
    EXPECT_EQ(cp1252::compare_text("Anna", "anna"), 0);
    EXPECT_TRUE(before("anna", "Bea"));
    EXPECT_TRUE(before("emile", "émile"));
    EXPECT_TRUE(before("émile", "fanie"));
    EXPECT_TRUE(before("Zoë", "zoey")) << "ë counts as e before the next letter decides";
    EXPECT_TRUE(before("ann", "anna"));
    EXPECT_TRUE(before("aeneas", "æsop")) << "æ sorts as its two letters";
}
