// The progress report of the demo package under Xvfb, started as the shell
// starts it: its bars, its words for a damaged register, and its ways out.
#include "Screenshots.h"
#include "XServer.h"

#include "activities/StudentRegister.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string const package = std::string(SPROUT_DEMO_PACKAGE) + "/";

// Where the report draws the bar of slot s, as the canvas lays it out.
constexpr int bar_left = 330;
constexpr int bar_unit = 24;
int bar_middle(int slot) { return 116 + (slot - 1) * 36 + 11; }

std::uint32_t constexpr maths_blue = 0xff2d78e1;
std::uint32_t constexpr track = 0xffe8ecf2;
std::uint32_t constexpr message_band = 0xff508ce6;

struct Report : ::testing::Test {
    XServer x;
    TempFolder temp;
    std::string const work = temp.bare_path();
    std::string data = work + "/data/";
    pid_t pid = -1;

    Report() { std::filesystem::create_directories(data); }
    ~Report() override
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    void start(std::string const& student, std::string const& language)
    {
        std::vector<std::string> args { package + "progress/progress.exe", "*" + package + "#", "*" + student + "#",
            "*#", "*#", "*TRUE#", "*" + language + "#", "*" + data + "#" };
        std::vector<std::string> env { "DISPLAY=" + x.display(), "SPROUT_TRACE=" + work + "/trace",
            "HOME=" + work };
        pid = ::fork();
        if (pid == 0) {
            std::vector<char*> argv, envp;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            for (auto& e : env)
                envp.push_back(e.data());
            envp.push_back(nullptr);
            if (::chdir(package.c_str()) != 0)
                ::_exit(126);
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
    }

    bool traced(std::string const& line, int timeout_ms = 10000) const
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(work + "/trace");
            std::string trace((std::istreambuf_iterator<char>(in)), {});
            if (trace.find(line) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // The exit status, or -1 when the report did not end in time.
    int wait_exit(int timeout_ms = 10000)
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    bool window_shown() const
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (!x.run("xdotool search --onlyvisible --name '^Progress$'").empty())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
};

bool near(std::uint32_t a, std::uint32_t b) { return e2e::channel_distance(a, b) <= 12; }

// Pixels of the canvas region that are nearly white.
int white_pixels(platform::Bitmap const& shot, int left, int top, int right, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += near(shot.at(x, y), 0xffffffff);
    return n;
}

}

TEST_F(Report, ShowsTheStudentWithABarAsLongAsThreePlays)
{
    ASSERT_EQ(AddStudent(12, 1, "anna", "", "", data), 1);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(CountPlay(4, "anna", "", "", data), 1);
    ASSERT_EQ(CountPlay(1, "anna", "", "", data), 1);
    ASSERT_EQ(CountPlay(6, "bert", "", "", data), 2);

    start("anna", "ENG");
    ASSERT_TRUE(traced("\treport\tready\tanna\n"));
    ASSERT_TRUE(window_shown());
    int const y = bar_middle(4), end = bar_left + 3 * bar_unit;
    auto shot = e2e::settled_screenshot(x, work, [&](platform::Bitmap const& s) {
        return near(s.at(bar_left + 1, y), maths_blue) && near(s.at(end + 3, y), track);
    });
    ASSERT_EQ(shot.width, 800);
    for (int x_ = bar_left; x_ < end; ++x_)
        EXPECT_TRUE(near(shot.at(x_, y), maths_blue)) << x_;
    for (int x_ = end + 1; x_ < end + 8; ++x_)
        EXPECT_TRUE(near(shot.at(x_, y), track)) << x_;
    // One play is a third of it; an activity never played has no bar.
    EXPECT_TRUE(near(shot.at(bar_left + bar_unit - 2, bar_middle(1)), 0xffdd4040));
    EXPECT_TRUE(near(shot.at(bar_left + bar_unit + 2, bar_middle(1)), track));
    EXPECT_TRUE(near(shot.at(bar_left + 1, bar_middle(2)), track));
    // The name is written in white on the band at the top left.
    EXPECT_GT(white_pixels(shot, 24, 40, 140, 82), 150);

    x.run("xdotool key Escape");
    EXPECT_EQ(wait_exit(), 0);
}

TEST_F(Report, ADamagedRegisterGetsAFriendlyWordAndTheExitButtonEndsIt)
{
    std::ofstream(data + "students.dat", std::ios::binary) << std::string(700, 'x');
    start("anna", "AFR");
    ASSERT_TRUE(traced("\treport\tdamaged\tanna\n"));
    ASSERT_TRUE(window_shown());
    auto shot = e2e::settled_screenshot(
        x, work, [](platform::Bitmap const& s) { return near(s.at(100, 200), message_band); });
    EXPECT_TRUE(near(shot.at(100, 200), message_band));
    // The words on it, in white.
    EXPECT_GT(white_pixels(shot, 100, 220, 700, 400), 500);
    // Nothing was written to mend it.
    EXPECT_EQ(std::filesystem::file_size(data + "students.dat"), 700u);

    x.run("xdotool mousemove 754 45 click 1");
    EXPECT_EQ(wait_exit(), 0);
}
