#include "support/ShellWithProbe.h"

#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace {

// The menu screen of a logged-in Afrikaans student, with the package's
// activity programs being probes.
struct Launcher : ShellWithProbe {
    std::string pkg = form.installdir;
    std::string data = form.datafolder;

    Launcher()
    {
        form.voicedir = install.path() + "sounds_afr/";
        form.studentname = "anna";
        form.langletter = 'a';
        for (int slot : { 1, 4, 9 })
            install_probe(pkg + form.activities[slot]);
        form.ShowMenuButtons();
        form.reportbut.Show();
        form.menuactive = true;
    }

    std::vector<std::string> fields(std::string const& name, char const* language) const
    {
        return { "*" + pkg + "#", "*" + name + "#", "*#", "*#", "*TRUE#", std::string("*") + language + "#",
            "*" + data + "#" };
    }

    bool started_program() { return t.run_until([&] { return form.AppExe.watching(); }, 2000); }
    bool back_on_menu() { return t.run_until([&] { return !form.childrunning && form.menuactive; }, 5000); }

    // Starts the activity of a slot directly, lets it end at once and waits
    // for the menu; the arguments it received.
    std::vector<std::string> round_trip(int slot)
    {
        form.LaunchActivity(form.activities[slot]);
        auto program = started();
        end(program);
        EXPECT_TRUE(back_on_menu());
        return program.arguments;
    }
};

}

TEST_F(Launcher, AClickStartsTheProgram300msLaterWithTheSevenFieldsAndTheShellFallsSilent)
{
    // The item's name is still being spoken when the activity starts.
    install.write("sounds_afr/m3.wav", sound_files::wav(2000, 0.25));
    click(form.Image3);
    platform::Millis clicked = t.now();
    ASSERT_TRUE(started_program());
    auto program = started();

    auto starts = traced("start");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].at - clicked, 300);
    EXPECT_EQ(starts[0].fields.at(0), pkg + "maths/maths.exe");
    EXPECT_EQ(program.arguments, fields("anna", "AFR"));
    EXPECT_EQ(form.activitypath, pkg + "maths/maths.exe");
    EXPECT_EQ(form.activityparams,
        "\"*" + pkg + "#\" \"*anna#\" \"*#\" \"*#\" \"*TRUE#\" \"*AFR#\" \"*" + data + "#\"");
    EXPECT_EQ(first_field("voice"), form.voicedir + "m3.wav");
    EXPECT_TRUE(form.childrunning);
    EXPECT_FALSE(form.menuactive);
    EXPECT_TRUE(minimised());
    EXPECT_FALSE(form.NotifyEndTimer.Enabled());
    EXPECT_FALSE(form.playnextvoicetimer.Enabled());

    auto voices = count("voice");
    t.run_for(3000);
    EXPECT_EQ(count("voice"), voices);
    auto samples = output.captured();
    std::size_t last_second = 2 * platform::AudioDevice::rate;
    ASSERT_GT(samples.size(), last_second);
    EXPECT_EQ(std::count(samples.end() - last_second, samples.end(), 0.0f), std::ptrdiff_t(last_second))
        << "the name is cut off and nothing sounds while the activity runs";
    EXPECT_TRUE(form.childrunning);
    form.Image1.OnClick(&form.Image1);
    EXPECT_EQ(first_field("effect"), form.fxdir + "wrong.wav");

    end(program);
    platform::Millis ended = t.now();
    ASSERT_TRUE(back_on_menu());
    EXPECT_LE(finished_at - ended, 500) << "one finish check";
    EXPECT_FALSE(minimised());
    EXPECT_EQ(first_field("window"), "maximised");
    EXPECT_TRUE(form.instructionplaying);
    EXPECT_FALSE(form.instructiongiven);
    ASSERT_TRUE(t.run_until([&] { return form.instructiongiven; }, 3000));
    EXPECT_EQ(first_field("voice"), form.voicedir + "a_2.wav");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Launcher, NamesAndLanguagesArriveAsTheFieldsTheOldRuntimeSplitOutOfThem)
{
    EXPECT_EQ(round_trip(4), fields("anna", "AFR"));
    form.langletter = 'e';
    EXPECT_EQ(round_trip(4), fields("anna", "ENG"));

    std::string const awkward[] = { "an na", "#1 $(rm -rf x); `ls` &", "back\\slash\\", "\xc3\xabl\xc3\xa9 'q'" };
    for (auto const& name : awkward) {
        form.studentname = name;
        EXPECT_EQ(round_trip(4), fields(name, "ENG")) << name;
    }

    // A quote in the name closes the field's quoting early, so the spaces
    // between the fields that follow fall inside quotes: the rest of the line
    // arrives as one argument and the quote itself is gone.
    form.langletter = 'a';
    form.studentname = "jo\"e";
    EXPECT_EQ(round_trip(4),
        (std::vector<std::string> { "*" + pkg + "#", "*joe# *# *# *TRUE# *AFR# *" + data + "#" }));
    EXPECT_EQ(form.activityparams,
        "\"*" + pkg + "#\" \"*jo\"e#\" \"*#\" \"*#\" \"*TRUE#\" \"*AFR#\" \"*" + data + "#\"");
    EXPECT_EQ(form.studentextra1, "");
    EXPECT_EQ(form.studentextra2, "");
}

