#include "framework/TImage.h"
#include "framework/TPanel.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

// Only the changed rectangle is painted and presented; what the window then
// shows must equal a repaint of the whole canvas.
namespace {

struct Form : TForm {
    using TForm::TForm;
};

// A picture whose every pixel differs from its neighbours, so a part drawn
// at the wrong place or left stale shows.
platform::Bitmap pattern(int w, int h, int seed)
{
    platform::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.at(x, y) = platform::rgb((x * 7 + seed) & 0xff, (y * 5 + seed) & 0xff, (x ^ y) & 0xff);
    return b;
}

struct PartialPaint : ::testing::Test {
    TestApp t;
    Form& form { t.app.CreateForm<Form>("form") };
    TImage& background { image(form, "background", 0, 0, 800, 600, 1) };
    TPanel& panel { make_panel() };
    TImage& mascot { image(panel, "mascot", 10, 20, 75, 152, 2) };

    PartialPaint() { t.settle(); }

    TImage& image(TWinControl& parent, char const* name, int x, int y, int w, int h, int seed)
    {
        auto& i = form.add<TImage>(name);
        i.SetParent(&parent);
        i.SetBounds(x, y, w, h);
        i.Picture().set_bitmap(pattern(w, h, seed));
        return i;
    }
    TPanel& make_panel()
    {
        auto& p = form.add<TPanel>("panel");
        p.SetParent(&form);
        p.SetBounds(500, 300, 120, 200);
        p.SetColor(platform::rgb(0, 128, 0));
        return p;
    }

    // What the window shows now, next to a repaint of everything.
    void expect_same_as_full_repaint()
    {
        platform::Bitmap shown = t.window.last_frame();
        t.app.invalidate();
        t.settle();
        ASSERT_EQ(t.window.last_changed(), platform::Rect::of_size(0, 0, 800, 600));
        auto const& full = t.window.last_frame();
        int differing = 0;
        for (std::size_t i = 0; i < full.pixels.size(); ++i)
            differing += shown.pixels[i] != full.pixels[i];
        EXPECT_EQ(differing, 0);
    }
};

}

TEST_F(PartialPaint, ANewFrameOfTheMascotShowsOnlyItsRectangle)
{
    int frames = t.window.frames();
    mascot.Picture().set_bitmap(pattern(75, 152, 3));
    t.settle();
    EXPECT_EQ(t.window.frames(), frames + 1);
    EXPECT_EQ(t.window.last_changed(), platform::Rect::of_size(510, 320, 75, 152));
    expect_same_as_full_repaint();
}

TEST_F(PartialPaint, AControlIsCutToItsParentsRectangle)
{
    mascot.SetBounds(80, 150, 75, 152); // mostly outside the panel
    t.settle();
    mascot.Picture().set_bitmap(pattern(75, 152, 4));
    t.settle();
    EXPECT_EQ(t.window.last_changed(), platform::Rect(580, 450, 620, 500));
    expect_same_as_full_repaint();
}

TEST_F(PartialPaint, MovingOrHidingLeavesNothingBehind)
{
    panel.SetBounds(100, 50, 120, 200);
    t.settle();
    expect_same_as_full_repaint();
    mascot.SetVisible(false);
    t.settle();
    EXPECT_EQ(t.window.last_changed(), platform::Rect::of_size(110, 70, 75, 152));
    expect_same_as_full_repaint();
    panel.SetVisible(false);
    t.settle();
    expect_same_as_full_repaint();
}

TEST_F(PartialPaint, ChangesUnderAHintKeepItAndItsGoingLeavesNoTrace)
{
    mascot.SetHint("Pipkin");
    mascot.SetShowHint(true);
    t.move(520, 330);
    t.run_for(600);
    ASSERT_EQ(t.app.hint_control(), &mascot);
    // The hint lies over the mascot's lower part, which is painted afresh.
    mascot.Picture().set_bitmap(pattern(75, 152, 5));
    t.settle();
    EXPECT_EQ(t.window.last_frame().at(522, 356), t.app.HintColor);
    expect_same_as_full_repaint();
    t.move(20, 20);
    t.settle();
    EXPECT_EQ(t.app.hint_control(), nullptr);
    EXPECT_NE(t.window.last_frame().at(522, 356), t.app.HintColor);
    expect_same_as_full_repaint();
}

TEST_F(PartialPaint, NothingChangedPresentsNothing)
{
    int frames = t.window.frames();
    mascot.SetBounds(mascot.Left(), mascot.Top(), mascot.Width(), mascot.Height());
    t.run_for(1000);
    EXPECT_EQ(t.window.frames(), frames);
}
