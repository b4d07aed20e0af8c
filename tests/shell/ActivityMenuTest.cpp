#include "shell/MainWindow.h"

namespace {

// The menu screen in English with its instruction already heard, reached
// through the language and name screens.
struct ActivityMenu : MainWindow {
    ActivityMenu()
    {
        furnish();
        activate();
        EXPECT_TRUE(run_until([&] { return form.engbut.Visible(); }));
        click(form.engbut);
        form.nameedit.SetText("kim");
        click(form.okbut);
        let_voice_end();
        EXPECT_TRUE(form.instructiongiven);
        forget_trace();
    }
    std::size_t effects(std::string const& file)
    {
        auto names = traced_files("effect");
        return std::size_t(std::count(names.begin(), names.end(), file));
    }
    std::size_t voices(std::string const& file)
    {
        auto names = traced_files("voice");
        return std::size_t(std::count(names.begin(), names.end(), file));
    }
    // Hovers a zone and lets its name, if one was queued, be heard.
    void hear(TControl const& zone)
    {
        move_into(zone);
        if (form.promptpos == 1 && form.NotifyEndTimer.Enabled())
            let_voice_end();
    }
};

}

TEST_F(ActivityMenu, EachNameIsSpokenOnceAndEveryMoveOntoAnotherItemClicks)
{
    hear(form.Image3);
    EXPECT_EQ(effects("click.wav"), 1u);
    EXPECT_EQ(voices("m3.wav"), 1u);
    EXPECT_TRUE(form.spoken[3]);
    EXPECT_FALSE(form.pendingspoken[3]);
    EXPECT_TRUE(form.phand1.Visible());
    EXPECT_EQ(form.phand1.Left(), form.Image3.Left());
    EXPECT_EQ(form.phand1.Top(), form.Image3.Top());

    // Moves inside the item change nothing.
    move_into(form.Image3, 20, 10);
    move_into(form.Image3, -30, 5);
    EXPECT_EQ(effects("click.wav"), 1u);

    hear(form.Image1);
    hear(form.Image3);
    hear(form.Image1);
    EXPECT_EQ(effects("click.wav"), 4u);
    EXPECT_EQ(voices("m3.wav"), 1u);
    EXPECT_EQ(voices("m1.wav"), 1u);
}

TEST_F(ActivityMenu, AMoveHandledInsideTheLastOnesClickSoundSpeaksTheItemThePointerRestsOn)
{
    // A quick pointer: the second move is served while the first one's click
    // sound redraws the mascot.
    for (TControl const* zone : { &form.Image3, &form.Image1 })
        t.move(zone->screen_left() + zone->Width() / 2, zone->screen_top() + zone->Height() / 2);
    t.settle();
    let_voice_end();
    EXPECT_EQ(traced_files("voice"), (std::vector<std::string> { "m1.wav" })) << "the item the pointer rests on";
    EXPECT_TRUE(form.spoken[1]);
    EXPECT_FALSE(form.spoken[3]) << "never heard, so spoken on the next visit";
}

TEST_F(ActivityMenu, TheBackgroundHidesTheHandButKeepsTheMark)
{
    hear(form.Image5);
    move_to(400, 580); // bare background
    EXPECT_FALSE(form.phand1.Visible());
    EXPECT_TRUE(form.hovermark[5]);
    move_into(form.Image5);
    EXPECT_TRUE(form.phand1.Visible());
    EXPECT_EQ(effects("click.wav"), 1u);
    EXPECT_EQ(voices("m5.wav"), 1u);
}

TEST_F(ActivityMenu, TheThinkingItemLeavesTheMarkSoTheReturnIsSilent)
{
    hear(form.Image1);
    move_into(form.Image2, 60, 60); // below the overlay's sub-choices
    EXPECT_TRUE(form.denke_ovr.Visible());
    EXPECT_FALSE(form.phand1.Visible());
    hear(form.Image1);
    EXPECT_EQ(effects("click.wav"), 1u);
    EXPECT_FALSE(form.denke_ovr.Visible());
}

TEST_F(ActivityMenu, ANameCutOffByTheNextItemIsSpokenOnTheNextVisit)
{
    move_into(form.Image1);
    ASSERT_TRUE(run_until([&] { return count("voice") == 1; })); // m1 begins
    move_into(form.Image6);
    let_voice_end();
    EXPECT_FALSE(form.spoken[1]);
    EXPECT_TRUE(form.spoken[4]);
    hear(form.Image1);
    EXPECT_EQ(voices("m1.wav"), 2u);
    EXPECT_TRUE(form.spoken[1]);
}

