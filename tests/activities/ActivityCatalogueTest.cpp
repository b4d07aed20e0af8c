#include "activities/ActivityCatalogue.h"
#include "activities/StudentRegister.h"

#include <gtest/gtest.h>

#include <set>

using namespace activity_catalogue;

// A row added to the catalogue must not share a flag, a slot or a program
// with another, and its slot is a register entry that counts its plays: it
// must be one, and not one of those that count the languages.
TEST(ActivityCatalogue, FlagsSlotsAndProgramsAreDistinctAndSlotsAreFreeRegisterEntries)
{
    std::set<int> flags, slots;
    std::set<std::string_view> programs;
    for (Row const& row : rows) {
        SCOPED_TRACE(row.component);
        if (row.flag != 0) {
            EXPECT_TRUE(flags.insert(row.flag).second) << "flag " << row.flag;
            EXPECT_FALSE(row.prompt.empty());
        }
        if (row.slot == 0)
            continue;
        EXPECT_TRUE(slots.insert(row.slot).second) << "slot " << row.slot;
        EXPECT_TRUE(programs.insert(row.program).second) << row.program;
        EXPECT_TRUE(valid_entry_and_counter(row.slot, 1)) << "slot " << row.slot;
        EXPECT_NE(row.slot, afrikaans_entry);
        EXPECT_NE(row.slot, english_entry);
    }
}
