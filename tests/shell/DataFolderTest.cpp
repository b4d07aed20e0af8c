#include "platform/AsciiLower.h"
#include "shell/TForm1.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class WorkingDirectory {
public:
    explicit WorkingDirectory(std::string const& path) : m_saved(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved;
};

struct Shell : ::testing::Test {
    TestApp t;
    TempFolder folder;
    ScopedInstalledProfile no_installed_profile { folder.path() + "not-installed" };
};

}

TEST_F(Shell, DataFolderIsTheLowerCasedProfileWithDocuments)
{
    folder.make_folder("All Users");
    ScopedEnvironment env({ "HOME=/nowhere", "ALLUSERSPROFILE=" + folder.path() + "All Users" });
    auto& form = t.app.CreateForm<TForm1>("Form1");
    // Lower-cased like the profile line; the resolver still finds "All Users".
    EXPECT_EQ(form.datafolder, ascii_lower(folder.path() + "all users/documents/"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "All Users/documents"));
}

TEST_F(Shell, FirstLineContainingTheNameWinsAndATrailingSlashIsNotDoubled)
{
    ScopedEnvironment env({ "MYALLUSERSPROFILE=" + folder.path() + "x/", "ALLUSERSPROFILE=/elsewhere" });
    folder.make_folder("x");
    TForm1& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.ResolveDataFolder(), ascii_lower(folder.path()) + "x/documents/");
}

TEST_F(Shell, EmptyProfileFallsBackToTheSystemFolder)
{
    ScopedEnvironment env({ "ALLUSERSPROFILE=" });
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.datafolder, "/usr/bin/");
}

TEST_F(Shell, NoProfileLineUsesThePerUserDataFolder)
{
    ScopedEnvironment env({ "HOME=" + folder.path() + "home" });
    folder.make_folder("home");
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.datafolder, ascii_lower(folder.path() + "home/.local/share/pipkin-sprout/documents/"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "home/.local/share/pipkin-sprout/documents"));
}

TEST_F(Shell, AMissingPerUserFolderIsMadeWholeRatherThanFallingBack)
{
    WorkingDirectory cwd(folder.make_folder("install"));
    ScopedEnvironment env({ "HOME=/nowhere", "XDG_DATA_HOME=" + folder.path() + "fresh/data" });
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.datafolder, ascii_lower(folder.path()) + "fresh/data/pipkin-sprout/documents/");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "fresh/data/pipkin-sprout/documents"));
}

TEST_F(Shell, TheInstalledProfileServesEveryUser)
{
    ScopedInstalledProfile installed(folder.make_folder("var/lib/pipkin-sprout"));
    ScopedEnvironment env({ "HOME=" + folder.path() + "home" });
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.datafolder, ascii_lower(folder.path()) + "var/lib/pipkin-sprout/documents/");
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "home"));
}

TEST_F(Shell, UncreatableDocumentsFolderFallsBackToTheCurrentDirectory)
{
    WorkingDirectory cwd(folder.path());
    ScopedEnvironment env({ "ALLUSERSPROFILE=" + folder.path() + "missing/parent" });
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.datafolder, folder.path());
    EXPECT_EQ(form.installdir, folder.path());
}

TEST_F(Shell, InstallFoldersAndActivitiesFollowTheCurrentDirectory)
{
    WorkingDirectory cwd(folder.path());
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.installdir, folder.path());
    EXPECT_EQ(form.basedir, form.installdir);
    EXPECT_EQ(form.menudir, folder.path() + "menu/");
    EXPECT_EQ(form.musicdir, folder.path() + "Music/");
    EXPECT_EQ(form.fxdir, folder.path() + "fxsounds/");
    EXPECT_EQ(form.activities[1], "language/language.exe");
    EXPECT_EQ(form.activities[9], "progress/progress.exe");
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Width(), 800);
    EXPECT_FALSE(form.ant_panel.Visible());
}

TEST_F(Shell, TheRootFolderKeepsItsSingleSlash)
{
    WorkingDirectory cwd("/");
    auto& form = t.app.CreateForm<TForm1>("Form1");
    EXPECT_EQ(form.installdir, "/");
    EXPECT_EQ(form.menudir, "/menu/");
}

TEST_F(Shell, EnvironmentReadsAreStableAndKeepEmptyValues)
{
    ScopedEnvironment env({ "EMPTY=", "ALLUSERSPROFILE=/x" });
    TSysInfo info(nullptr);
    auto first = info.Environment();
    auto second = info.Environment();
    EXPECT_EQ(first, second);
    EXPECT_NE(std::find(first.begin(), first.end(), "EMPTY="), first.end());
    EXPECT_EQ(first.size(), 2u) << "no per-user entry is added when the profile is named";
}

TEST_F(Shell, ComponentsComeInDesignOrderAndTheBackgroundShows)
{
    auto& form = t.app.CreateForm<TForm1>("Form1");
    auto names = form.components();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0]->Name(), "backimage");
    EXPECT_EQ(names[1]->Name(), "phand1");
    EXPECT_EQ(form.Image4.Tag(), 6);
    EXPECT_EQ(form.Image6.Cursor(), 31);
    t.settle();
    EXPECT_EQ(t.window.last_frame().at(400, 100), form.backimage.Picture().Graphic()->at(400, 100));
}
