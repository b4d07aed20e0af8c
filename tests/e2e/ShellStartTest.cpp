#include "Screenshots.h"
#include "XServer.h"

#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

using e2e::channel_distance;
using e2e::settled_screenshot;

TEST(ShellStart, ComesUpAt00WithItsBackgroundAndEndsCleanlyOnSigterm)
{
    XServer x;
    TempFolder temp; // an install folder with nothing in it
    std::string const folder = temp.bare_path();
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));

        std::string geometry = x.run("xdotool search --name 'Pipkin! Sprout v2.3' getwindowgeometry");
        EXPECT_NE(geometry.find("Position: 0,0"), std::string::npos) << geometry;
        EXPECT_NE(geometry.find("Geometry: 800x600"), std::string::npos) << geometry;

        auto stored = resources::stored_picture("backimage.jpg");
        auto background = platform::decode_jpeg(stored);
        auto const points = { std::pair { 10, 10 }, { 400, 300 }, { 680, 110 }, { 790, 590 } };
        auto shot = settled_screenshot(x, folder, [&](platform::Bitmap const& s) {
            return s.width == 800 && s.height == 600 && std::all_of(points.begin(), points.end(),
                [&](auto p) { return channel_distance(s.at(p.first, p.second), background.at(p.first, p.second)) <= 2; });
        });
        ASSERT_EQ(shot.width, 800);
        for (auto [px, py] : points)
            EXPECT_LE(channel_distance(shot.at(px, py), background.at(px, py)), 2) << px << "," << py;

        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
        EXPECT_NE(shell.trace().find("\texit"), std::string::npos);
    }
}

TEST(ShellStart, SighupAndSigintCloseLikeANormalExit)
{
    XServer x;
    TempFolder temp;
    std::string const folder = temp.bare_path();
    for (int sig : { SIGHUP, SIGINT }) {
        std::filesystem::remove(folder + "/trace.txt");
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        shell.signal(sig);
        EXPECT_EQ(shell.wait_exit(), 0) << sig;
        EXPECT_NE(shell.trace().find("\texit"), std::string::npos) << sig;
    }
}

TEST(ShellStart, OnAWiderScreenTheCanvasIsScaledWithItsAspectKept)
{
    XServer x("1280x800x24");
    TempFolder temp;
    std::string const folder = temp.bare_path();
    // The switch turned off: the shell runs at the desktop's own size.
    std::ofstream(folder + "/displaysettings.txt") << "SET=NO\r\n";
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        // 800 x 600 scaled by 4/3 is 1067 x 800, centred: bars of the
        // window colour on both sides.
        std::uint32_t face = platform::rgb(212, 208, 200);
        auto background = platform::decode_jpeg(resources::stored_picture("backimage.jpg"));
        auto shot = settled_screenshot(x, folder, [&](platform::Bitmap const& s) {
            return s.width == 1280 && s.height == 800
                && channel_distance(s.at(640, 400), background.at(400, 300)) <= 8;
        });
        ASSERT_EQ(shot.width, 1280);
        EXPECT_LE(channel_distance(shot.at(40, 400), face), 2);
        EXPECT_LE(channel_distance(shot.at(1240, 400), face), 2);
        // The canvas centre lands on the screen centre.
        EXPECT_LE(channel_distance(shot.at(640, 400), background.at(400, 300)), 8);
        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
    }
}
