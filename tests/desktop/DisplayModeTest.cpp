#include "desktop/DesktopShell.h"

#include <filesystem>

namespace {

using platform::FakeDisplay;

std::string const resolution_text = "information\tThis program requires a screen resolution of at least 800x600 @ "
                                    "16bit colour. Please update your display drivers.";
std::string const depth_text = "warning\tThis program requires a colordepth of at least 16-bit to view the graphics "
                               "in this application. Update your display driver or graphics adaptor.";

struct DisplayMode : DesktopShell {
    // A 1024 x 768 screen at 32 bits and `refresh` Hz offering 800 x 600 at
    // the given rates.
    void screen(int refresh, std::initializer_list<int> offered_rates)
    {
        display.set_current(1024, 768, 32, refresh);
        display.offer(FakeDisplay::record(640, 480, 32, refresh));
        for (int rate : offered_rates)
            display.offer(FakeDisplay::record(800, 600, 32, rate));
        display.offer(FakeDisplay::record(1024, 768, 32, refresh));
    }
};

}

TEST_F(DisplayMode, TheRecordAtTheRateInForceIsAppliedAndTheStartModeComesBackAtExit)
{
    screen(75, { 60, 75, 85 });
    auto& f = create();
    ASSERT_EQ(display.applied().size(), 1u) << "the 16-bit call is not made";
    EXPECT_EQ(display.applied()[0], FakeDisplay::record(800, 600, 32, 75));
    EXPECT_EQ(f.startmode, (DisplayValues { 75, 1024, 768, 32 }));
    EXPECT_EQ(f.displaymodes.size(), 6u) << "five enumerated and the saved one";
    EXPECT_EQ(f.savedmodepos, 6);
    EXPECT_EQ(t.window.screen(), std::make_pair(800, 600)) << "the window follows the screen";
    EXPECT_EQ(traced("display"), (std::vector<std::string> { "800x600@75" }));
    EXPECT_TRUE(traced("message").empty());
    EXPECT_FALSE(f.closetimer.Enabled());

    destroy();
    ASSERT_EQ(display.applied().size(), 2u);
    EXPECT_EQ(display.applied()[1], FakeDisplay::record(1024, 768, 32, 75));
    EXPECT_EQ(f.restoremode, (DisplayValues { 75, 800, 600, 32 }));
    EXPECT_TRUE(f.displaymodes.empty());
    EXPECT_EQ(t.window.screen(), std::make_pair(1024, 768));
    EXPECT_EQ(traced("display"), (std::vector<std::string> { "800x600@75", "1024x768@75" }));
    // A second restore finds nothing saved.
    f.RestoreDisplayMode();
    EXPECT_EQ(display.applied().size(), 2u);
}

TEST_F(DisplayMode, WithoutAModeAtTheRateInForceALargeEnoughScreenServesAsItIs)
{
    screen(75, { 60 });
    auto& f = create();
    EXPECT_TRUE(display.applied().empty());
    EXPECT_TRUE(traced("message").empty());
    EXPECT_FALSE(f.closetimer.Enabled());
    EXPECT_FALSE(desktop.panel_mapped()) << "start-up went on";
    EXPECT_FALSE(f.installdir.empty());
    destroy();
    EXPECT_TRUE(display.applied().empty());
}

TEST_F(DisplayMode, ASmallerScreenWithoutAModeAtItsRateGivesOneBoxAndTheDegradedStart)
{
    display.set_current(640, 480, 32, 75);
    display.offer(FakeDisplay::record(800, 600, 32, 60));
    auto& f = create();
    EXPECT_TRUE(display.applied().empty());
    EXPECT_EQ(traced("message"), (std::vector<std::string> { resolution_text }));
    EXPECT_TRUE(f.closetimer.Enabled());
    EXPECT_TRUE(desktop.panel_mapped()) << "the panel stays";
    EXPECT_EQ(f.taskbarwnd, 0u);
    EXPECT_TRUE(f.installdir.empty());
    EXPECT_TRUE(f.activities[1].empty());
    EXPECT_EQ(f.displaymodes, std::vector<platform::DisplayModeRecord> {}) << "emptied by the restore";

    destroy();
    EXPECT_TRUE(display.applied().empty());
    EXPECT_EQ(display.capabilities(), (platform::Display::Capabilities { 75, 640, 480, 32 }));
    // The font is removed by its bare name, which was never added.
    EXPECT_EQ(desktop.calls().back(), "remove " + folder.path() + "ZEDO Pri.TTF");
}

