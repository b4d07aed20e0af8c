#include "farewell/Tadvertform.h"

#include "shell/TForm1.h"

#include "support/ScopedEnvironment.h"
#include "support/ScopedTrace.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "widgets/PngFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

constexpr std::uint32_t advert_a = platform::rgb(200, 40, 40);
constexpr std::uint32_t advert_e = platform::rgb(40, 40, 200);
constexpr std::uint32_t background_a = platform::rgb(40, 160, 40);
constexpr std::uint32_t background_e = platform::rgb(160, 160, 40);

// The main window over an install folder, and its farewell window made,
// placed and prepared as the exit makes it.
struct Farewell : ::testing::Test {
    TestApp t;
    TempFolder folder;
    ScopedEnvironment env { { "HOME=" + folder.path(), "ALLUSERSPROFILE=" + folder.make_folder("profile") } };
    ScopedTrace trace { folder.path() + "trace.txt" };
    TForm1& shell = make_shell();
    Tadvertform* advert { nullptr };

    TForm1& make_shell()
    {
        auto& f = t.app.CreateForm<TForm1>("Form1");
        f.basedir = folder.path();
        f.langletter = 'a';
        return f;
    }
    ~Farewell() override
    {
        if (advert)
            t.app.delete_component(advert);
    }

    void picture(std::string const& name, int w, int h, std::uint32_t colour)
    {
        pngfile::write(folder.path() + name, platform::Bitmap(w, h, colour));
    }
    Tadvertform& prepare()
    {
        advert = &t.app.add<Tadvertform>("advertform");
        advert->SetBounds(0, 0, 800, 600);
        advert->LoadAdvert(shell.basedir, shell.langletter, shell.langcode);
        return *advert;
    }
    // Shows the window modally and gives the virtual time at which it
    // closed. `during` runs at that time after the window is shown; a
    // watchdog closes it after ten minutes.
    platform::Millis show(std::function<void()> during = {}, platform::Millis at = 0)
    {
        auto& watchdog = shell.add<TTimer>("");
        watchdog.SetInterval(600000);
        watchdog.OnTimer = [&](TObject*) { advert->Close(); };
        std::optional<EventLoop::TimerId> action;
        if (during)
            action = t.app.loop().add_timer(at, [&] {
                t.app.loop().remove_timer(*action);
                during();
            });
        platform::Millis start = t.now();
        advert->ShowModal();
        shell.delete_component(&watchdog);
        return t.now() - start;
    }
    void click_exit()
    {
        t.move(760, 570);
        t.press(760, 570);
        t.release(760, 570);
    }
    std::uint32_t on_screen(int x, int y) { return t.window.last_frame().at(x, y); }
    std::string traced()
    {
        std::ifstream in(trace.path());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

}

TEST_F(Farewell, WithoutAnAdvertPictureItClosesByItself200msAfterItIsShown)
{
    picture("addback_a.jpg", 800, 600, background_a);
    Tadvertform& w = prepare();
    EXPECT_FALSE(w.Visible()) << "made hidden";
    EXPECT_EQ(show(), 200);
    EXPECT_TRUE(w.closed());
    EXPECT_FALSE(w.closetimer.Enabled());
    EXPECT_TRUE(w.bground.Picture().empty()) << "nothing is loaded";
    EXPECT_EQ(w.exitbut.Hint(), "Gaan Terug");
    std::string trace = traced();
    auto shown = trace.find("\tvisible\tadvertform\t1");
    ASSERT_NE(shown, std::string::npos);
    EXPECT_NE(trace.find("\tvisible\tadvertform\t0", shown), std::string::npos);
    EXPECT_EQ(trace.find("\tmessage\t"), std::string::npos) << "nothing is reported";
}

TEST_F(Farewell, WithoutABackgroundTheAdvertIsShownAndItClosesAfter200ms)
{
    picture("add_a.jpg", 300, 200, advert_a);
    Tadvertform& w = prepare();
    std::uint32_t centre = 0;
    EXPECT_EQ(show([&] { centre = on_screen(77 + 321, 64 + 237); }, 100), 200);
    EXPECT_EQ(centre, advert_a);
    EXPECT_EQ(w.exitbut.Hint(), "Gaan Terug");
}

TEST_F(Farewell, WithBothPicturesItStaysUntilTheButtonIsClicked)
{
    picture("add_a.jpg", 620, 1040, advert_a);
    picture("addback_a.jpg", 800, 600, background_a);
    Tadvertform& w = prepare();
    EXPECT_EQ(show([&] { click_exit(); }, 300000), 300000);
    EXPECT_TRUE(w.closed());
    EXPECT_EQ(w.bground.Picture().Graphic()->at(0, 0), background_a);
    // Before a language is chosen the code is empty: Afrikaans pictures, English hint.
    EXPECT_EQ(w.exitbut.Hint(), "Exit");
}

TEST_F(Farewell, ATallAdvertStartsAtItsTop)
{
    picture("add_a.jpg", 620, 1040, advert_a);
    Tadvertform& w = prepare();
    EXPECT_TRUE(w.adviewer.VertScrollBar());
    EXPECT_EQ(w.adviewer.ScrollY(), 0);
}

TEST_F(Farewell, EachLanguageHasItsPicturesAndItsHint)
{
    picture("add_a.jpg", 300, 200, advert_a);
    picture("addback_a.jpg", 800, 600, background_a);
    picture("add_e.jpg", 300, 200, advert_e);
    picture("addback_e.jpg", 800, 600, background_e);

    shell.langletter = 'e';
    shell.langcode = "ENG";
    Tadvertform* w = &prepare();
    EXPECT_EQ(w->adviewer.Picture().Graphic()->at(0, 0), advert_e);
    EXPECT_EQ(w->bground.Picture().Graphic()->at(0, 0), background_e);
    EXPECT_EQ(w->exitbut.Hint(), "Exit");
    EXPECT_FALSE(w->closetimer.Enabled());
    t.app.delete_component(w);

    shell.langletter = 'a';
    shell.langcode = "AFR";
    w = &prepare();
    EXPECT_EQ(w->adviewer.Picture().Graphic()->at(0, 0), advert_a);
    EXPECT_EQ(w->exitbut.Hint(), "Gaan uit");
}

TEST_F(Farewell, TheExitButtonShowsItsHintAndPressedPicture)
{
    picture("add_a.jpg", 300, 200, advert_a);
    picture("addback_a.jpg", 800, 600, background_a);
    prepare();
    std::string hint;
    bool pressed = false, hand = false;
    show([&] {
        t.move(760, 570);
        t.settle();
        t.run_for(600);
        if (auto* c = t.app.hint_control())
            hint = c->Hint();
        hand = t.window.hand_cursor();
        t.press(760, 570);
        t.settle();
        pressed = advert->exitbut.Picture().Graphic() == advert->exitbut.PicDown().Graphic();
        t.release(760, 570);
    }, 50);
    EXPECT_EQ(hint, "Exit");
    EXPECT_TRUE(pressed);
    EXPECT_NE(advert->exitbut.PicDown().Graphic(), nullptr);
    EXPECT_TRUE(hand);
}

// Pictures that cannot be decoded count as missing, so the exit still ends.
TEST_F(Farewell, AnUndecodableAdvertOrBackgroundClosesItAfter200msWithoutAnError)
{
    folder.write("add_a.jpg", "not a picture");
    picture("addback_a.jpg", 800, 600, background_a);
    prepare();
    EXPECT_EQ(show(), 200);
    t.app.delete_component(advert);

    picture("add_a.jpg", 300, 200, advert_a);
    folder.write("addback_a.jpg", std::string("\xff\xd8\xff\xe0 broken", 12));
    Tadvertform& w = prepare();
    EXPECT_EQ(show(), 200);
    EXPECT_EQ(w.exitbut.Hint(), "Gaan Terug");
    EXPECT_EQ(traced().find("\tmessage\t"), std::string::npos);
}

TEST_F(Farewell, ItsStoredPicturesFillTheirDesignedPlaces)
{
    Tadvertform& w = prepare();
    EXPECT_EQ((std::vector<int> { w.Image1.Left(), w.Image1.Top(), w.Image1.Width(), w.Image1.Height() }),
        (std::vector<int> { 723, 534, 77, 68 }));
    EXPECT_EQ((std::vector<int> { w.exitbut.Left(), w.exitbut.Top(), w.exitbut.Width(), w.exitbut.Height() }),
        (std::vector<int> { 738, 546, 49, 49 }));
    for (TPicture const* p : { &w.exitbut.PicFrom(), &w.exitbut.PicTo(), &w.exitbut.PicDown() })
        EXPECT_EQ(p->Width(), 49);
    EXPECT_EQ(w.exitbut.Cursor(), crHand);
}
