#include "platform/Environment.h"
#include "support/OrdinaryUser.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace environment = platform::environment;

namespace {

struct AllUsersProfile : ::testing::Test {
    TempFolder t;
    ScopedInstalledProfile installed { t.path() + "var/lib/pipkin-sprout" };

    // A folder every user may write in, below folders every user may enter.
    std::string everyones_folder(std::string const& relative)
    {
        std::string const folder = t.make_folder(relative);
        for (std::filesystem::path p = folder; p.string().size() >= t.path().size() - 1; p = p.parent_path())
            ::chmod(p.c_str(), p == folder ? 0777 : 0755);
        return folder;
    }

    std::string appended()
    {
        auto const list = environment::entries();
        return list.empty() ? std::string() : list.back();
    }
};

}

TEST_F(AllUsersProfile, TheInstalledFolderWinsWhenItIsThereAndWritable)
{
    t.make_folder("var/lib/pipkin-sprout");
    ScopedEnvironment env({ "HOME=" + t.path() + "home" });
    EXPECT_EQ(appended(), "ALLUSERSPROFILE=" + t.path() + "var/lib/pipkin-sprout");
    EXPECT_FALSE(std::filesystem::exists(t.path() + "home"));
}

// The installed layout: the profile is root's and read-only, documents/ is
// writable by everyone and sticky.
TEST_F(AllUsersProfile, TheInstalledLayoutServesAUserWhoMayWriteOnlyInDocuments)
{
    std::string const profile = t.make_folder("var/lib/pipkin-sprout");
    std::string const documents = t.make_folder("var/lib/pipkin-sprout/documents");
    std::string const data = everyones_folder("data");
    ::chmod(documents.c_str(), 01777);
    ::chmod(profile.c_str(), 0555);
    ScopedEnvironment env({ "XDG_DATA_HOME=" + data });
    EXPECT_TRUE(as_ordinary_user([&] { return appended() == "ALLUSERSPROFILE=" + profile; }));
    EXPECT_TRUE(std::filesystem::is_empty(data));
    ::chmod(profile.c_str(), 0755);
}

TEST_F(AllUsersProfile, AnInstalledFolderWhoseDocumentsTheUserCannotWriteInIsPassedOver)
{
    everyones_folder("var/lib/pipkin-sprout");
    std::string const documents = t.make_folder("var/lib/pipkin-sprout/documents");
    ::chmod(documents.c_str(), 0555);
    std::string const data = everyones_folder("data");
    ScopedEnvironment env({ "XDG_DATA_HOME=" + data });
    EXPECT_TRUE(as_ordinary_user([&] { return appended() == "ALLUSERSPROFILE=" + data + "/pipkin-sprout"; }));
    ::chmod(documents.c_str(), 0755);
}

TEST_F(AllUsersProfile, AnInstalledFolderTheUserCannotWriteInIsPassedOver)
{
    std::string const shared = t.make_folder("var/lib/pipkin-sprout");
    ::chmod(shared.c_str(), 0555);
    std::string const data = everyones_folder("data");
    ScopedEnvironment env({ "XDG_DATA_HOME=" + data });
    EXPECT_TRUE(as_ordinary_user([&] { return appended() == "ALLUSERSPROFILE=" + data + "/pipkin-sprout"; }));
    ::chmod(shared.c_str(), 0755);
}

TEST_F(AllUsersProfile, AMissingPerUserFolderIsMadeWhole)
{
    ScopedEnvironment env({ "HOME=/nowhere", "XDG_DATA_HOME=" + t.path() + "not/yet/there" });
    EXPECT_EQ(appended(), "ALLUSERSPROFILE=" + t.path() + "not/yet/there/pipkin-sprout");
    EXPECT_TRUE(std::filesystem::is_directory(t.path() + "not/yet/there/pipkin-sprout"));
}

TEST_F(AllUsersProfile, WithoutXdgDataHomeItLiesUnderHome)
{
    ScopedEnvironment env({ "HOME=" + t.path() + "home", "XDG_DATA_HOME=" });
    EXPECT_EQ(appended(), "ALLUSERSPROFILE=" + t.path() + "home/.local/share/pipkin-sprout");
    EXPECT_TRUE(std::filesystem::is_directory(t.path() + "home/.local/share/pipkin-sprout"));
}

TEST_F(AllUsersProfile, AFolderThatCannotBeMadeIsNamedAndReportedOnce)
{
    t.write("blocked", "a file where a folder should be");
    ScopedEnvironment env({ "XDG_DATA_HOME=" + t.path() + "blocked/data" });
    ::testing::internal::CaptureStderr();
    std::string const first = appended();
    std::string const second = appended();
    std::string const said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(first, "ALLUSERSPROFILE=" + t.path() + "blocked/data/pipkin-sprout");
    EXPECT_EQ(second, first);
    EXPECT_EQ(said,
        "pipkin-sprout: cannot make the data folder " + t.path() + "blocked/data/pipkin-sprout: Not a directory\n");
}

TEST_F(AllUsersProfile, AnEntryPresentButEmptyStaysAsItIs)
{
    t.make_folder("var/lib/pipkin-sprout");
    ScopedEnvironment env({ "ALLUSERSPROFILE=", "XDG_DATA_HOME=" + t.path() + "data" });
    auto const list = environment::entries();
    EXPECT_EQ(std::count(list.begin(), list.end(), "ALLUSERSPROFILE="), 1);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(t.path() + "data"));
}

// The cache only shortens the start; what matters is that it is named where
// the user may keep it and that a choice already made is left alone.
TEST(ComposeCache, AnOrdinaryUserGetsOneInTheCacheFolderAndAChoiceMadeIsKept)
{
    TempFolder t;
    std::string const cache = t.make_folder("cache");
    ::chmod(t.path().c_str(), 0755);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(cache.c_str(), nobody, nobody), 0);
    }
    ScopedEnvironment env({ "XDG_CACHE_HOME=" + cache, "HOME=/nonexistent" });
    EXPECT_TRUE(as_ordinary_user([&] {
        environment::use_compose_cache();
        char const* named = std::getenv("XCOMPOSECACHE");
        std::string const folder = cache + "/pipkin-sprout/compose";
        return named && named == folder && std::filesystem::is_directory(folder);
    }));
    ::setenv("XCOMPOSECACHE", "/elsewhere", 1);
    EXPECT_TRUE(as_ordinary_user([&] {
        environment::use_compose_cache();
        return std::string(std::getenv("XCOMPOSECACHE")) == "/elsewhere";
    }));
    ::unsetenv("XCOMPOSECACHE");
    if (::geteuid() == 0) {
        environment::use_compose_cache();
        EXPECT_EQ(std::getenv("XCOMPOSECACHE"), nullptr) << "libX11 keeps no cache for root";
    }
}
