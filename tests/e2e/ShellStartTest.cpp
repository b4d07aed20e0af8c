#include "XServer.h"

#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

std::string temp_folder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sprout-e2e-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

platform::Bitmap screenshot(XServer const& x, std::string const& folder)
{
    std::string path = folder + "/shot.png";
    x.run("import -window root " + path);
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), {});
    return platform::decode_png(data);
}

int channel_distance(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift : { 0, 8, 16 })
        d = std::max(d, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
    return d;
}

}

TEST(ShellStart, ComesUpAt00WithItsBackgroundAndEndsCleanlyOnSigterm)
{
    XServer x;
    std::string folder = temp_folder(); // an install folder with nothing in it
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));

        std::string geometry = x.run("xdotool search --name 'Pipkin! Sprout v2.3' getwindowgeometry");
        EXPECT_NE(geometry.find("Position: 0,0"), std::string::npos) << geometry;
        EXPECT_NE(geometry.find("Geometry: 800x600"), std::string::npos) << geometry;

        auto stored = resources::stored_picture("backimage.jpg");
        auto background = platform::decode_jpeg(stored);
        auto shot = screenshot(x, folder);
        ASSERT_EQ(shot.width, 800);
        for (auto [px, py] : { std::pair { 10, 10 }, { 400, 300 }, { 680, 110 }, { 790, 590 } })
            EXPECT_LE(channel_distance(shot.at(px, py), background.at(px, py)), 2) << px << "," << py;

        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
        EXPECT_NE(shell.trace().find("\texit"), std::string::npos);
    }
    std::filesystem::remove_all(folder);
}

TEST(ShellStart, SighupAndSigintCloseLikeANormalExit)
{
    XServer x;
    std::string folder = temp_folder();
    for (int sig : { SIGHUP, SIGINT }) {
        std::filesystem::remove(folder + "/trace.txt");
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        shell.signal(sig);
        EXPECT_EQ(shell.wait_exit(), 0) << sig;
        EXPECT_NE(shell.trace().find("\texit"), std::string::npos) << sig;
    }
    std::filesystem::remove_all(folder);
}

TEST(ShellStart, OnAWiderScreenTheCanvasIsScaledWithItsAspectKept)
{
    XServer x("1280x800x24");
    std::string folder = temp_folder();
    {
        ShellProcess shell(x, folder, { "HOME=" + folder });
        ASSERT_TRUE(shell.wait_for_trace("first-frame"));
        auto shot = screenshot(x, folder);
        ASSERT_EQ(shot.width, 1280);
        // 800 x 600 scaled by 4/3 is 1067 x 800, centred: bars of the
        // window colour on both sides.
        std::uint32_t face = platform::rgb(212, 208, 200);
        EXPECT_LE(channel_distance(shot.at(40, 400), face), 2);
        EXPECT_LE(channel_distance(shot.at(1240, 400), face), 2);
        auto background = platform::decode_jpeg(resources::stored_picture("backimage.jpg"));
        // The canvas centre lands on the screen centre.
        EXPECT_LE(channel_distance(shot.at(640, 400), background.at(400, 300)), 8);
        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
    }
    std::filesystem::remove_all(folder);
}
