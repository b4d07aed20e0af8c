#include "XClient.h"
#include "XServer.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string const title = "Pipkin! Sprout v2.3";

// Polls `holds` every 20 ms until it is true or the time is up.
bool eventually(std::function<bool()> const& holds, int timeout_ms = 5000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!holds()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string screen_size(XServer const& x)
{
    std::string out = x.run("xrandr");
    auto at = out.find("current ");
    return at == std::string::npos ? out : out.substr(at + 8, out.find(',', at) - at - 8);
}

// The logical buttons of physical buttons 1 to 3.
std::string first_buttons(XServer const& x)
{
    std::istringstream lines(x.run("xmodmap -pp"));
    std::string line, buttons;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int physical = 0, logical = 0;
        if (fields >> physical >> logical && physical >= 1 && physical <= 3)
            buttons += std::to_string(logical);
    }
    return buttons;
}

// Milliseconds of the first traced event containing `text`, -1 if none.
long traced_at(std::string const& trace, std::string const& text)
{
    auto at = trace.find(text);
    if (at == std::string::npos)
        return -1;
    auto line = trace.rfind('\n', at);
    return std::stol(trace.substr(line == std::string::npos ? 0 : line + 1));
}

// A 1024 x 768 screen that also offers 800 x 600 at the same (zero) rate,
// a stand-in panel and left-handed buttons.
struct SwitchingDesktop : ::testing::Test {
    XServer x { "1024x768x24" };
    XClient client { x.display() };
    TempFolder temp;
    std::string const folder = temp.bare_path();
    unsigned long dock = 0;

    SwitchingDesktop()
    {
        x.run("xrandr --newmode 800x600 0 800 800 800 800 600 600 600 600");
        x.run("xrandr --addmode screen 800x600");
        x.run("xmodmap -e 'pointer = 3 2 1'");
        dock = client.make_dock(1024, 32);
    }
    void SetUp() override { ASSERT_NE(x.run("xrandr").find("800x600 "), std::string::npos); }
};

}

TEST_F(SwitchingDesktop, TheRunIsAt800By600WithoutThePanelAndTheDesktopComesBackAtEveryEnd)
{
    ASSERT_EQ(first_buttons(x), "321");
    for (bool by_signal : { false, true }) {
        std::filesystem::remove(folder + "/trace.txt");
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        EXPECT_EQ(screen_size(x), "800 x 600");
        unsigned long window = client.find(title);
        ASSERT_NE(window, 0u);
        EXPECT_TRUE(eventually([&] {
            return x.run("xdotool getwindowgeometry " + std::to_string(window)).find("Geometry: 800x600")
                != std::string::npos;
        })) << "the window follows the screen";
        EXPECT_FALSE(client.mapped(dock));

        std::string trace = shell.trace();
        EXPECT_NE(trace.find("\tdisplay\t800x600@0\n"), std::string::npos) << trace;
        EXPECT_NE(trace.find("\tpanel\thidden\n"), std::string::npos);
        // Measured from the component just before the window's creation steps.
        std::cout << "switch at start: display " << traced_at(trace, "\tdisplay\t") - traced_at(trace, "\thotkey\t")
                  << " ms, first frame " << traced_at(trace, "\tfirst-frame") - traced_at(trace, "\thotkey\t")
                  << " ms after the creation steps began\n";

        if (by_signal)
            shell.signal(SIGTERM);
        else
            client.ask_to_close(window);
        EXPECT_EQ(shell.wait_exit(), 0);
        EXPECT_EQ(screen_size(x), "1024 x 768") << (by_signal ? "after SIGTERM" : "after a close");
        EXPECT_TRUE(client.mapped(dock));
        EXPECT_EQ(first_buttons(x), "321") << "the left-handed order stays";
        EXPECT_NE(shell.trace().find("\tpanel\tshown\n"), std::string::npos);
        EXPECT_TRUE(eventually([&] { return shell.guardians().empty(); }));
        EXPECT_EQ(shell.trace().find("\tguardian\t"), std::string::npos) << "the guardian had nothing to do";
    }
}

namespace {

// The shell ended by a signal it cannot catch while the screen is switched.
struct ShellDeath : SwitchingDesktop, ::testing::WithParamInterface<int> {
    // No core files of the crashes in the test's folders.
    ShellDeath()
    {
        rlimit none {};
        ::setrlimit(RLIMIT_CORE, &none);
    }
};

}

