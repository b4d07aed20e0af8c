#include "framework/TImgView.h"

#include "support/ScopedTrace.h"
#include "support/TempFolder.h"
#include "widgets/TestApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

constexpr int view_left = 77, view_top = 64, view_width = 642, view_height = 475;
constexpr std::uint32_t white = platform::rgb(255, 255, 255);

// Each pixel tells where in the picture it lies.
std::uint32_t coded(int x, int y) { return platform::rgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8)); }

TPicture coded_picture(int w, int h)
{
    platform::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.at(x, y) = coded(x, y);
    TPicture p;
    p.set_bitmap(std::move(b), platform::ImageFormat::Jpeg);
    return p;
}

bool is_green(std::uint32_t c)
{
    int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
    return g > 100 && g > r + 40 && g > b + 40;
}

bool is_yellow(std::uint32_t c)
{
    int r = (c >> 16) & 0xff, g = (c >> 8) & 0xff, b = c & 0xff;
    return r > 180 && g > 100 && b < 100;
}

// The farewell window's view on a form, with its trace in a file.
struct View : ::testing::Test {
    VirtualApp t;
    TempFolder folder;
    ScopedTrace trace { folder.path() + "trace.txt" };
    TImgView& view = make_view();

    TImgView& make_view()
    {
        auto& v = t.form.add<TImgView>("adviewer");
        v.SetParent(&t.form);
        v.SetBounds(view_left, view_top, view_width, view_height);
        return v;
    }

    void load(int w, int h)
    {
        TPicture p = coded_picture(w, h);
        view.Picture().Assign(&p);
    }
    platform::Bitmap const& frame()
    {
        t.settle();
        return t.window.last_frame();
    }
    // A pixel of the last frame, in the view's coordinates.
    std::uint32_t at(int x, int y) { return frame().at(view_left + x, view_top + y); }
    void wheel_at(int x, int y, int notches)
    {
        t.move(x, y);
        t.wheel(notches);
        t.settle();
    }
    void drag(int x0, int y0, int x1, int y1)
    {
        t.move(x0, y0);
        t.down(x0, y0);
        t.move(x1, y1);
        t.up(x1, y1);
    }
    std::string last_scroll_traced()
    {
        std::ifstream in(trace.path());
        std::string found;
        for (std::string line; std::getline(in, line);)
            if (line.find("\tscroll\t") != std::string::npos)
                found = line.substr(line.find("\tscroll\t") + 1);
        return found;
    }
};

}

TEST_F(View, ASmallPictureIsCentredOnWhiteWithoutBarsAndDoesNotScroll)
{
    load(300, 200);
    EXPECT_FALSE(view.HorzScrollBar());
    EXPECT_FALSE(view.VertScrollBar());
    view.Scroll(0, -2500);
    view.Scroll(40, 40);
    EXPECT_EQ(view.ScrollX(), 0);
    EXPECT_EQ(view.ScrollY(), 0);
    // (642 - 300) / 2 = 171, (475 - 200) / 2 = 137.
    EXPECT_EQ(at(171, 137), coded(0, 0));
    EXPECT_EQ(at(470, 336), coded(299, 199));
    EXPECT_EQ(at(170, 137), white);
    EXPECT_EQ(at(471, 336), white);
    EXPECT_EQ(at(view_width - 1, view_height - 1), white) << "no bar in the corner";
    wheel_at(view_left + 300, view_top + 200, -3);
    EXPECT_EQ(view.ScrollY(), 0);
}

TEST_F(View, APictureAsLargeAsTheViewNeedsNoBar)
{
    load(view_width, view_height);
    EXPECT_FALSE(view.HorzScrollBar());
    EXPECT_FALSE(view.VertScrollBar());
    EXPECT_EQ(at(0, 0), coded(0, 0));
    EXPECT_EQ(at(view_width - 1, view_height - 1), coded(view_width - 1, view_height - 1));
}

