#include "platform/Files.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace files = platform::files;

TEST(Files, ResolvesEveryComponentIgnoringCase)
{
    TempFolder t;
    t.write("Music/Pipkin.MID", "x");
    EXPECT_EQ(files::resolve(t.path() + "music/pipkin.mid"), t.path() + "Music/Pipkin.MID");
    EXPECT_TRUE(files::file_exists(t.path() + "MUSIC/PIPKIN.mid"));
}

TEST(Files, ExactMatchWinsThenFirstVariantInByteOrder)
{
    TempFolder t;
    t.write("sounds_afr/a.wav");
    t.write("Sounds_afr/b.wav");
    t.write("SOUNDS_AFR/c.wav");
    EXPECT_EQ(files::resolve(t.path() + "Sounds_afr/b.wav"), t.path() + "Sounds_afr/b.wav");
    // "SOUNDS_AFR" sorts before "Sounds_afr" and "sounds_afr".
    EXPECT_EQ(files::resolve(t.path() + "sOUNDS_afr/c.wav"), t.path() + "SOUNDS_AFR/c.wav");
}

TEST(Files, UnmatchedTailKeepsTheSpellingAskedFor)
{
    TempFolder t;
    t.make_folder("Data");
    EXPECT_EQ(files::resolve(t.path() + "data/New/Students.DAT"), t.path() + "Data/New/Students.DAT");
}

TEST(Files, ExistsIsForFilesOnly)
{
    TempFolder t;
    t.make_folder("menu");
    EXPECT_FALSE(files::file_exists(t.path() + "MENU"));
    EXPECT_TRUE(files::folder_exists(t.path() + "MENU"));
    EXPECT_FALSE(files::file_exists(""));
    EXPECT_FALSE(files::file_exists(t.path() + "missing.jpg"));
}

TEST(Files, ListsMatchingFilesIgnoringCase)
{
    TempFolder t;
    t.write("Music/b.mid");
    t.write("Music/A.MID");
    t.write("Music/notes.txt");
    t.make_folder("Music/folder.mid");
    EXPECT_EQ(files::list(t.path() + "music/", "*.mid"), (std::vector<std::string> { "A.MID", "b.mid" }));
    EXPECT_TRUE(files::list(t.path() + "nothing/", "*.mid").empty());
}

TEST(Files, PatternMatching)
{
    EXPECT_TRUE(files::matches_pattern("pipkin.mid", "*.MID"));
    EXPECT_TRUE(files::matches_pattern("m_1.jpg", "m_?.jpg"));
    EXPECT_FALSE(files::matches_pattern("m_10.jpg", "m_?.jpg"));
    EXPECT_TRUE(files::matches_pattern("a.b.mid", "*.mid"));
    EXPECT_FALSE(files::matches_pattern("mid", "*.mid"));
}

TEST(Files, MakeFolderCreatesOneLevelOnly)
{
    TempFolder t;
    EXPECT_TRUE(files::make_folder(t.path() + "documents"));
    EXPECT_FALSE(files::make_folder(t.path() + "documents"));
    EXPECT_FALSE(files::make_folder(t.path() + "a/b"));
}

TEST(Files, MakeFoldersCreatesTheWholePathOrSaysWhyNot)
{
    TempFolder t;
    t.make_folder("Data");
    EXPECT_EQ(files::make_folders(t.path() + "data/a/b/"), 0);
    EXPECT_TRUE(files::folder_exists(t.path() + "Data/a/b"));
    EXPECT_EQ(files::make_folders(t.path() + "data/a/b"), 0) << "an existing folder is no failure";
    t.write("file");
    EXPECT_EQ(files::make_folders(t.path() + "file"), ENOTDIR);
    EXPECT_EQ(files::make_folders(t.path() + "file/below"), ENOTDIR);
}
