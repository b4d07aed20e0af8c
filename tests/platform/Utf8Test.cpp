#include "platform/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, StepsOverWholeCharactersBothWays)
{
    std::string const text = "aé€😀";
    std::vector<std::size_t> forward;
    for (std::size_t at = 0; at < text.size();)
        forward.push_back(at = utf8::next_boundary(text, at));
    EXPECT_EQ(forward, (std::vector<std::size_t> { 1, 3, 6, 10 }));
    std::vector<std::size_t> back;
    for (std::size_t at = text.size(); at > 0;)
        back.push_back(at = utf8::previous_boundary(text, at));
    EXPECT_EQ(back, (std::vector<std::size_t> { 6, 3, 1, 0 }));
}

TEST(Utf8, DecodeRefusesBrokenSequencesWithoutSwallowingTheNextCharacter)
{
    std::string const text = "\xC3z";
    std::size_t pos = 0;
    EXPECT_FALSE(utf8::decode(text, pos));
    EXPECT_EQ(utf8::decode(text, pos), U'z');
    for (char const* bad : { "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80" }) {
        std::size_t p = 0;
        EXPECT_FALSE(utf8::decode(bad, p)) << bad;
    }
}

TEST(Utf8, AppendWritesEveryLength)
{
    std::string out;
    for (char32_t c : { U'a', U'é', U'€', U'😀' })
        utf8::append(out, c);
    EXPECT_EQ(out, "aé€😀");
}
