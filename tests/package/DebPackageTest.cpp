// Builds the Debian package from the build tree, checks what it installs and
// how the packaging tools judge it, and starts the launcher from a copy
// unpacked into a throw-away root.
#include "Screenshots.h"
#include "XServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string output;
};

// Runs a shell command line, standard error with standard output.
Outcome run(std::string const& command)
{
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return { -1, "cannot run " + command };
    std::string out;
    std::array<char, 4096> chunk;
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), p))
        out.append(chunk.data(), n);
    int status = ::pclose(p);
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, out };
}

std::string quoted(fs::path const& path) { return "'" + path.string() + "'"; }

std::string read_text(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

bool is_elf(fs::path const& path) { return read_text(path).starts_with("\x7f" "ELF"); }

bool executable(fs::path const& path)
{
    return (fs::status(path).permissions() & fs::perms::others_exec) != fs::perms::none;
}

std::vector<std::string> lines_starting(std::string const& text, std::string const& start)
{
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(start))
            found.push_back(line);
    return found;
}

fs::path const demo_package = SPROUT_DEMO_PACKAGE;
fs::path const install_folder = "usr/share/games/pipkin-sprout";
fs::path const program_folder = "usr/lib/games/pipkin-sprout";

class DebPackage : public ::testing::Test {
protected:
    // Made once: building and unpacking the package takes several seconds.
    static void SetUpTestSuite()
    {
        folder = std::make_unique<TempFolder>();
        work = folder->bare_path();
        Outcome made = run("cd " SPROUT_BUILD_DIR " && cpack --config CPackConfig.cmake -B " + quoted(work));
        for (auto const& entry : fs::directory_iterator(work))
            if (entry.path().extension() == ".deb")
                deb = entry.path();
        ASSERT_FALSE(deb.empty()) << made.output;
        root = work / "root";
        Outcome unpacked = run("dpkg -x " + quoted(deb) + " " + quoted(root));
        ASSERT_EQ(unpacked.status, 0) << unpacked.output;
    }
    static void TearDownTestSuite() { folder.reset(); }

    void SetUp() override { ASSERT_FALSE(deb.empty()); }

    static std::string field(std::string const& name) { return run("dpkg-deb -f " + quoted(deb) + " " + name).output; }

    static inline std::unique_ptr<TempFolder> folder;
    static inline fs::path work, deb, root;
};

}

TEST_F(DebPackage, IsNamedAfterItsVersionAndArchitectureAndDependsOnWhatItLinks)
{
    std::string const arch = run("dpkg --print-architecture").output;
    EXPECT_EQ(deb.filename().string(), "pipkin-sprout_2.3.0-1_" + arch.substr(0, arch.find('\n')) + ".deb");
    std::string const depends = field("Depends");
    for (char const* package : { "timgm6mb-soundfont", "libsdl2-2.0-0", "libsdl2-ttf-2.0-0", "libfluidsynth3",
             "libjpeg62-turbo", "libpng16-16", "libxrandr2", "libfontconfig1" })
        EXPECT_NE(depends.find(package), std::string::npos) << package << " in " << depends;
    EXPECT_EQ(field("Recommends"), "pavucontrol, cage\n");
    EXPECT_EQ(field("Section"), "games\n");
}

TEST_F(DebPackage, EveryFileOfTheDemoContentIsInTheInstallFolderAndNoProgramLiesUnderShare)
{
    int programs = 0;
    for (auto const& entry : fs::recursive_directory_iterator(demo_package)) {
        if (!entry.is_regular_file())
            continue;
        fs::path const relative = fs::relative(entry.path(), demo_package);
        fs::path const installed = root / install_folder / relative;
        SCOPED_TRACE(relative.string());
        if (!is_elf(entry.path())) {
            ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(installed)));
            EXPECT_EQ(read_text(installed), read_text(entry.path()));
            continue;
        }
        ++programs;
        // A relative link, so an unpacked copy starts its own programs.
        ASSERT_TRUE(fs::is_symlink(installed));
        EXPECT_TRUE(fs::read_symlink(installed).is_relative());
        fs::path const target = fs::canonical(installed);
        EXPECT_EQ(target, fs::canonical(root / program_folder / relative));
        EXPECT_TRUE(is_elf(target));
        EXPECT_TRUE(executable(target));
    }
    EXPECT_GE(programs, 9) << "the nine activity programs";

    for (auto const& entry : fs::recursive_directory_iterator(root / "usr/share"))
        if (!entry.is_symlink() && entry.is_regular_file()) {
            EXPECT_FALSE(is_elf(entry.path())) << entry.path();
        }
}

