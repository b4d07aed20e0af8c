#include "sound/TuneList.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(TuneList, OnlyPlainVisibleTuneFilesInListingOrder)
{
    TempFolder folder;
    folder.write("b.mid", "x");
    folder.write("A.MID", "x");
    folder.write(".hidden.mid", "x");
    folder.write("notes.txt", "x");
    folder.write("c.midi", "x");
    folder.make_folder("x.mid");
    fs::create_directory_symlink(folder.path() + "x.mid", folder.path() + "folderlink.mid");
    fs::create_symlink(folder.path() + "b.mid", folder.path() + "filelink.mid");
    fs::create_symlink(folder.path() + "gone", folder.path() + "dangling.mid");
    EXPECT_EQ(TuneList::names(folder.path()), (std::vector<std::string> { "A.MID", "b.mid", "filelink.mid" }));
    EXPECT_TRUE(TuneList::names(folder.path() + "missing/").empty());
}

TEST(TuneList, TheListingStopsWhenTheSlotsAreFull)
{
    TempFolder folder;
    for (int i = 10; i < 70; ++i)
        folder.write("t" + std::to_string(i) + ".mid", "x");
    folder.write(".a.mid", "x"); // first in byte order, and no tune
    auto names = TuneList::names(folder.path());
    ASSERT_EQ(names.size(), TuneList::slots);
    EXPECT_EQ(names.front(), "t10.mid");
    EXPECT_EQ(names.back(), "t59.mid");
    EXPECT_EQ(TuneList::names(folder.path(), 2).size(), 2u);
}

TEST(TuneList, RemovingDeletesEveryTuneEntryAndPassesOverFolders)
{
    TempFolder folder;
    folder.write("a.mid", "x");
    folder.write("B.Mid", "x");
    folder.write(".hidden.mid", "x");
    folder.write("keep.txt", "x");
    folder.write("y.mid/inside.mid", "x");
    fs::permissions(folder.path() + "a.mid", fs::perms::owner_read); // read-only is deleted too
    fs::create_symlink(folder.path() + "keep.txt", folder.path() + "link.mid");
    EXPECT_TRUE(TuneList::remove_all(folder.path())) << "no tune is left";
    std::vector<std::string> left;
    for (auto const& e : fs::directory_iterator(folder.path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string> { "keep.txt", "y.mid" }));
    EXPECT_TRUE(fs::exists(folder.path() + "y.mid/inside.mid"));
}
