#include "activities/ActivityParameters.h"

#include <gtest/gtest.h>

TEST(ActivityParameters, SevenEnclosedFieldsJoinedBySingleSpaces)
{
    ActivityParameters p { "C:/Pkg/", "anna", "", "", 'a', "C:/Data/" };
    EXPECT_EQ(p.text(), R"("*C:/Pkg/#" "*anna#" "*#" "*#" "*TRUE#" "*AFR#" "*C:/Data/#")");
    p.langletter = 'e';
    p.studentextra1 = "x";
    EXPECT_EQ(p.text(), R"("*C:/Pkg/#" "*anna#" "*x#" "*#" "*TRUE#" "*ENG#" "*C:/Data/#")");
}

TEST(ActivityParameters, OnlyTheLetterAInEitherCaseIsAfrikaans)
{
    EXPECT_EQ(ActivityParameters::language_code('a'), "AFR");
    EXPECT_EQ(ActivityParameters::language_code('A'), "AFR");
    for (char other : { 'e', 'E', '\0', 'f' })
        EXPECT_EQ(ActivityParameters::language_code(other), "ENG") << int(other);
}

TEST(ActivityParameters, FieldsArePassedWithoutEscaping)
{
    ActivityParameters p { "/p\\q/", "jo\"e #1 \\", "", "", 'a', "" };
    EXPECT_EQ(p.text(), "\"*/p\\q/#\" \"*jo\"e #1 \\#\" \"*#\" \"*#\" \"*TRUE#\" \"*AFR#\" \"*#\"");
}
