#include "framework/TImage.h"
#include "framework/TPanel.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

platform::Bitmap solid(int w, int h, std::uint32_t colour) { return platform::Bitmap(w, h, colour); }

struct Form : TForm {
    using TForm::TForm;
};

// Records what a control hears, in order.
struct Recorder {
    std::vector<std::string> log;
    void watch(TImage& image)
    {
        std::string n = image.Name();
        image.OnClick = [this, n](TObject*) { log.push_back("click " + n); };
        image.OnMouseDown = [this, n](TObject*, TMouseButton, TShiftState, int x, int y) {
            log.push_back("down " + n + " " + std::to_string(x) + "," + std::to_string(y));
        };
        image.OnMouseUp = [this, n](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up " + n); };
    }
};

struct Fixture : ::testing::Test {
    TestApp t;
    Form& form { t.app.CreateForm<Form>("form") };

    TImage& image(char const* name, int x, int y, int w, int h, std::uint32_t colour)
    {
        auto& i = form.add<TImage>(name);
        i.SetParent(&form);
        i.SetBounds(x, y, w, h);
        i.Picture().set_bitmap(solid(w, h, colour));
        return i;
    }
};

}

TEST_F(Fixture, PicturesPaintInCreationOrderAndPanelsAbove)
{
    auto& panel = form.add<TPanel>("panel");
    panel.SetParent(&form);
    panel.SetBounds(0, 0, 20, 20);
    panel.SetColor(platform::rgb(0, 0, 255));
    image("lower", 0, 0, 50, 50, platform::rgb(255, 0, 0));
    image("upper", 10, 10, 50, 50, platform::rgb(0, 255, 0));
    t.settle();
    auto const& frame = t.window.last_frame();
    EXPECT_EQ(frame.at(5, 5), platform::rgb(0, 0, 255)) << "the panel lies above later pictures";
    EXPECT_EQ(frame.at(30, 30), platform::rgb(0, 255, 0));
    EXPECT_EQ(frame.at(25, 5), platform::rgb(255, 0, 0));
    EXPECT_EQ(form.control_at(5, 5), &panel);
    EXPECT_EQ(form.control_at(30, 30)->Name(), "upper");
    EXPECT_EQ(form.control_at(25, 5)->Name(), "lower");
}

TEST_F(Fixture, TransparentPixelsShowWhatLiesBelow)
{
    image("back", 0, 0, 40, 40, platform::rgb(10, 20, 30));
    auto& front = image("front", 0, 0, 40, 40, 0);
    platform::Bitmap half(40, 40, 0x00000000u);
    half.fill_rect(0, 0, 20, 40, platform::rgb(200, 0, 0));
    front.Picture().set_bitmap(half);
    t.settle();
    EXPECT_EQ(t.window.last_frame().at(5, 5), platform::rgb(200, 0, 0));
    EXPECT_EQ(t.window.last_frame().at(30, 5), platform::rgb(10, 20, 30));
}

TEST_F(Fixture, HiddenControlsAreNeitherDrawnNorHit)
{
    image("back", 0, 0, 40, 40, platform::rgb(1, 2, 3));
    auto& front = image("front", 0, 0, 40, 40, platform::rgb(9, 9, 9));
    front.Hide();
    t.settle();
    EXPECT_EQ(t.window.last_frame().at(5, 5), platform::rgb(1, 2, 3));
    EXPECT_EQ(form.control_at(5, 5)->Name(), "back");
}

TEST_F(Fixture, EnterAndLeaveComeOnceEachInOrder)
{
    struct Spy : TImage {
        using TImage::TImage;
        std::vector<std::string>* log {};
        void mouse_enter() override { log->push_back("enter " + Name()); }
        void mouse_leave() override { log->push_back("leave " + Name()); }
    };
    std::vector<std::string> log;
    auto& a = form.add<Spy>("a");
    auto& b = form.add<Spy>("b");
    for (auto* s : { &a, &b }) {
        s->log = &log;
        s->SetParent(&form);
    }
    a.SetBounds(0, 0, 50, 50);
    b.SetBounds(50, 0, 50, 50);
    t.move(10, 10);
    t.move(20, 20);
    t.move(60, 10);
    t.move(300, 300);
    t.settle();
    EXPECT_EQ(log, (std::vector<std::string> { "enter a", "leave a", "enter b", "leave b" }));
}

