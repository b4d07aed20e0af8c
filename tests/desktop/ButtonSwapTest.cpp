#include "desktop/ButtonSwap.h"

#include <gtest/gtest.h>

using Mapping = std::vector<std::uint8_t>;

TEST(ButtonSwap, OneAndThreeExchangedIsSwappedAndTheOtherButtonsStay)
{
    EXPECT_FALSE(buttons_swapped({ 1, 2, 3, 4, 5 }));
    EXPECT_TRUE(buttons_swapped({ 3, 2, 1, 4, 5 }));
    EXPECT_FALSE(buttons_swapped({ 3, 2 }));
    EXPECT_EQ(with_buttons_swapped({ 1, 2, 3, 5, 4 }, true), (Mapping { 3, 2, 1, 5, 4 }));
    EXPECT_EQ(with_buttons_swapped({ 3, 2, 1, 5, 4 }, false), (Mapping { 1, 2, 3, 5, 4 }));
    EXPECT_EQ(with_buttons_swapped({ 3, 2, 1 }, true), (Mapping { 3, 2, 1 }));
    EXPECT_EQ(with_buttons_swapped({ 1, 2 }, true), (Mapping { 1, 2 }));
}
