#include "widgets/TImageBut.h"
#include "widgets/TImageButAdvanced.h"

#include "TestApp.h"

#include <gtest/gtest.h>

namespace {

using platform::MouseButton;

TPicture picture(int w, int h, std::uint32_t colour)
{
    TPicture p;
    p.set_bitmap(platform::Bitmap(w, h, colour));
    return p;
}

constexpr std::uint32_t rest = platform::rgb(10, 0, 0);
constexpr std::uint32_t hover = platform::rgb(0, 10, 0);
constexpr std::uint32_t disabled = platform::rgb(0, 0, 10);
constexpr std::uint32_t down = platform::rgb(10, 10, 10);

std::uint32_t shown(TImage const& b) { return b.Picture().empty() ? 0 : b.Picture().Graphic()->at(0, 0); }

// A button at 632, 48 loaded as a form would: pictures, then the Booleans.
template<class Button>
struct ButtonOnForm : VirtualApp {
    Button& but = form.add<Button>("but");
    int clicks = 0;

    ButtonOnForm()
    {
        but.SetParent(&form);
        but.SetBounds(632, 48, 115, 112);
        but.SetAutoSize(true);
        TPicture from = picture(115, 112, rest), to = picture(120, 116, hover), off = picture(115, 112, disabled);
        but.SetPicFrom(&from);
        but.SetPicTo(&to);
        but.SetPicDisabled(&off);
        but.SetEnableButMove(true);
        but.SetEnableBut(true);
        but.OnClick = [this](TObject*) { ++clicks; };
    }
};

}

TEST(ImageBut, HoverAndLeaveSwapPicturesAndAutoSizeFollows)
{
    ButtonOnForm<TImageBut> t;
    EXPECT_EQ(shown(t.but), rest);
    t.move(640, 60);
    EXPECT_EQ(shown(t.but), hover);
    EXPECT_EQ(t.but.Width(), 120);
    EXPECT_EQ(t.but.Height(), 116);
    t.move(10, 10);
    EXPECT_EQ(shown(t.but), rest);
    EXPECT_EQ(t.but.Width(), 115);
}

TEST(ImageBut, DisabledShowsItsPictureAndGetsNoButtonsButStillEntryAndLeaving)
{
    ButtonOnForm<TImageBut> t;
    int entries = 0, leavings = 0;
    t.but.OnMouseEnter = [&](TObject*) { ++entries; };
    t.but.OnMouseLeave = [&](TObject*) { ++leavings; };
    t.but.SetEnableBut(false);
    EXPECT_EQ(shown(t.but), disabled);
    t.move(640, 60);
    t.down(640, 60);
    EXPECT_EQ(t.but.Left(), 632);
    t.up(640, 60);
    t.move(10, 10);
    EXPECT_EQ(shown(t.but), disabled);
    EXPECT_EQ(t.clicks, 0);
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(leavings, 1);
    t.but.SetEnableBut(true);
    EXPECT_EQ(shown(t.but), rest);
}

TEST(ImageBut, EmptyDisabledPictureLeavesTheButtonBlank)
{
    VirtualApp t;
    auto& but = t.form.add<TImageBut>("but");
    TPicture from = picture(5, 5, rest);
    but.SetPicFrom(&from);
    but.SetEnableBut(false);
    EXPECT_TRUE(but.Picture().empty());
}

TEST(ImageBut, PressMovesOnePixelWithEitherButtonAndReleaseRestores)
{
    ButtonOnForm<TImageBut> t;
    for (MouseButton b : { MouseButton::Left, MouseButton::Right }) {
        t.move(640, 60);
        t.down(640, 60, b);
        EXPECT_EQ(t.but.Left(), 633);
        EXPECT_EQ(t.but.Top(), 49);
        t.up(640, 60, b);
        EXPECT_EQ(t.but.Left(), 632);
        EXPECT_EQ(t.but.Top(), 48);
    }
    EXPECT_EQ(t.clicks, 1);
}

TEST(ImageBut, ClickHandlerThatHidesAndDisablesStillGetsThePositionBack)
{
    ButtonOnForm<TImageBut> t;
    t.but.OnClick = [&](TObject*) {
        t.but.Hide();
        t.but.SetEnableBut(false);
    };
    t.move(640, 60);
    t.down(640, 60);
    t.up(640, 60);
    EXPECT_EQ(t.but.Left(), 632);
    EXPECT_EQ(t.but.Top(), 48);
}

TEST(ImageBut, WithoutMoveNeverMovesButStillHovers)
{
    ButtonOnForm<TImageBut> t;
    t.but.SetEnableButMove(false);
    t.move(640, 60);
    t.down(640, 60);
    EXPECT_EQ(t.but.Left(), 632);
    // Switched on while held: the release has no saved place to jump to.
    t.but.SetEnableButMove(true);
    t.up(640, 60);
    EXPECT_EQ(t.but.Left(), 632);
    EXPECT_EQ(t.but.Top(), 48);
    EXPECT_EQ(shown(t.but), hover);
}

TEST(ImageBut, WritingPicFromWhileHoveredShowsTheNewRestPicture)
{
    ButtonOnForm<TImageBut> t;
    t.move(640, 60);
    TPicture fresh = picture(115, 112, platform::rgb(1, 2, 3));
    t.but.SetPicFrom(&fresh);
    EXPECT_EQ(shown(t.but), platform::rgb(1, 2, 3));
    // State pictures are copies: the caller's picture may go away.
    fresh.Clear();
    t.move(10, 10);
    EXPECT_EQ(shown(t.but), platform::rgb(1, 2, 3));
}

TEST(ImageButAdvanced, PressShowsPicDownReleaseShowsHoverOrRest)
{
    ButtonOnForm<TImageButAdvanced> t;
    TPicture pressed = picture(115, 112, down);
    t.but.SetPicDown(&pressed);
    t.move(640, 60);
    t.down(640, 60);
    EXPECT_EQ(shown(t.but), down);
    EXPECT_EQ(t.but.Left(), 632);
    t.up(640, 60);
    EXPECT_EQ(shown(t.but), hover);

    // Released outside: the rest picture, not a stuck hover picture.
    t.down(640, 60);
    t.move(10, 10);
    t.up(10, 10);
    EXPECT_EQ(shown(t.but), rest);

    t.but.SetEnableButMove(false);
    t.move(640, 60);
    t.down(640, 60);
    EXPECT_EQ(shown(t.but), hover);
    t.up(640, 60);
}