TEST_P(ShellDeath, TheGuardianPutsTheDesktopBackWithinASecond)
{
    ShellProcess shell(x, folder, { "HOME=" + folder });
    ASSERT_TRUE(shell.wait_for_trace("first-frame"));
    ASSERT_EQ(screen_size(x), "800 x 600");
    ASSERT_FALSE(client.mapped(dock));
    EXPECT_EQ(shell.guardians().size(), 1u) << "a guardian of its own";
    client.make_listener();
    x.run("xdotool key ctrl+alt+z");
    // As a death in the middle of the shell's own restore would leave it.
    x.run("xmodmap -e 'pointer = 1 2 3'");

    auto const signalled = std::chrono::steady_clock::now();
    shell.signal(GetParam());
    EXPECT_EQ(shell.wait_exit(), 128 + GetParam());
    EXPECT_TRUE(eventually(
        [&] { return screen_size(x) == "1024 x 768" && client.mapped(dock) && first_buttons(x) == "321"; }, 1000))
        << screen_size(x) << ", buttons " << first_buttons(x);
    std::cout << "desktop back " << std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - signalled).count()
              << " ms after " << strsignal(GetParam()) << '\n';
    x.run("xdotool key ctrl+alt+z");
    EXPECT_EQ(client.key_presses("z"), 1) << "held while the shell ran, released with its connection";
    EXPECT_TRUE(eventually([&] { return shell.guardians().empty(); })) << "the guardian ends after its restore";
    for (char const* hold : { "display", "panel", "pointer" })
        EXPECT_NE(shell.trace().find(std::string("\tguardian\trestored\t") + hold + "\n"), std::string::npos) << hold;
}

INSTANTIATE_TEST_SUITE_P(UncaughtSignals, ShellDeath, ::testing::Values(SIGKILL, SIGSEGV, SIGABRT),
    [](auto const& info) { return std::string(sigabbrev_np(info.param)); });

TEST_F(SwitchingDesktop, TwoSignalsInARowStillLeaveTheDesktopAsItWas)
{
    ShellProcess shell(x, folder, { "HOME=" + folder });
    ASSERT_TRUE(shell.wait_for_trace("first-frame"));
    shell.signal(SIGTERM);
    shell.signal(SIGINT);
    EXPECT_EQ(shell.wait_exit(), 0);
    EXPECT_EQ(screen_size(x), "1024 x 768");
    EXPECT_TRUE(client.mapped(dock));
}

TEST(Desktop, WithoutAnAlternativeAtItsRateTheScreenServesAsItIs)
{
    XServer x("1024x768x24");
    XClient client(x.display());
    TempFolder temp;
    std::string const folder = temp.bare_path();
    // 800 x 600 only at 60 Hz, while the screen runs at 0 Hz.
    x.run("xrandr --newmode 800x600_60 38.25 800 832 912 1024 600 603 607 624 -hsync +vsync");
    x.run("xrandr --addmode screen 800x600_60");
    ASSERT_NE(x.run("xrandr").find("800x600_60"), std::string::npos);
    unsigned long dock = client.make_dock(1024, 32);
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        EXPECT_EQ(screen_size(x), "1024 x 768");
        EXPECT_FALSE(client.mapped(dock)) << "start-up went on";
        EXPECT_EQ(shell.trace().find("\tmessage\t"), std::string::npos);
        EXPECT_EQ(shell.trace().find("\tdisplay\t"), std::string::npos);
        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
        EXPECT_EQ(screen_size(x), "1024 x 768");
        EXPECT_TRUE(client.mapped(dock));
    }
}

TEST(Desktop, CtrlAltZReachesNoOtherProgramWhileTheShellRuns)
{
    XServer x;
    XClient client(x.display());
    TempFolder temp;
    std::string const folder = temp.bare_path();
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        EXPECT_NE(shell.trace().find("\thotkey\tgrabbed\n"), std::string::npos);
        client.make_listener();
        x.run("xdotool key ctrl+alt+z");
        x.run("xdotool key ctrl+alt+z");
        x.run("xdotool key z");
        EXPECT_EQ(client.key_presses("z"), 1) << "only the plain z came through";
        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
        x.run("xdotool key ctrl+alt+z");
        EXPECT_EQ(client.key_presses("z"), 2) << "released at exit";
    }
}