TEST_F(ActivityMenu, OverlaysStayOpenUntilAnotherItemIsReached)
{
    move_into(form.Image2, 60, 60);
    move_to(400, 580);
    EXPECT_TRUE(form.denke_ovr.Visible() && form.denke_but1.Visible() && form.denke_but2.Visible());

    hear(form.denke_but2);
    EXPECT_TRUE(form.phand2.Visible());
    EXPECT_EQ(form.phand2.Left(), form.denke_but2.Left());
    EXPECT_EQ(voices("m2_1.wav"), 1u);
    EXPECT_TRUE(form.spoken[8]);

    move_into(form.Image4, 0, 70); // below the perception overlay
    EXPECT_FALSE(form.denke_ovr.Visible());
    EXPECT_TRUE(form.persepsie_ovr.Visible() && form.persepsie_but1.Visible());
    EXPECT_TRUE(form.phand2.Visible()); // opening an overlay leaves the sub-choice hand
    hear(form.persepsie_but1);
    EXPECT_EQ(voices("m6_2.wav"), 1u);
    EXPECT_TRUE(form.spoken[7]);

    hear(form.Image3);
    EXPECT_FALSE(form.persepsie_ovr.Visible() || form.persepsie_but1.Visible() || form.phand2.Visible());
}

TEST_F(ActivityMenu, AnInactiveMenuStillOpensThePerceptionChoicesButNothingElse)
{
    form.menuactive = false;
    move_into(form.Image2, 60, 60);
    EXPECT_FALSE(form.denke_ovr.Visible());
    move_into(form.Image3);
    EXPECT_FALSE(form.phand1.Visible());
    move_into(form.Image4, 0, 70);
    EXPECT_TRUE(form.persepsie_ovr.Visible());
    move_into(form.persepsie_but2);
    EXPECT_FALSE(form.phand2.Visible());
    EXPECT_EQ(count("effect"), 0u);
    EXPECT_FALSE(form.hovermark[3] || form.hovermark[6]);
}

TEST_F(ActivityMenu, DuringTheInstructionTheHandMovesSilentlyAndTheMarkHolds)
{
    form.instructiongiven = false;
    form.instructionplaying = true;
    form.StartPrompts("", 1, "a_2.mp3", 500);
    move_into(form.Image3);
    EXPECT_TRUE(form.phand1.Visible());
    EXPECT_TRUE(form.hovermark[3]);
    let_voice_end();
    EXPECT_TRUE(form.instructiongiven);
    EXPECT_FALSE(form.instructionplaying);
    EXPECT_EQ(count("effect"), 0u);

    move_into(form.Image3, 10, 10);
    EXPECT_EQ(count("effect"), 0u);
    hear(form.Image5);
    hear(form.Image3);
    EXPECT_EQ(voices("m3.wav"), 1u);
    EXPECT_EQ(effects("click.wav"), 2u);
}

TEST_F(ActivityMenu, AClickStoresItsSlotAndASecondOneBeforeTheStartIsWrong)
{
    using activity_catalogue::Group;
    for (auto const& row : activity_catalogue::rows) {
        if (row.slot == 0)
            continue;
        auto& zone = *form.find<TControl>(row.component);
        form.menuactive = true;
        form.denke_ovr.Hide();
        form.persepsie_ovr.Hide();
        for (auto const& other : activity_catalogue::rows)
            if (other.group == Group::Thinking || other.group == Group::Perception)
                form.find<TControl>(other.component)->SetVisible(&other == &row);
        form.NotifyEndTimer.SetEnabled(true);
        click(zone);
        EXPECT_FALSE(form.menuactive) << row.component;
        EXPECT_EQ(form.selectedactivity, row.slot);
        EXPECT_TRUE(form.executetimer.Enabled());
        EXPECT_EQ(form.NotifyEndTimer.Enabled(), !row.click_stops_prompts) << row.component;

        std::size_t wrong = effects("wrong.wav");
        click(zone);
        EXPECT_EQ(effects("wrong.wav"), wrong + 1);
        EXPECT_EQ(form.selectedactivity, row.slot);
        // The tick's start belongs to the launcher; with an activity counted
        // as running it starts nothing.
        form.childrunning = true;
        ASSERT_TRUE(run_until([&] { return !form.executetimer.Enabled(); }));
        form.childrunning = false;
    }
}

TEST_F(ActivityMenu, TheTwoOverlayItemsHaveNoClick)
{
    click_at(520, 535); // Image4 below its overlay
    click_at(320, 350); // Image2 below its overlay
    EXPECT_TRUE(form.menuactive);
    EXPECT_FALSE(form.executetimer.Enabled());
    EXPECT_EQ(form.selectedactivity, 0);
}
