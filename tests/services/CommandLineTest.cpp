#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <random>

namespace command_line = platform::command_line;
using Args = std::vector<std::string>;

TEST(CommandLine, SplitsTheRuntimesDocumentedExamples)
{
    EXPECT_EQ(command_line::split(R"("abc" d e)"), (Args { "abc", "d", "e" }));
    EXPECT_EQ(command_line::split(R"(a\\b d"e f"g h)"), (Args { R"(a\\b)", "de fg", "h" }));
    EXPECT_EQ(command_line::split(R"(a\\\"b c d)"), (Args { R"(a\"b)", "c", "d" }));
    EXPECT_EQ(command_line::split(R"(a\\\\"b c" d e)"), (Args { R"(a\\b c)", "d", "e" }));
    EXPECT_EQ(command_line::split(R"(a"b"" c d)"), (Args { R"(ab" c d)" }));
}

TEST(CommandLine, BlanksEmptyQuotesAndAnUnclosedQuote)
{
    EXPECT_TRUE(command_line::split("").empty());
    EXPECT_TRUE(command_line::split(" \t ").empty());
    EXPECT_EQ(command_line::split("\t a \t b "), (Args { "a", "b" }));
    EXPECT_EQ(command_line::split(R"("" x "")"), (Args { "", "x", "" }));
    EXPECT_EQ(command_line::split(R"(a "b c)"), (Args { "a", "b c" }));
    EXPECT_EQ(command_line::split(R"(tail\\)"), (Args { R"(tail\\)" }));
}

TEST(CommandLine, TheShellsSevenFieldsKeepBackslashesAndMarkers)
{
    EXPECT_EQ(command_line::split(R"("*C:\Pkg\#" "*anna#" "*#" "*#" "*TRUE#" "*AFR#" "*C:\Data\#")"),
        (Args { R"(*C:\Pkg\#)", "*anna#", "*#", "*#", "*TRUE#", "*AFR#", R"(*C:\Data\#)" }));
}

TEST(CommandLine, QuotedArgumentsSplitBackUnchanged)
{
    std::mt19937 random(7);
    std::string const alphabet[] { " ", "\t", "\"", "\\", "a", "Z", "#", "*", "$(", ";", "\xc3\xab", "'" };
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1), length(0, 8), count(0, 6);
    for (int round = 0; round < 2000; ++round) {
        Args arguments(count(random));
        for (auto& argument : arguments)
            for (std::size_t n = length(random); n > 0; --n)
                argument += alphabet[pick(random)];
        std::string joined = command_line::join(arguments);
        ASSERT_EQ(command_line::split(joined), arguments) << joined;
    }
}
