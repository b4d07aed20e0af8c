#include "desktop/DesktopShell.h"

namespace {

using Mapping = std::vector<std::uint8_t>;
using platform::FakeDesktop;

struct DesktopIntegration : DesktopShell {
    std::string font_path() const { return folder.path() + "ZEDO Pri.TTF"; }
};

}

TEST_F(DesktopIntegration, ThePanelIsHiddenForTheRunAndShownAtExit)
{
    auto& f = create();
    EXPECT_EQ(f.taskbarwnd, FakeDesktop::panel_handle);
    EXPECT_FALSE(desktop.panel_mapped());
    destroy();
    EXPECT_TRUE(desktop.panel_mapped());
    EXPECT_EQ(traced("panel"), (std::vector<std::string> { "hidden", "shown" }));
}

TEST_F(DesktopIntegration, WithoutAPanelNothingIsHiddenOrShown)
{
    desktop.remove_panel();
    auto& f = create();
    destroy();
    EXPECT_EQ(f.taskbarwnd, 0u);
    for (auto const& call : desktop.calls())
        EXPECT_EQ(call.rfind("hide", 0), std::string::npos) << call;
    EXPECT_TRUE(traced("panel").empty());
}

TEST_F(DesktopIntegration, TheExitPutsBackTheButtonOrderFoundAtStart)
{
    desktop.set_mapping({ 3, 2, 1, 4, 5 });
    create();
    desktop.set_mapping({ 1, 2, 3, 4, 5 }); // changed by the user meanwhile
    destroy();
    EXPECT_EQ(desktop.mapping(), (Mapping { 3, 2, 1, 4, 5 }));
}

TEST_F(DesktopIntegration, AnUnswappedPointerIsLeftAlone)
{
    desktop.set_mapping({ 1, 2, 3, 5, 4 });
    create();
    destroy();
    EXPECT_EQ(desktop.mapping(), (Mapping { 1, 2, 3, 5, 4 }));
    for (auto const& call : desktop.calls())
        EXPECT_NE(call, "map");
}

TEST_F(DesktopIntegration, ThePackageFontIsAddedForTheRunAndRemovedAtExit)
{
    folder.write("ZEDO Pri.TTF", "font");
    auto& f = create();
    EXPECT_EQ(desktop.fonts().count(font_path()), 1u);
    EXPECT_EQ(t.text.font_changes(), 1) << "the renderer looks faces up again";
    destroy();
    EXPECT_TRUE(desktop.fonts().empty());
    EXPECT_EQ(t.text.font_changes(), 2);
    EXPECT_EQ(traced("font"), (std::vector<std::string> { "added\t" + font_path(), "removed\t" + font_path() }));
    EXPECT_FALSE(f.RegisterFont(f.installdir + "ZEDO Pri.TTF", false)) << "nothing left to remove";
}

TEST_F(DesktopIntegration, TheFontFileIsFoundWhateverTheCaseOfItsName)
{
    folder.write("zedo pri.ttf", "font");
    create();
    EXPECT_EQ(desktop.fonts().count(folder.path() + "zedo pri.ttf"), 1u);
}

TEST_F(DesktopIntegration, AMissingFontIsNotAddedButItsRemovalIsStillTried)
{
    auto& f = create();
    EXPECT_TRUE(f.RegisterFont(font_path(), true));
    EXPECT_TRUE(desktop.fonts().empty());
    EXPECT_EQ(t.text.font_changes(), 0);
    destroy();
    EXPECT_EQ(desktop.calls().back(), "remove " + font_path());
    EXPECT_EQ(t.text.font_changes(), 1) << "the change is announced whether or not the removal worked";
    EXPECT_TRUE(traced("font").empty());
}

TEST_F(DesktopIntegration, AFontThePlatformRefusesIsReportedFalseAndNotAnnounced)
{
    folder.write("ZEDO Pri.TTF", "font");
    desktop.refuse_fonts();
    auto& f = create();
    EXPECT_FALSE(f.RegisterFont(font_path(), true));
    EXPECT_EQ(t.text.font_changes(), 0);
}

TEST_F(DesktopIntegration, AnErrorInOneExitStepIsShownAndTheOthersStillRun)
{
    desktop.set_mapping({ 3, 2, 1 });
    create();
    struct Thrower : platform::Display {
        Capabilities capabilities() override { throw std::runtime_error("The screen went away"); }
        std::optional<platform::DisplayModeRecord> current_mode() override { return std::nullopt; }
        std::optional<platform::DisplayModeRecord> mode(int) override { return std::nullopt; }
        int apply(platform::DisplayModeRecord const&) override { return change_failed; }
    } broken;
    {
        platform::Display::Installed broken_installed(broken);
        destroy();
    }
    EXPECT_EQ(traced("message"), (std::vector<std::string> { "error\tThe screen went away" }));
    EXPECT_TRUE(desktop.panel_mapped());
    EXPECT_EQ(desktop.mapping(), (Mapping { 3, 2, 1 }));
}
