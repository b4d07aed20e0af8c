#include "platform/Files.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
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

TEST(Files, ReadsWholeRegularFilesAndNothingElse)
{
    TempFolder t;
    std::string const big(200000, 'x'); // more than one read's worth
    t.write("big.wav", big);
    t.write("empty.wav", "");
    auto whole = files::read_all(t.path() + "BIG.wav");
    ASSERT_TRUE(whole);
    EXPECT_EQ(std::string(whole->begin(), whole->end()), big);
    ASSERT_TRUE(files::read_all(t.path() + "empty.wav"));
    EXPECT_TRUE(files::read_all(t.path() + "empty.wav")->empty());

    // Planted in place of a picture or a sound: none may stall or be read
    // forever.
    ASSERT_TRUE(files::make_folder(t.path() + "folder.jpg"));
    ASSERT_EQ(::symlink("/dev/zero", (t.path() + "zero.wav").c_str()), 0);
    ASSERT_EQ(::mkfifo((t.path() + "pipe.mid").c_str(), 0600), 0);
    EXPECT_FALSE(files::read_all(t.path() + "folder.jpg"));
    EXPECT_FALSE(files::read_all(t.path() + "zero.wav"));
    EXPECT_FALSE(files::read_all(t.path() + "pipe.mid"));
    EXPECT_FALSE(files::read_all(t.path() + "missing.wav"));
}

TEST(Files, AFileLargerThanAnyPackageNeedsIsRefused)
{
    TempFolder t;
    std::string const path = t.path() + "huge.jpg";
    t.write("huge.jpg", "x");
    ASSERT_EQ(::truncate(path.c_str(), off_t(files::largest_file) + 1), 0); // sparse: costs no disk
    EXPECT_FALSE(files::read_all(path));
}