TEST_F(Launcher, ASecondClickWithinTheWaitPlaysWrongAndOnlyOneProgramStarts)
{
    click(form.Image3);
    t.run_for(100);
    click(form.Image1);
    EXPECT_EQ(first_field("effect"), form.fxdir + "wrong.wav");
    EXPECT_EQ(form.selectedactivity, 4);
    ASSERT_TRUE(started_program());
    started();
    t.run_for(1000);
    EXPECT_EQ(count("start"), 1u);
}

TEST_F(Launcher, AnExitWithinTheWaitCancelsTheStartAndTheFarewellIsHeardWhole)
{
    furnish_farewell('a');
    form.exitbut.Show();
    // The farewell window's exit button, three seconds after it is shown.
    std::optional<EventLoop::TimerId> leave;
    leave = t.app.loop().add_timer(3000, [&] {
        t.app.loop().remove_timer(*leave);
        click_at(760, 570);
    });
    click(form.Image3);
    t.run_for(100);
    click(form.exitbut);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(count("start"), 0u);
    EXPECT_FALSE(minimised());
    EXPECT_EQ(traced_files("voice-end"), (std::vector<std::string> { "a_17.wav" }));
}

TEST_F(Launcher, TheReportSlotStartsLikeTheActivities)
{
    click(form.reportbut);
    ASSERT_TRUE(started_program());
    auto program = started();
    EXPECT_EQ(traced("start").at(0).fields.at(0), pkg + "progress/progress.exe");
    EXPECT_EQ(program.arguments, fields("anna", "AFR"));
    EXPECT_TRUE(minimised());
}

TEST_F(Launcher, AProgramThatEndsAtOnceIsBackWithinOneFinishCheck)
{
    ::setenv("SPROUT_PROBE_SLEEP_MS", "0", 1);
    click(form.Image1);
    ASSERT_TRUE(started_program());
    end(started());
    ASSERT_TRUE(back_on_menu());
    EXPECT_EQ(finished_at - started_at, 500);
    EXPECT_EQ(count("finished"), 1u);
}

TEST_F(Launcher, ARefusedStartComesBackAtOnceWithTheInstructionAndNoMessage)
{
    std::string no_bin = profile.make_folder("empty-path");
    struct RestorePath {
        std::string old { std::getenv("PATH") ? std::getenv("PATH") : "" };
        ~RestorePath() { ::setenv("PATH", old.c_str(), 1); }
    } restore;
    ::setenv("PATH", no_bin.c_str(), 1);
    ::chmod((pkg + form.activities[4]).c_str(), 0644);
    std::string old_program = install.write(form.activities[1], "MZ\x90");
    ::chmod(old_program.c_str(), 0755);

    for (TControl* zone : std::initializer_list<TControl*> { &form.Image3, &form.Image1 }) {
        click(*zone);
        ASSERT_TRUE(t.run_until([&] { return !form.executetimer.Enabled(); }, 1000));
        EXPECT_TRUE(form.menuactive) << zone->Name();
        EXPECT_FALSE(form.childrunning);
        EXPECT_TRUE(form.instructionplaying);
        EXPECT_FALSE(form.AppExe.watching());
    }
    EXPECT_EQ(count("start"), 0u);
    EXPECT_EQ(form.AppExe.error_code(), 31);
    for (auto const& line : traced("window"))
        EXPECT_EQ(line.fields.at(0), "maximised") << "never minimised";
    EXPECT_TRUE(messages().empty());
    ASSERT_TRUE(t.run_until([&] { return form.instructiongiven; }, 3000));
    EXPECT_EQ(first_field("voice"), form.voicedir + "a_2.wav");
}

