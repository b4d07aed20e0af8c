#include "platform/Guardian.h"
#include "platform/x11/RandR.h"
#include "platform/x11/ScreenLayout.h"
#include "platform/x11/X11Display.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

using platform::Display;
using platform::Guardian;
using platform::x11::RandR;
using platform::x11::ScreenLayout;
using platform::x11::X11Display;

// A server's XRandR state that records every change asked of it and, as a
// server does, refuses a CRTC the screen cannot hold and a screen smaller
// than a CRTC on it.
class RecordingRandR final : public RandR {
public:
    Resources state;
    ScreenSize size;
    std::vector<Crtc> crtcs_set;
    std::vector<ScreenSize> sizes_set;
    bool refuse_crtcs { false };
    int grabs { 0 };

    std::optional<Resources> resources() override { return state; }
    ScreenSize screen_size() override { return size; }
    int bits_per_pixel() override { return 32; }
    bool set_screen_size(ScreenSize const& wanted) override
    {
        sizes_set.push_back(wanted);
        for (auto const& c : state.crtcs)
            if (right(c) > wanted.width || bottom(c) > wanted.height)
                return false;
        size = wanted;
        return true;
    }
    bool set_crtc(Crtc const& wanted) override
    {
        crtcs_set.push_back(wanted);
        EXPECT_EQ(grabs, 1) << "changed with the server grabbed";
        if (refuse_crtcs || right(wanted) > size.width || bottom(wanted) > size.height)
            return false;
        *std::find_if(state.crtcs.begin(), state.crtcs.end(), [&](Crtc const& c) { return c.id == wanted.id; }) = wanted;
        return true;
    }
    void grab_server() override { ++grabs; }
    void ungrab_server() override { --grabs; }

private:
    std::pair<int, int> extent(Crtc const& c) const
    {
        auto m = std::find_if(state.modes.begin(), state.modes.end(), [&](Mode const& m) { return m.id == c.mode; });
        if (m == state.modes.end())
            return { 0, 0 };
        bool turned = c.rotation & (rotate_90 | rotate_270);
        return { int(turned ? m->height : m->width), int(turned ? m->width : m->height) };
    }
    int right(Crtc const& c) const { return c.x + extent(c).first; }
    int bottom(Crtc const& c) const { return c.y + extent(c).second; }
};

class RecordingGuardian final : public Guardian {
public:
    std::map<Hold, std::string> held;
    void taken(Hold hold, std::string const& how) override { held[hold] = how; }
    void given_back(Hold hold) override { held.erase(hold); }
};

constexpr RandR::Id big = 1, small = 2, hdmi = 10, vga = 11, crtc = 100, spare_crtc = 101;

// One CRTC showing 1024 x 768 at 60 Hz, turned by `rotation`, on `outputs`;
// every output offers 800 x 600 at 60 Hz too.
RecordingRandR screen(unsigned rotation, std::vector<RandR::Id> outputs, RandR::ScreenSize size)
{
    RecordingRandR r;
    r.state.modes = { { big, 1024, 768, 60 }, { small, 800, 600, 60 } };
    for (RandR::Id o : outputs)
        r.state.outputs.push_back({ o, o == hdmi ? "HDMI-1" : "VGA-1", true, crtc, { crtc, spare_crtc }, { big, small } });
    r.state.crtcs = { { crtc, 0, 0, big, rotation, outputs }, { spare_crtc, 0, 0, 0, RandR::rotate_0, {} } };
    r.state.primary = outputs.front();
    r.size = size;
    return r;
}

// Switches to 800 x 600 and back as the shell does: the record found first,
// then the one offered.
struct SwitchAndRestore {
    explicit SwitchAndRestore(RecordingRandR& r) : randr(r) { }
    RecordingRandR& randr;
    RecordingGuardian guardian;
    X11Display display { randr, guardian };
    std::optional<platform::DisplayModeRecord> found = display.current_mode();
    std::optional<platform::DisplayModeRecord> offered = display.mode(1);
};

}

TEST(X11Display, AMirroredPairKeepsBothOutputsThroughTheSwitchAndTheRestore)
{
    RecordingRandR randr = screen(RandR::rotate_0, { hdmi, vga }, { 1024, 768, 270, 203 });
    RandR::Crtc const before = randr.state.crtcs[0];
    SwitchAndRestore run(randr);
    ASSERT_TRUE(run.found && run.offered);
    ASSERT_EQ(run.offered->dmPelsWidth(), 800u);

    ASSERT_EQ(run.display.apply(*run.offered), Display::change_successful);
    EXPECT_EQ(randr.crtcs_set.back(), (RandR::Crtc { crtc, 0, 0, small, RandR::rotate_0, { hdmi, vga } }));
    EXPECT_EQ(randr.size, (RandR::ScreenSize { 800, 600, 211, 159 })) << "the same pixel density";
    EXPECT_EQ(run.display.capabilities(), (Display::Capabilities { 60, 800, 600, 32 }));
    // What the guardian would put back, told before the change.
    EXPECT_EQ(ScreenLayout::from_text(run.guardian.held.at(Guardian::Hold::display)),
        (ScreenLayout { before, { 1024, 768, 270, 203 } }));

    ASSERT_EQ(run.display.apply(*run.found), Display::change_successful);
    EXPECT_EQ(randr.state.crtcs[0], before);
    EXPECT_EQ(randr.size, (RandR::ScreenSize { 1024, 768, 270, 203 })) << "exactly as found";
    EXPECT_TRUE(run.guardian.held.empty());
    EXPECT_EQ(randr.grabs, 0);
}

TEST(X11Display, AScreenTurnedLeftIsSwitchedAndRestoredAtItsTurnedSizes)
{
    RecordingRandR randr = screen(RandR::rotate_90, { hdmi }, { 768, 1024, 203, 270 });
    SwitchAndRestore run(randr);
    EXPECT_EQ(run.display.capabilities(), (Display::Capabilities { 60, 768, 1024, 32 }));

    ASSERT_EQ(run.display.apply(*run.offered), Display::change_successful);
    EXPECT_EQ(randr.state.crtcs[0].rotation, RandR::rotate_90);
    EXPECT_EQ(randr.size, (RandR::ScreenSize { 600, 800, 159, 211 }));

    ASSERT_EQ(run.display.apply(*run.found), Display::change_successful);
    EXPECT_EQ(randr.state.crtcs[0], (RandR::Crtc { crtc, 0, 0, big, RandR::rotate_90, { hdmi } }));
    EXPECT_EQ(randr.size, (RandR::ScreenSize { 768, 1024, 203, 270 }));
}

TEST(X11Display, ARestoreTheServerRefusesIsSaidAndStaysToBeDone)
{
    RecordingRandR randr = screen(RandR::rotate_0, { hdmi }, { 1024, 768, 270, 203 });
    SwitchAndRestore run(randr);
    ASSERT_EQ(run.display.apply(*run.offered), Display::change_successful);

    randr.refuse_crtcs = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run.display.apply(*run.found), Display::change_failed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "pipkin-sprout: the X server refused to put the screen back to 1024 x 768\n");
    EXPECT_EQ(randr.size, (RandR::ScreenSize { 800, 600, 211, 159 })) << "the grown screen shrunk back";
    EXPECT_TRUE(run.guardian.held.count(Guardian::Hold::display)) << "the guardian still has it to do";

    randr.refuse_crtcs = false;
    EXPECT_EQ(run.display.apply(*run.found), Display::change_successful);
    EXPECT_EQ(randr.size, (RandR::ScreenSize { 1024, 768, 270, 203 }));
    EXPECT_TRUE(run.guardian.held.empty());
}