TEST_F(View, ATallPictureIsCentredFirstThenScrollsToItsTopAndBottomAndNoFurther)
{
    load(620, 1040);
    ASSERT_TRUE(view.VertScrollBar());
    EXPECT_FALSE(view.HorzScrollBar()) << "620 fits beside the bar";
    int const range = 1040 - view_height;
    EXPECT_EQ(view.ScrollY(), range / 2);
    EXPECT_EQ(last_scroll_traced(), "scroll\tadviewer\t0\t" + std::to_string(range / 2));

    view.Scroll(0, -2500);
    EXPECT_EQ(view.ScrollY(), 0);
    EXPECT_EQ(last_scroll_traced(), "scroll\tadviewer\t0\t0");
    // Centred across the 626 pixels left beside the bar: 3 pixels of white.
    EXPECT_EQ(at(3, 0), coded(0, 0));
    EXPECT_EQ(at(2, 0), white);
    EXPECT_TRUE(is_green(at(view_width - 1, view_height / 2)));
    EXPECT_TRUE(is_yellow(at(view_width - 8, 12))) << "the handle sits at the top";

    view.Scroll(0, 5000);
    EXPECT_EQ(view.ScrollY(), range);
    EXPECT_EQ(at(3, view_height - 1), coded(0, 1039));
    EXPECT_TRUE(is_yellow(at(view_width - 8, view_height - 12))) << "the handle sits at the bottom";
}

TEST_F(View, AWidePictureStaysCentredAcrossWhenScrolledUp)
{
    load(1000, 300);
    ASSERT_TRUE(view.HorzScrollBar());
    EXPECT_FALSE(view.VertScrollBar());
    view.Scroll(0, -2500);
    EXPECT_EQ(view.ScrollX(), (1000 - view_width) / 2);
    EXPECT_EQ(at(0, (view_height - 16 - 300) / 2), coded((1000 - view_width) / 2, 0));
    EXPECT_TRUE(is_green(at(view_width / 2, view_height - 1)));
    // The wheel moves a picture that only scrolls across.
    wheel_at(view_left + 100, view_top + 100, 1);
    EXPECT_EQ(view.ScrollX(), (1000 - view_width) / 2 - TImgView::wheel_step);
}

TEST_F(View, OneBarCanMakeTheOtherNeeded)
{
    // 480 is taller than the view; the vertical bar leaves 626 across, less than 630.
    load(630, 480);
    EXPECT_TRUE(view.VertScrollBar());
    EXPECT_TRUE(view.HorzScrollBar());
    view.Scroll(5000, 5000);
    EXPECT_EQ(view.ScrollX(), 630 - (view_width - 16));
    EXPECT_EQ(view.ScrollY(), 480 - (view_height - 16));
    EXPECT_TRUE(is_green(at(view_width - 1, view_height - 1))) << "a plain corner, no size grip";
}

TEST_F(View, WheelTrackAndHandleScrollInsideTheView)
{
    load(620, 1040);
    view.Scroll(0, -2500);
    int const range = 1040 - view_height;

    wheel_at(view_left + 300, view_top + 200, -2);
    EXPECT_EQ(view.ScrollY(), 2 * TImgView::wheel_step);
    wheel_at(view_left + 300, view_top + 200, 5);
    EXPECT_EQ(view.ScrollY(), 0) << "clamped at the top";
    wheel_at(10, 10, -2);
    EXPECT_EQ(view.ScrollY(), 0) << "a turn outside the view leaves it";

    // A click on the track below the handle moves by a page.
    int const bar_x = view_left + view_width - 8;
    t.move(bar_x, view_top + view_height - 5);
    t.down(bar_x, view_top + view_height - 5);
    t.up(bar_x, view_top + view_height - 5);
    EXPECT_EQ(view.ScrollY(), std::min(range, view_height));

    // Dragging the handle from the top to past the bottom.
    view.Scroll(0, -2500);
    drag(bar_x, view_top + 10, bar_x, view_top + view_height + 200);
    EXPECT_EQ(view.ScrollY(), range);
    EXPECT_EQ(last_scroll_traced(), "scroll\tadviewer\t0\t" + std::to_string(range));
    drag(bar_x, view_top + view_height - 10, bar_x, view_top - 300);
    EXPECT_EQ(view.ScrollY(), 0);

    // A press inside the picture drags nothing.
    drag(view_left + 300, view_top + 300, view_left + 300, view_top + 10);
    EXPECT_EQ(view.ScrollY(), 0);
}

TEST_F(View, ANewPictureIsCentredAgain)
{
    load(620, 1040);
    view.Scroll(0, -2500);
    load(620, 900);
    EXPECT_EQ(view.ScrollY(), (900 - view_height) / 2);
    view.Picture().Clear();
    EXPECT_FALSE(view.VertScrollBar());
    EXPECT_EQ(view.ScrollY(), 0);
    EXPECT_EQ(at(view_width / 2, view_height / 2), white);
}
