#include "shell/MainWindow.h"

#include "farewell/Tadvertform.h"

#include <optional>

namespace {

using ScreenFlow = MainWindow;

std::vector<std::string> visible_names(TForm1& form)
{
    std::vector<std::string> names;
    for (TComponent* c : form.components())
        if (auto* control = dynamic_cast<TControl*>(c); control && control->showing())
            names.push_back(control->Name());
    return names;
}

}

TEST_F(ScreenFlow, TheIntroShowsAFrameEvery350msAndHandsOverToTheLanguageScreen)
{
    furnish();
    platform::Millis start = t.now();
    activate();
    ASSERT_TRUE(run_until([&] { return form.afrbut.Visible(); }));

    auto backgrounds = traced("background");
    ASSERT_EQ(backgrounds.size(), 13u);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(backgrounds[k - 1].fields[0], install.path() + "menu/m_" + std::to_string(k) + ".jpg");
        EXPECT_NEAR(double(backgrounds[k - 1].at - start), k * 350.0, 5) << k;
    }
    // The thirteenth tick hands over; the language screen follows 2 s later.
    EXPECT_NEAR(double(backgrounds[12].at - start), 13 * 350.0 + 2000, 5);
    EXPECT_EQ(traced_files("background").back(), "m_11.jpg");
    auto glisses = traced("effect");
    ASSERT_EQ(glisses.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(glisses[i].at, backgrounds[std::size_t(std::array { 1, 4, 10 }[i])].at);
    EXPECT_EQ(visible_names(form), (std::vector<std::string> { "backimage", "exitbut", "afrbut", "engbut", "mutebut" }));
    EXPECT_FALSE(form.animatetimer.Enabled());
    EXPECT_FALSE(form.delaylogotimer.Enabled());
    EXPECT_EQ(form.afrbut.Cursor(), 31);
}

TEST_F(ScreenFlow, ABrokenIntroFrameIsSkippedWithOneLineAndTheIntroGoesOn)
{
    furnish();
    install.write("menu/m_3.jpg", "not a picture at all");
    activate();
    ASSERT_TRUE(run_until([&] { return form.afrbut.Visible(); }));
    auto names = traced_files("background");
    EXPECT_EQ(std::count(names.begin(), names.end(), "m_3.jpg"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "m_4.jpg"), 1);
    auto bad = traced("bad-file");
    ASSERT_EQ(bad.size(), 1u);
    EXPECT_EQ(bad[0].fields[0], install.path() + "menu/m_3.jpg");
}

TEST_F(ScreenFlow, WithoutAnyFilesTheIntroStillReachesTheLanguageScreen)
{
    activate();
    ASSERT_TRUE(run_until([&] { return form.afrbut.Visible(); }));
    EXPECT_EQ(count("background"), 0u);
    EXPECT_EQ(count("effect"), 0u);
}

TEST_F(ScreenFlow, ChoosingALanguageShowsTheNameScreenWithItsHintsAndLeadIn)
{
    furnish();
    activate();
    ASSERT_TRUE(run_until([&] { return form.engbut.Visible(); }));
    form.spoken[3] = form.pendingspoken[4] = form.instructiongiven = form.instructionplaying = true;
    form.hovermark[5] = true;
    platform::Millis chosen = t.now();
    click(form.engbut);

    EXPECT_EQ(form.langcode, "ENG");
    EXPECT_EQ(form.langletter, 'e');
    EXPECT_EQ(form.voicedir, install.path() + "sounds_eng/");
    EXPECT_EQ(traced_files("background").back(), "m_13e.jpg");
    EXPECT_EQ(form.exitbut.Hint(), "Exit program");
    EXPECT_EQ(form.listbut.Hint(), "List of names");
    EXPECT_EQ(form.reportbut.Hint(), "Report");
    EXPECT_EQ(form.backbut.Hint(), "Back to language choice");
    EXPECT_EQ(form.okbut.Hint(), "Ok");
    EXPECT_FALSE(form.spoken[3] || form.pendingspoken[4] || form.instructiongiven || form.instructionplaying);
    EXPECT_TRUE(form.hovermark[5]);
    EXPECT_TRUE(form.ant_panel.Visible());
    EXPECT_TRUE(form.okbut.Visible() && form.listbut.Visible());
    EXPECT_FALSE(form.afrbut.Visible() || form.engbut.Visible() || form.mutebut.Visible());

    // A silent lead-in of about a tenth of a second, then the greeting.
    ASSERT_TRUE(run_until([&] { return count("voice") == 1; }));
    auto voice = traced("voice").back();
    EXPECT_EQ(voice.fields[0], install.path() + "sounds_eng/a_1.wav");
    EXPECT_NEAR(double(voice.at - chosen), 101, 5);
}

TEST_F(ScreenFlow, LeavingBeforeAnyChoiceSaysGoodbyeInAfrikaansUnderTheFarewellWindowAndEnds)
{
    furnish();
    furnish_farewell('a');
    activate();
    ASSERT_TRUE(run_until([&] { return form.exitbut.Visible(); }));
    // The farewell window's exit button, three seconds after it is shown.
    bool farewell_shown = false;
    std::optional<EventLoop::TimerId> leave;
    leave = t.app.loop().add_timer(3000, [&] {
        t.app.loop().remove_timer(*leave);
        farewell_shown = t.app.find<Tadvertform>("advertform") && t.app.find<Tadvertform>("advertform")->Visible();
        click_at(760, 570);
    });
    platform::Millis clicked = t.now();
    click(form.exitbut);
    EXPECT_TRUE(farewell_shown);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(t.now() - clicked, 3000);
    EXPECT_EQ(t.app.find<Tadvertform>("advertform"), nullptr) << "destroyed once closed";
    EXPECT_EQ(traced_files("effect").back(), "keystrok.wav");
    EXPECT_EQ(traced_files("background").back(), "m_12.jpg");
    EXPECT_EQ(traced_files("voice"), (std::vector<std::string> { "a_17.wav" }));
    EXPECT_EQ(form.voicedir, install.path() + "sounds_afr/");
    EXPECT_EQ(visible_names(form), (std::vector<std::string> { "backimage", "mutebut", "ant_panel", "AntAnimate1" }));
}

TEST_F(ScreenFlow, WithoutFarewellPicturesTheShellEnds200msAfterTheExit)
{
    furnish();
    activate();
    ASSERT_TRUE(run_until([&] { return form.exitbut.Visible(); }));
    platform::Millis clicked = t.now();
    click(form.exitbut);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(t.now() - clicked, 200);
    EXPECT_TRUE(traced_files("voice").empty()) << "the words come later than the end";
}