TEST_F(DisplayMode, AScreenAlready800By600KeepsItsModeAndWarnsOnlyBelow16Bits)
{
    display.set_current(800, 600, 8, 60);
    display.offer(FakeDisplay::record(800, 600, 32, 60));
    auto& f = create();
    EXPECT_EQ(traced("message"), (std::vector<std::string> { depth_text }));
    EXPECT_TRUE(display.applied().empty());
    EXPECT_FALSE(f.closetimer.Enabled());
    EXPECT_FALSE(desktop.panel_mapped()) << "start-up went on";
    EXPECT_EQ(f.savedmodepos, 0) << "nothing was enumerated";

    display.set_current(800, 600, 16, 60);
    EXPECT_TRUE(f.SwitchDisplayMode(800, 600, 32));
    EXPECT_EQ(traced("message").size(), 1u);
}

TEST_F(DisplayMode, OfTwoMatchingRecordsTheOneEnumeratedLaterIsApplied)
{
    display.set_current(1024, 768, 32, 60);
    auto first = FakeDisplay::record(800, 600, 32, 60);
    auto second = first;
    second.set_dword(platform::DisplayModeRecord::reserved1_offset, 2);
    display.offer(first);
    display.offer(second);
    create();
    ASSERT_EQ(display.applied().size(), 1u);
    EXPECT_EQ(display.applied()[0].platform_mode_id(), 2u);
}

TEST_F(DisplayMode, The16BitModeIsTakenWhenNo32BitOneIsOffered)
{
    display.set_current(1024, 768, 32, 60);
    display.offer(FakeDisplay::record(800, 600, 16, 60));
    create();
    ASSERT_EQ(display.applied().size(), 1u);
    EXPECT_EQ(display.applied()[0].dmBitsPerPel(), 16u);
}

TEST_F(DisplayMode, AModeTheUserChoseMeanwhileIsReplacedByTheStartMode)
{
    screen(60, { 60 });
    create();
    display.set_current(1280, 1024, 32, 60);
    destroy();
    ASSERT_EQ(display.applied().size(), 2u);
    EXPECT_EQ(display.applied()[1], FakeDisplay::record(1024, 768, 32, 60));
}

TEST_F(DisplayMode, NothingIsAppliedAtExitWhenTheSwitchWasRefused)
{
    screen(60, { 60 });
    display.refuse_changes();
    auto& f = create();
    ASSERT_EQ(display.applied().size(), 1u);
    EXPECT_TRUE(traced("display").empty());
    EXPECT_FALSE(f.closetimer.Enabled()) << "a refused switch still counts as made";
    destroy();
    EXPECT_EQ(display.applied().size(), 1u);
}

TEST_F(DisplayMode, WithoutTheModeInForceTheSwitchIsMadeAndNeverUndone)
{
    screen(60, { 60 });
    display.hide_current_mode();
    auto& f = create();
    EXPECT_EQ(f.savedmodepos, -1);
    ASSERT_EQ(display.applied().size(), 1u);
    destroy();
    EXPECT_EQ(display.applied().size(), 1u);
}

TEST_F(DisplayMode, ASettingsFileWithoutSetYesTurnsTheCheckOff)
{
    screen(75, { 60 });
    folder.write("displaysettings.txt", "set=yes\r\n");
    auto& f = create();
    EXPECT_TRUE(display.applied().empty());
    EXPECT_TRUE(traced("message").empty()) << "no resolution check either";
    EXPECT_FALSE(f.closetimer.Enabled());
    EXPECT_EQ(f.startmode, DisplayValues {});
}

TEST_F(DisplayMode, ASettingsFileWithSetYesIsFoundWhateverItsCase)
{
    screen(60, { 60 });
    folder.write("DisplaySettings.TXT", "SET=YES\n");
    create();
    EXPECT_EQ(display.applied().size(), 1u);
}

TEST_F(DisplayMode, AnUnreadableSettingsFileEndsTheCreationInAnErrorBox)
{
    screen(60, { 60 });
    // Reading the start of a process's memory fails, whoever we are.
    std::filesystem::create_symlink("/proc/self/mem", folder.path() + "displaysettings.txt");
    auto& f = create();
    auto messages = traced("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("error\tCannot read file \"displaysettings.txt\".", 0), 0u) << messages[0];
    EXPECT_TRUE(display.applied().empty());
    EXPECT_TRUE(desktop.panel_mapped());
    EXPECT_FALSE(f.closetimer.Enabled());
    EXPECT_TRUE(f.installdir.empty());
}