TEST_F(Launcher, AMissingProgramWarnsAndTheMenuComesBackSpeaking)
{
    auto answering = t.app.loop().add_timer(10, [this] {
        if (t.open_box())
            t.key(platform::keys::Return);
    });
    // Clicked as the instruction starts, this sub-choice's click stops the
    // sequence before the instruction has been heard.
    form.denke_but1.Show();
    form.instructionplaying = true;
    form.StartPrompts("", 1, "a_2.mp3", 500);
    click(form.denke_but1);
    ASSERT_TRUE(t.run_until([&] { return !messages().empty(); }, 1000));
    t.app.loop().remove_timer(answering);
    EXPECT_EQ(messages(),
        (std::vector<std::string> { "warning: The file you selected does not exists! Please re-install software!" }));
    EXPECT_TRUE(form.menuactive);
    EXPECT_FALSE(form.childrunning);
    EXPECT_FALSE(minimised());
    EXPECT_EQ(form.activitypath, pkg + "thinking2/association.exe");

    ASSERT_TRUE(t.run_until([&] { return form.instructiongiven; }, 3000));
    move_into(form.Image3);
    EXPECT_EQ(first_field("effect"), form.fxdir + "click.wav");
    ASSERT_TRUE(t.run_until([&] { return form.spoken[3]; }, 3000));
    // The next click starts its program (taken, so the test ends it rather
    // than leaving it to hold ctest's output open).
    click(form.Image3);
    ASSERT_TRUE(started_program());
    EXPECT_EQ(started().arguments, fields("anna", "AFR"));
}

TEST_F(Launcher, TheMenuComesBackAsItWasLeftAndHovermarkSurvives)
{
    install_probe(pkg + form.activities[3]);
    form.spoken[1] = true;
    t.move(400, 340); // the thinking item, outside its overlay
    t.move(form.denke_but1.Left() + 20, form.denke_but1.Top() + 60);
    t.settle();
    ASSERT_TRUE(form.hovermark[9]);
    ASSERT_TRUE(form.phand2.Visible());
    click(form.denke_but1);
    ASSERT_TRUE(started_program());
    EXPECT_EQ(traced("start").at(0).fields.at(0), pkg + "thinking2/association.exe");
    end(started());
    ASSERT_TRUE(back_on_menu());

    EXPECT_TRUE(form.hovermark[9]);
    EXPECT_FALSE(form.spoken[1]);
    EXPECT_TRUE(form.denke_ovr.Visible());
    EXPECT_TRUE(form.denke_but1.Visible());
    EXPECT_TRUE(form.phand2.Visible());
    EXPECT_EQ(form.phand2.Left(), form.denke_but1.Left());
    EXPECT_EQ(form.phand2.Top(), form.denke_but1.Top());
    ASSERT_TRUE(t.run_until([&] { return form.instructiongiven; }, 3000));

    auto effects = count("effect");
    t.move(form.denke_but1.Left() + 30, form.denke_but1.Top() + 70);
    t.settle();
    EXPECT_EQ(count("effect"), effects) << "the zone last entered stays silent";
    t.move(form.Image1.Left() + 20, form.Image1.Top() + 20);
    t.settle();
    EXPECT_EQ(first_field("effect"), form.fxdir + "click.wav");
    ASSERT_TRUE(t.run_until([&] { return form.spoken[1]; }, 3000));
    EXPECT_EQ(first_field("voice"), form.voicedir + "m1.wav");
}