TEST_F(DebPackage, InstallsTheLauncherToolsAndDesktopFiles)
{
    fs::path const launcher = root / "usr/games/pipkin-sprout";
    EXPECT_TRUE(read_text(launcher).starts_with("#!/bin/sh\n"));
    EXPECT_TRUE(executable(launcher));
    for (fs::path program : { root / program_folder / "pipkin-sprout", root / program_folder / "sprout-guardian",
             root / program_folder / "sprout-restore", root / "usr/games/sprout-register" }) {
        EXPECT_TRUE(is_elf(program)) << program;
        EXPECT_TRUE(executable(program)) << program;
    }
    for (char const* size : { "48x48", "64x64", "128x128", "256x256" })
        EXPECT_TRUE(read_text(root / "usr/share/icons/hicolor" / size / "apps/pipkin-sprout.png").starts_with("\x89PNG"))
            << size;
    EXPECT_NE(read_text(root / "usr/share/icons/hicolor/scalable/apps/pipkin-sprout.svg").find("<svg"),
        std::string::npos);
    for (char const* file : { "usr/share/man/man6/pipkin-sprout.6.gz", "usr/share/man/man6/sprout-register.6.gz",
             "usr/share/doc/pipkin-sprout/copyright", "usr/share/doc/pipkin-sprout/changelog.Debian.gz",
             "usr/share/metainfo/org.pipkinsprout.PipkinSprout.metainfo.xml" })
        EXPECT_TRUE(fs::is_regular_file(root / file)) << file;

    std::string const entry = read_text(root / "usr/share/applications/pipkin-sprout.desktop");
    for (char const* line : { "\nExec=/usr/games/pipkin-sprout\n", "\nPath=/usr/share/games/pipkin-sprout\n",
             "\nCategories=Game;Education;KidsGame;\n", "\nIcon=pipkin-sprout\n" })
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    std::string const session = read_text(root / "usr/share/wayland-sessions/pipkin-sprout.desktop");
    EXPECT_NE(session.find("\nExec=cage -d -- /usr/games/pipkin-sprout\n"), std::string::npos) << session;

    // Everything belongs to root; the shared data folder is the maintainer
    // scripts' to make, with a mode dpkg would not ship.
    Outcome listing = run("dpkg-deb -c " + quoted(deb));
    EXPECT_EQ(listing.status, 0);
    std::istringstream lines(listing.output);
    for (std::string line; std::getline(lines, line);)
        EXPECT_NE(line.find(" root/root "), std::string::npos) << line;
    EXPECT_EQ(listing.output.find("./var/"), std::string::npos);
}

TEST_F(DebPackage, PassesThePackagingToolsChecks)
{
    for (char const* entry : { "usr/share/applications/pipkin-sprout.desktop",
             "usr/share/wayland-sessions/pipkin-sprout.desktop" }) {
        Outcome desktop = run("desktop-file-validate " + quoted(root / entry));
        EXPECT_EQ(desktop.status, 0) << entry << '\n' << desktop.output;
        EXPECT_TRUE(lines_starting(desktop.output, "error").empty()) << entry << '\n' << desktop.output;
    }

    Outcome metainfo = run("appstreamcli validate --no-net "
        + quoted(root / "usr/share/metainfo/org.pipkinsprout.PipkinSprout.metainfo.xml"));
    EXPECT_EQ(metainfo.status, 0) << metainfo.output;

    Outcome lintian = run("lintian " + quoted(deb));
    EXPECT_TRUE(lines_starting(lintian.output, "E:").empty()) << lintian.output;
    std::cout << "lintian:\n" << lintian.output;
}

TEST_F(DebPackage, TheUnpackedLauncherBringsUpTheIntroWithItsTune)
{
    XServer x;
    std::string const elsewhere = work / "elsewhere";
    fs::create_directories(elsewhere);
    ShellProcess shell(x, elsewhere,
        { "HOME=" + elsewhere, "XDG_DATA_HOME=" + elsewhere + "/data", "SDL_AUDIODRIVER=disk",
            "SDL_DISKAUDIOFILE=" + elsewhere + "/audio.raw" },
        elsewhere, root / "usr/games/pipkin-sprout");
    ASSERT_TRUE(shell.wait_for_trace("first-frame", 20000)) << shell.trace();
    fs::path const tune = fs::canonical(root / install_folder) / "Music/pipkin.mid";
    EXPECT_TRUE(shell.wait_for_trace("\tmusic\t" + tune.string())) << shell.trace();

    auto lit = [](platform::Bitmap const& s) {
        int black = 0;
        for (int y = 0; y < s.height; y += 20)
            for (int x = 0; x < s.width; x += 20)
                black += (s.at(x, y) & 0xffffff) == 0;
        return s.width == 800 && black < (s.width / 20) * (s.height / 20) / 10;
    };
    EXPECT_TRUE(lit(e2e::settled_screenshot(x, elsewhere, lit))) << "the screen stayed black";

    // Its guardian lies beside it, and so does the restore it becomes: the
    // pointer mapping found is all a killed shell on this screen leaves it.
    EXPECT_EQ(shell.guardians().size(), 1u);
    shell.signal(SIGKILL);
    EXPECT_EQ(shell.wait_exit(), 128 + SIGKILL);
    EXPECT_TRUE(shell.wait_for_trace("\tguardian\trestored\tpointer\n")) << shell.trace();
}
