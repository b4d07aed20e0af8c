#include "widgets/TAntAnimate.h"

#include "PngFile.h"
#include "TestApp.h"
#include "framework/Random.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t red = platform::rgb(255, 0, 0);

// A frame whose left half is transparent and right half opaque red.
platform::Bitmap frame()
{
    platform::Bitmap b(75, 152, 0x00000000u);
    b.fill_rect(37, 0, 38, 152, red);
    return b;
}

platform::Bitmap background()
{
    platform::Bitmap b(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            b.at(x, y) = platform::rgb(x % 256, y % 256, (x / 256) * 60 + (y / 256));
    return b;
}

// A mascot created at virtual time 0 with every frame file in its folder, so
// its steps fall on multiples of 120 ms while it faces the front or talks.
struct Mascot : VirtualApp {
    TempFolder folder;
    TAntAnimate& ant = form.add<TAntAnimate>("ant");

    Mascot()
    {
        RandSeed(7);
        folder.make_folder("mascot");
        auto write = [&](std::string const& base, int count) {
            for (int n = 1; n <= count; ++n)
                pngfile::write(folder.path() + "mascot/" + base + "_" + std::to_string(n) + ".png", frame());
        };
        for (char const* base : { "front", "left", "right" })
            write(base, 6);
        write("no", 12);
        write("yes", 8);
    }

    void start() { ant.Setlibpath(folder.path() + "mascot/"); ant.StopTalking(); }

    // The frame name after each of the next `steps` steps of 120 ms.
    std::vector<std::string> face_steps(int steps)
    {
        run_for(60 - now() % 120 + (now() % 120 > 60 ? 120 : 0));
        std::vector<std::string> names;
        for (int i = 0; i < steps; ++i) {
            run_for(120);
            names.push_back(ant.framename());
        }
        return names;
    }

    // Each change of frame name and its time, sampled every 5 ms.
    std::vector<std::pair<platform::Millis, std::string>> changes(platform::Millis span)
    {
        std::vector<std::pair<platform::Millis, std::string>> seen;
        std::string last = ant.framename();
        for (platform::Millis end = now() + span; now() < end;) {
            run_for(5);
            if (ant.framename() != last)
                seen.emplace_back(now(), last = ant.framename());
        }
        return seen;
    }
};

std::string base_of(std::string const& name) { return name.substr(0, name.find('_')); }

}

TEST(AntAnimate, WithoutFolderStopTalkingRunsNoSteps)
{
    Mascot t;
    t.ant.StopTalking();
    EXPECT_FALSE(t.ant.Animate());
    EXPECT_TRUE(t.changes(2000).empty());
    t.start();
    EXPECT_TRUE(t.ant.Animate());
    EXPECT_EQ(t.ant.Mode(), 1);
}

TEST(AntAnimate, IdleShowsOnlyTheFrontRestAndSecondFrame)
{
    Mascot t;
    t.start();
    std::set<std::string> names;
    for (auto const& n : t.face_steps(120))
        names.insert(n);
    EXPECT_EQ(names, (std::set<std::string> { "front_1.png", "front_6.png" }));
}

TEST(AntAnimate, TalkingPicksADirectionOnEverySixthStep)
{
    Mascot t;
    t.start();
    t.ant.StartTalking();
    EXPECT_EQ(t.ant.Mode(), 2);
    auto names = t.face_steps(60);
    std::set<std::string> bases;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string base = base_of(names[i]);
        bases.insert(base);
        int n = names[i][names[i].size() - 5] - '0';
        EXPECT_TRUE(n >= 1 && n <= 6) << names[i];
        std::size_t step = i + 1;
        if (step < 6) {
            EXPECT_EQ(base, "front") << "step " << step;
        } else if (step % 6 != 0) {
            EXPECT_EQ(base, base_of(names[i - 1])) << "step " << step;
        }
    }
    EXPECT_EQ(bases, (std::set<std::string> { "front", "left", "right" }));
}

TEST(AntAnimate, NoAndYesLoopsCycleAtTheirPace)
{
    Mascot t;
    t.start();
    struct Loop {
        int mode;
        char const* base;
        int length;
        platform::Millis pace;
    };
    for (Loop loop : { Loop { 4, "no", 12, 50 }, Loop { 3, "yes", 8, 80 } }) {
        t.ant.SetMode(loop.mode);
        auto seen = t.changes(loop.pace * (loop.length + 3) + 120);
        ASSERT_GE(seen.size(), std::size_t(loop.length + 2));
        for (int i = 0; i <= loop.length; ++i) {
            EXPECT_EQ(seen[std::size_t(i)].second, std::string(loop.base) + "_" + std::to_string(i % loop.length + 1) + ".png");
            if (i > 0) {
                EXPECT_EQ(seen[std::size_t(i)].first - seen[std::size_t(i - 1)].first, loop.pace);
            }
        }
    }
    t.ant.SetMode(7);
    EXPECT_EQ(t.ant.Mode(), 3);
}

TEST(AntAnimate, TransparentPixelsShowTheBackgroundBehindTheControl)
{
    Mascot t;
    t.ant.ObjOffsetx = 8;
    t.ant.ObjOffsety = 448;
    // An empty background gives white.
    t.start();
    EXPECT_EQ(t.ant.framebuffer().at(0, 0), platform::rgb(255, 255, 255));

    platform::Bitmap bg = background();
    TPicture picture;
    picture.set_bitmap(bg, platform::ImageFormat::Jpeg);
    t.ant.SetBackgroundImg(&picture);
    auto const& fb = t.ant.framebuffer();
    ASSERT_EQ(fb.width, 75);
    ASSERT_EQ(fb.height, 152);
    for (int y = 0; y < 152; y += 7) {
        for (int x = 0; x < 37; x += 3)
            EXPECT_EQ(fb.at(x, y), bg.at(x + 8, y + 448)) << x << "," << y;
        EXPECT_EQ(fb.at(50, y), red);
    }
}

TEST(AntAnimate, ABadFrameFileIsLeftOutLikeAMissingOne)
{
    Mascot t;
    int errors = 0;
    t.app.loop().on_error = [&](std::exception_ptr) { ++errors; };
    std::ofstream(t.folder.path() + "mascot/no_3.png") << "not a picture";
    std::ofstream(t.folder.path() + "mascot/front_1.png") << "";
    platform::Bitmap bg = background();
    TPicture picture;
    picture.set_bitmap(bg, platform::ImageFormat::Jpeg);
    t.ant.SetBackgroundImg(&picture);
    t.start(); // composes the broken front_1 at once: nothing reaches the caller
    EXPECT_EQ(t.ant.framebuffer().at(50, 10), bg.at(50, 10)) << "only the backdrop where the frame would be";

    t.ant.SetMode(4);
    for (int i = 0; i < 400 && t.ant.framename() != "no_3.png"; ++i)
        t.run_for(5);
    ASSERT_EQ(t.ant.framename(), "no_3.png");
    EXPECT_EQ(t.ant.framebuffer().at(50, 10), bg.at(50, 10));
    t.run_for(1000);
    EXPECT_TRUE(t.ant.animating()) << "the loop goes on past the bad frame";
    EXPECT_NE(t.ant.framename(), "no_3.png");
    EXPECT_EQ(errors, 0);
}

TEST(AntAnimate, DestroyedWhileAnimating)
{
    Mascot t;
    t.start();
    t.ant.StartTalking();
    t.run_for(1000);
    auto second = std::make_unique<TAntAnimate>(&t.form);
    second->Setlibpath(t.folder.path() + "mascot/");
    second->SetMode(4);
    t.run_for(500);
    second.reset();
    SUCCEED();
}
