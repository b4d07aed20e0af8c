#include "desktop/DesktopShell.h"

#include <thread>

namespace {

constexpr unsigned ctrl_alt = platform::HotKeys::Control | platform::HotKeys::Alt;

struct GlobalHotKey : DesktopShell { };

}

TEST_F(GlobalHotKey, TheMainWindowHoldsCtrlAltZFromItsCreationToItsDestruction)
{
    auto& f = create();
    EXPECT_EQ(f.GlobalHotKey2.HotKey(), 0xC05A);
    EXPECT_TRUE(f.GlobalHotKey2.Active());
    EXPECT_TRUE(hot_keys.held('Z', ctrl_alt));
    EXPECT_EQ(traced("hotkey"), (std::vector<std::string> { "grabbed" }));
    t.app.delete_component(form);
    form = nullptr;
    EXPECT_EQ(hot_keys.grabs(), 0u);
}

TEST_F(GlobalHotKey, ACombinationHeldElsewhereIsNotReported)
{
    hot_keys.hold_elsewhere('Z', ctrl_alt);
    create();
    EXPECT_EQ(traced("hotkey"), (std::vector<std::string> { "busy" }));
    EXPECT_TRUE(traced("message").empty());
}

TEST_F(GlobalHotKey, ActiveAndHotKeyRegisterAndReleaseAsTheyChange)
{
    auto& form = t.app.CreateForm<TForm1>("Form1");
    this->form = &form;
    auto& key = form.add<TGlobalHotKey>("key");
    EXPECT_EQ(hot_keys.grabs(), 1u) << "nothing until a key is set";
    key.SetHotKey(scShift | 'A');
    EXPECT_TRUE(hot_keys.held('A', platform::HotKeys::Shift));
    key.SetActive(false);
    EXPECT_FALSE(hot_keys.held('A', platform::HotKeys::Shift));
    key.SetHotKey(scCtrl | '1'); // stored, not registered while inactive
    EXPECT_FALSE(hot_keys.held('1', platform::HotKeys::Control));
    key.SetActive(true);
    EXPECT_TRUE(hot_keys.held('1', platform::HotKeys::Control));
    key.SetHotKey(0);
    EXPECT_EQ(hot_keys.grabs(), 1u);
}

TEST_F(GlobalHotKey, APressReachesOnKeyDownOnTheUserInterfaceThread)
{
    auto& f = create();
    std::thread::id ran_on;
    int key = 0;
    TShiftState shift;
    f.GlobalHotKey2.OnKeyDown = [&](TObject*, int k, TShiftState s) {
        ran_on = std::this_thread::get_id();
        key = k;
        shift = s;
    };
    ASSERT_TRUE(hot_keys.press('Z', ctrl_alt));
    EXPECT_EQ(key, 0) << "not on the platform's thread";
    t.settle();
    EXPECT_EQ(ran_on, std::this_thread::get_id());
    EXPECT_EQ(key, 'Z');
    EXPECT_TRUE(shift.ctrl && shift.alt && !shift.shift);
}

TEST_F(GlobalHotKey, APressQueuedBeforeTheComponentWentIsDropped)
{
    auto& f = create();
    bool heard = false;
    f.GlobalHotKey2.OnKeyDown = [&](TObject*, int, TShiftState) { heard = true; };
    ASSERT_TRUE(hot_keys.press('Z', ctrl_alt));
    t.app.delete_component(form);
    form = nullptr;
    t.settle();
    EXPECT_FALSE(heard);
}
