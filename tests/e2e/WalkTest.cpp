// A child's walk through the demo package under Xvfb: the intro, English, a
// name typed, the menu explored by pointing, back to the language screen and
// a second choice, and out.
#include "ChildWalk.h"

#include "activities/StudentRegister.h"
#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

platform::Bitmap screenshot(XServer const& x, std::string const& folder)
{
    std::string path = folder + "/shot.png";
    x.run("import -window root " + path);
    return platform::decode_png(read_file(path));
}

int channel_distance(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift : { 0, 8, 16 })
        d = std::max(d, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
    return d;
}

// The time of each traced line with `event` and `field`, in trace order.
std::vector<long> times_of(std::string const& trace, std::string const& event, std::string const& field = {})
{
    std::vector<long> times;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string time, name;
        std::getline(fields, time, '\t');
        std::getline(fields, name, '\t');
        if (name == event && line.find(field) != std::string::npos)
            times.push_back(std::stol(time));
    }
    return times;
}

struct Walk : ChildWalk {
    void start(std::vector<std::string> extra_env = {}) { start_in(SPROUT_DEMO_PACKAGE, std::move(extra_env)); }

    // From the language screen: English, the name typed and confirmed, and
    // the menu with its instruction spoken.
    void to_the_menu_in_english(std::string const& name)
    {
        click(click_target::engbut);
        ASSERT_TRUE(wait("menu/m_13e.jpg"));
        ASSERT_TRUE(wait("sounds_eng/a_1.wav"));
        ASSERT_TRUE(wait("focus\tnameedit"));
        type(name);
        click(click_target::okbut);
        ASSERT_TRUE(wait("menu/m_14e.jpg"));
        ASSERT_TRUE(wait("voice-end\t" + std::string(SPROUT_DEMO_PACKAGE) + "/sounds_eng/a_2.wav"));
    }

    // The shell's window as the X server sees it: "IsViewable" on screen,
    // "IsUnMapped" when taken off it.
    std::string shell_map_state() const
    {
        std::string info = x.run("xwininfo -name 'Pipkin! Sprout v2.3'");
        auto at = info.find("Map State: ");
        return at == std::string::npos ? info : info.substr(at + 11, info.find('\n', at) - at - 11);
    }
};

}

TEST_F(Walk, FromTheIntroThroughANameAndTheMenuAndOut)
{
    start();
    ASSERT_TRUE(wait("visible\tafrbut\t1"));
    std::string trace = shell->trace();
    long activated = times_of(trace, "first-frame").at(0);
    for (int k = 1; k <= 12; ++k) {
        auto at = times_of(trace, "background", "/menu/m_" + std::to_string(k) + ".jpg");
        ASSERT_FALSE(at.empty()) << k;
        EXPECT_NEAR(double(at[0] - activated), k * 350.0, 60 + 10.0 * k) << "intro frame " << k;
    }

    to_the_menu_in_english("Anna");
    if (HasFatalFailure())
        return;
    // The instruction counts as heard 100 ms after its end; names come after that.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    std::string const stored = register_contents();
    EXPECT_NE(stored.find("anna"), std::string::npos);
    EXPECT_EQ(stored.find("Anna"), std::string::npos);

    ClickTarget const maths = click_target::zone("Image3");
    point(maths);
    ASSERT_TRUE(wait("hover\tImage3"));
    ASSERT_TRUE(wait("voice-end\t" + std::string(SPROUT_DEMO_PACKAGE) + "/sounds_eng/m3.wav"));
    point({ maths.x + 28, maths.y + 20 });
    point({ maths.x - 12, maths.y - 20 });
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(shell->count("sounds_eng/m3.wav"), 2u); // its voice line and its end

    // The thinking overlay, on screen where it belongs.
    point(click_target::thinking_item);
    ASSERT_TRUE(wait("visible\tdenke_ovr\t1"));
    auto overlay = platform::decode_png(resources::stored_picture("denke_ovr.png"));
    auto background = platform::decode_jpeg(read_file(std::string(SPROUT_DEMO_PACKAGE) + "/menu/m_14e.jpg"));
    int checked = 0;
    platform::Bitmap shot;
    for (int attempt = 0; attempt < 20 && checked == 0; ++attempt) {
        shot = screenshot(x, work.bare_path());
        for (int y = 10; y < overlay.height; y += 17)
            for (int x_ = 10; x_ < overlay.width; x_ += 23) {
                std::uint32_t p = overlay.at(x_, y);
                if ((p >> 24) != 0xff || channel_distance(p, background.at(216 + x_, 224 + y)) < 40)
                    continue;
                ++checked;
                EXPECT_LE(channel_distance(shot.at(216 + x_, 224 + y), p), 24) << x_ << "," << y;
            }
    }
    EXPECT_GT(checked, 0);

    click(click_target::backbut);
    ASSERT_TRUE(wait("menu/m_11.jpg", 3));
    click(click_target::afrbut);
    ASSERT_TRUE(wait("menu/m_13a.jpg"));
    ASSERT_TRUE(wait("sounds_afr/a_1.wav"));

    click(click_target::exitbut);
    ASSERT_TRUE(wait("sounds_afr/a_17.wav"));
    ASSERT_TRUE(wait("visible\tadvertform\t1"));
    click(click_target::farewell_exit);
    EXPECT_EQ(shell->wait_exit(20000), 0);
}