TEST_F(Fixture, ClickComesBeforeReleaseAndCaptureHoldsUntilRelease)
{
    Recorder r;
    auto& a = image("a", 0, 0, 50, 50, platform::rgb(1, 1, 1));
    auto& b = image("b", 100, 0, 50, 50, platform::rgb(2, 2, 2));
    r.watch(a);
    r.watch(b);
    t.move(10, 10);
    t.press(10, 12);
    t.release(10, 12);
    // Pressed on a, released over b: a keeps the capture and no click comes.
    t.press(20, 20);
    t.move(110, 10);
    t.release(110, 10);
    t.settle();
    EXPECT_EQ(r.log,
        (std::vector<std::string> { "down a 10,12", "click a", "up a", "down a 20,20", "up a" }));
}

TEST_F(Fixture, DisabledControlsGetNoButtonsButStillEnterAndLeave)
{
    Recorder r;
    auto& a = image("a", 0, 0, 50, 50, platform::rgb(1, 1, 1));
    r.watch(a);
    a.SetEnabled(false);
    t.move(10, 10);
    t.settle();
    EXPECT_EQ(t.app.hovered(), &a);
    t.press(10, 10);
    t.release(10, 10);
    t.settle();
    EXPECT_TRUE(r.log.empty());
}

TEST_F(Fixture, RightButtonPressesAndReleasesButDoesNotClick)
{
    Recorder r;
    auto& a = image("a", 0, 0, 50, 50, platform::rgb(1, 1, 1));
    r.watch(a);
    t.press(5, 5, platform::MouseButton::Right);
    t.release(5, 5, platform::MouseButton::Right);
    t.settle();
    EXPECT_EQ(r.log, (std::vector<std::string> { "down a 5,5", "up a" }));
}

TEST_F(Fixture, HintAppearsAfterThePointerRestsAndGoesOnLeaving)
{
    auto& a = image("a", 0, 0, 50, 50, platform::rgb(1, 1, 1));
    a.SetHint("Gaan uit / Exit");
    a.SetShowHint(true);
    t.move(10, 10);
    t.run_for(100);
    EXPECT_EQ(t.app.hint_control(), nullptr);
    t.run_for(600);
    EXPECT_EQ(t.app.hint_control(), &a);
    EXPECT_EQ(t.window.last_frame().at(12, 36), t.app.HintColor) << "drawn below the pointer";
    t.move(200, 200);
    t.settle();
    EXPECT_EQ(t.app.hint_control(), nullptr);
}

TEST_F(Fixture, CursorFollowsTheControlUnderThePointer)
{
    t.app.register_cursor(31, platform::Bitmap(32, 32, 0xff000000u), 5, 2);
    auto& a = image("a", 0, 0, 50, 50, platform::rgb(1, 1, 1));
    a.SetCursor(31);
    t.move(10, 10);
    t.settle();
    EXPECT_TRUE(t.window.hand_cursor());
    t.move(100, 100);
    t.settle();
    EXPECT_FALSE(t.window.hand_cursor());
}

TEST_F(Fixture, ChangesToHiddenControlsCostNoRedrawButHidingDoes)
{
    auto& panel = form.add<TPanel>("panel");
    panel.SetParent(&form);
    panel.SetBounds(0, 0, 50, 50);
    auto& inside = form.add<TImage>("inside");
    inside.SetParent(&panel);
    inside.Picture().set_bitmap(solid(20, 20, platform::rgb(1, 2, 3)));
    panel.Hide();
    t.settle();
    int frames = t.window.frames();
    inside.Picture().set_bitmap(solid(20, 20, platform::rgb(4, 5, 6)));
    inside.SetLeft(5);
    t.settle();
    EXPECT_EQ(t.window.frames(), frames);
    panel.Show();
    t.settle();
    EXPECT_EQ(t.window.last_frame().at(6, 1), platform::rgb(4, 5, 6));
    inside.Hide();
    t.settle();
    EXPECT_EQ(t.window.last_frame().at(6, 1), panel.Color());
}