TEST(Desktop, ThePackageFontIsAddedForTheShellAndTheProgramsItStartsAlone)
{
    XServer x;
    TempFolder temp;
    std::string const folder = temp.bare_path();
    std::string font = folder + "/ZEDO Pri.TTF";
    ASSERT_EQ(std::system(("/usr/bin/python3 " SPROUT_MAKE_FONT " " SPROUT_FONT_SOURCE " " SPROUT_FONT_LICENCE " '" + font
                              + "' '" + folder + "/licence.txt' 'ZEDO Primary' ZEDOPrimary-Regular >/dev/null")
                              .c_str()),
        0);
    std::string runtime = folder + "/run";
    std::filesystem::create_directory(runtime);
    std::string match = "fc-match -f '%{family}' 'ZEDO Primary'";
    ASSERT_EQ(x.run(match).find("ZEDO"), std::string::npos) << "not installed for everybody";
    {
        ShellProcess shell(x, folder, { "HOME=" + folder, "XDG_RUNTIME_DIR=" + runtime });
        ASSERT_TRUE(shell.wait_for_trace("\tfont\tadded\t" + font + "\n")) << shell.trace();
        EXPECT_EQ(x.run(match).find("ZEDO"), std::string::npos) << "other programs do not see it";
        // What the programs the shell starts are given.
        std::vector<std::filesystem::path> shared(std::filesystem::directory_iterator(runtime), {});
        ASSERT_EQ(shared.size(), 1u);
        EXPECT_EQ(x.run("FONTCONFIG_FILE='" + (shared[0] / "fonts.conf").string() + "' " + match), "ZEDO Primary");
        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
        EXPECT_NE(shell.trace().find("\tfont\tremoved\t" + font + "\n"), std::string::npos);
        EXPECT_TRUE(std::filesystem::is_empty(runtime)) << "nothing of the run is left";
    }
    {
        // So a shell that dies leaves no font behind for its guardian.
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_count("\tfont\tadded\t", 2));
        shell.signal(SIGKILL);
        EXPECT_EQ(shell.wait_exit(), 128 + SIGKILL);
        EXPECT_EQ(x.run(match).find("ZEDO"), std::string::npos);
    }
}

namespace {

// A window manager of its own on the test's server, ready once it has
// announced itself on the root window.
class WindowManager {
public:
    explicit WindowManager(XServer const& x)
    {
        m_pid = ::fork();
        if (m_pid == 0) {
            ::setenv("DISPLAY", x.display().c_str(), 1);
            ::execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        m_ready = eventually([&] { return x.run("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos; });
    }
    ~WindowManager()
    {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
    bool ready() const { return m_ready; }

private:
    pid_t m_pid { -1 };
    bool m_ready { false };
};

bool has(std::vector<std::string> const& atoms, std::string const& name)
{
    return std::find(atoms.begin(), atoms.end(), name) != atoms.end();
}

}

TEST(UnderAWindowManager, TheShellIsFullScreenWithTheFocusAndComesBackWithItFromAMinimise)
{
    XServer x;
    XClient client(x.display());
    WindowManager wm(x);
    ASSERT_TRUE(wm.ready());
    TempFolder temp;
    std::string const folder = temp.bare_path();
    unsigned long dock = client.make_dock(800, 32);
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        unsigned long window = 0;
        ASSERT_TRUE(eventually([&] { return (window = client.find(title)) != 0; }));
        std::string id = std::to_string(window);
        EXPECT_TRUE(eventually([&] { return has(client.atoms_of(window, "_NET_WM_STATE"), "_NET_WM_STATE_FULLSCREEN"); }));
        EXPECT_TRUE(eventually([&] { return x.run("xdotool getwindowgeometry " + id).find("Geometry: 800x600") != std::string::npos; }));
        EXPECT_TRUE(eventually([&] { return !client.mapped(dock); })) << "the dock is not over the window";
        EXPECT_TRUE(eventually([&] { return client.focus() == window; })) << "typing reaches the shell";

        x.run("xdotool windowminimize " + id);
        EXPECT_TRUE(eventually([&] { return !client.mapped(window); }));
        x.run("xdotool windowactivate " + id);
        EXPECT_TRUE(eventually([&] { return client.mapped(window) && client.focus() == window; }));
        // The window asks for full screen again once it is back.
        EXPECT_TRUE(eventually([&] { return has(client.atoms_of(window, "_NET_WM_STATE"), "_NET_WM_STATE_FULLSCREEN"); }));

        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
        EXPECT_TRUE(eventually([&] { return client.mapped(dock); }));
    }
}