TEST_F(Walk, MathsRunsWithTheSevenFieldsWhileTheShellStepsAsideAndComesBackSpeaking)
{
    std::string log = work.bare_path() + "/activity.log";
    start({ "SPROUT_ACTIVITY_LOG=" + log });
    ASSERT_TRUE(wait("visible\tafrbut\t1"));
    to_the_menu_in_english("Anna");
    if (HasFatalFailure())
        return;
    ASSERT_EQ(shell_map_state(), "IsViewable");

    std::string const package = std::string(SPROUT_DEMO_PACKAGE) + "/";
    click(click_target::zone("Image3"));
    ASSERT_TRUE(wait("start\t" + package + "maths/maths.exe"));
    ASSERT_TRUE(wait("window\tminimised"));
    std::string line;
    for (int attempt = 0; attempt < 100 && line.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(log);
        std::getline(in, line);
    }
    // The data folder is the profile line lower-cased, as the shell reads it.
    std::string data = work.bare_path() + "/documents/";
    for (auto& c : data)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(line, "*" + package + "#\t*anna#\t*#\t*#\t*TRUE#\t*ENG#\t*" + data + "#");
    EXPECT_EQ(shell_map_state(), "IsUnMapped");

    // Escape reaches the activity once its window is up: the only window on
    // the screen, under the pointer.
    ASSERT_TRUE(close_activity());
    ASSERT_TRUE(wait("finished\t" + package + "maths/maths.exe", 1, 5000));
    ASSERT_TRUE(wait("window\tmaximised"));
    ASSERT_TRUE(wait("voice-end\t" + package + "sounds_eng/a_2.wav", 2));
    EXPECT_EQ(shell_map_state(), "IsViewable");
    EXPECT_EQ(shell->count("\tstart\t"), 1u);

    // The activity counted its run in the register the shell wrote anna to.
    StudentSlots slots;
    ReadStudents(data, slots);
    EXPECT_EQ(slots[0].name(), "anna");
    EXPECT_EQ(slots[0].counter(4, 1), 1);
    EXPECT_EQ(slots[0].counter(12, 1), 1);
    EXPECT_EQ(slots[1].number(), 0);

    shell->signal(SIGTERM);
    EXPECT_EQ(shell->wait_exit(), 0);
}

TEST_F(Walk, TheReportButtonShowsTheProgressOfTheStudentOnTheMenu)
{
    start();
    ASSERT_TRUE(wait("visible\tafrbut\t1"));
    to_the_menu_in_english("Anna");
    if (HasFatalFailure())
        return;
    std::string const package = std::string(SPROUT_DEMO_PACKAGE) + "/";
    click(click_target::reportbut);
    ASSERT_TRUE(wait("start\t" + package + "progress/progress.exe"));
    // The report traces into the shell's trace, which its environment names.
    ASSERT_TRUE(wait("\treport\tready\tanna"));
    ASSERT_TRUE(close_activity("Progress"));
    ASSERT_TRUE(wait("finished\t" + package + "progress/progress.exe", 1, 5000));
    ASSERT_TRUE(wait("window\tmaximised"));
    shell->signal(SIGTERM);
    EXPECT_EQ(shell->wait_exit(), 0);
}
