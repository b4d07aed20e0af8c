#include "ClickTargets.h"
#include "Screenshots.h"
#include "XServer.h"

#include "platform/Files.h"
#include "platform/ImageDecoder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using e2e::channel_distance;

constexpr int view_left = 77, view_top = 64, view_width = 642, view_height = 475;

bool inside_view(int x, int y)
{
    return x >= view_left && y >= view_top && x < view_left + view_width && y < view_top + view_height;
}

// The advert, 620 pixels wide, sits 3 pixels in from the view's left beside
// its 16-pixel bar; `scrolled` rows of it are above the view.
bool shows_advert(platform::Bitmap const& shot, platform::Bitmap const& advert, int scrolled)
{
    if (shot.width != 800 || shot.height != 600)
        return false;
    for (int y = 0; y < view_height; y += 37)
        for (int x = 0; x < advert.width; x += 41)
            if (channel_distance(shot.at(view_left + 3 + x, view_top + y), advert.at(x, y + scrolled)) > 2)
                return false;
    return true;
}

bool green(std::uint32_t c)
{
    int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
    return g > 100 && g > r + 40 && g > b + 40;
}

bool yellow(std::uint32_t c)
{
    int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
    return r > 180 && g > 100 && b < 100;
}

}

TEST(Farewell, TheExitShowsTheAdvertsTopAWheelTurnScrollsItAndItsButtonEndsTheShell)
{
    XServer x;
    TempFolder temp;
    std::string const work = temp.bare_path();
    std::string const package = SPROUT_DEMO_PACKAGE;
    auto advert_file = platform::files::read_all(package + "/add_e.jpg");
    ASSERT_TRUE(advert_file);
    platform::Bitmap advert = platform::decode_jpeg(*advert_file);
    ASSERT_GT(advert.height, view_height) << "the demo advert is taller than the view";
    {
        ShellProcess shell(x, package, { "HOME=" + work, "ALLUSERSPROFILE=" + work }, work);
        ASSERT_TRUE(shell.wait_for_trace("visible\tengbut\t1", 30000));
        x.run(click_on(click_target::engbut));
        ASSERT_TRUE(shell.wait_for_trace("visible\tokbut\t1"));
        x.run(click_on(click_target::exitbut));
        ASSERT_TRUE(shell.wait_for_trace("visible\tadvertform\t1"));

        auto top = e2e::settled_screenshot(x, work, [&](auto const& s) { return shows_advert(s, advert, 0); });
        ASSERT_TRUE(shows_advert(top, advert, 0)) << "the advert's top in the view";
        EXPECT_TRUE(green(top.at(view_left + view_width - 1, view_top + view_height / 2))) << "the bar";
        EXPECT_TRUE(yellow(top.at(view_left + view_width - 8, view_top + 12))) << "its handle at the top";

        x.run("xdotool mousemove 400 300 click 5");
        ASSERT_TRUE(shell.wait_for_trace("scroll\tadviewer\t0\t48"));
        auto moved = e2e::settled_screenshot(x, work, [&](auto const& s) { return shows_advert(s, advert, 48); });
        ASSERT_TRUE(shows_advert(moved, advert, 48)) << "one notch down";
        int outside_changes = 0;
        for (int py = 0; py < 600; ++py)
            for (int px = 0; px < 800; ++px)
                if (!inside_view(px, py) && channel_distance(top.at(px, py), moved.at(px, py)) > 2)
                    ++outside_changes;
        EXPECT_EQ(outside_changes, 0);

        x.run(click_on(click_target::farewell_exit));
        EXPECT_EQ(shell.wait_exit(), 0);
        std::string trace = shell.trace();
        EXPECT_NE(trace.find("visible\tadvertform\t0"), std::string::npos);
        EXPECT_NE(trace.find("\texit"), std::string::npos);
    }
}
