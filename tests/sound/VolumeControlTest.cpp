#include "support/ShellWithProbe.h"

#include <sys/stat.h>

namespace {

// The language screen, with the two system folders laid out by the test.
struct VolumeControl : ShellWithProbe {
    std::string windows = profile.make_folder("windows");
    std::string system = profile.make_folder("system");

    VolumeControl()
    {
        // Without their trailing separators, as the platform reports folders.
        form.sysinfo.set_folders(windows, system);
        form.ShowVolumeButton();
    }

    std::string started_from() { return first_field("start"); }
};

}

TEST_F(VolumeControl, TheSystemFolderCopyStartsWhenTheWindowsFolderHasNone)
{
    install_probe(system + "/pavucontrol");
    click(form.mutebut);
    auto program = started();
    EXPECT_EQ(started_from(), system + "/pavucontrol");
    EXPECT_TRUE(program.arguments.empty());
    EXPECT_TRUE(form.volumeopen);
    EXPECT_TRUE(minimised());

    // Closed, the shell comes back and the next click starts it again.
    end(program);
    ASSERT_TRUE(t.run_until([&] { return !form.volumeopen; }, 2000));
    EXPECT_FALSE(minimised());
    EXPECT_EQ(first_field("window"), "maximised");
    click(form.mutebut);
    started();
    EXPECT_EQ(count("start"), 2u);
    EXPECT_TRUE(messages().empty());
}

TEST_F(VolumeControl, TheWindowsFolderCopyWinsOverTheSystemFolders)
{
    install_probe(system + "/pavucontrol");
    install_probe(windows + "/Pavucontrol");
    click(form.mutebut);
    started();
    EXPECT_EQ(started_from(), windows + "/pavucontrol");
}

TEST_F(VolumeControl, AMissingProgramWarnsEvenWhileTheControlCountsAsOpen)
{
    for (bool open : { false, true }) {
        form.volumeopen = open;
        click_and_answer(form.mutebut);
        EXPECT_EQ(form.volumeopen, open);
    }
    EXPECT_EQ(messages(),
        (std::vector<std::string>(2, "warning: Volume control utility not found!")));
    EXPECT_FALSE(minimised());
    EXPECT_EQ(count("window"), 0u);
}

TEST_F(VolumeControl, ASecondClickWhileItRunsStartsNoSecondCopy)
{
    install_probe(windows + "/pavucontrol");
    click(form.mutebut);
    started();
    click_and_answer(form.mutebut);
    t.run_for(1000);
    EXPECT_EQ(messages(), (std::vector<std::string> { "information: Volume control allready loaded!" }));
    EXPECT_EQ(count("start"), 1u);
    EXPECT_TRUE(form.volumeopen);
}

TEST_F(VolumeControl, AProgramThatCannotStartBringsTheShellBack)
{
    ::chmod(install_probe(system + "/pavucontrol").c_str(), 0644);
    click(form.mutebut);
    EXPECT_FALSE(form.volumeopen);
    EXPECT_FALSE(minimised());
    EXPECT_EQ(count("start"), 0u);
    EXPECT_TRUE(messages().empty());
    auto windows_states = traced("window");
    ASSERT_EQ(windows_states.size(), 2u);
    EXPECT_EQ(windows_states[1].fields.at(0), "maximised");

    // And the button answers again.
    ::chmod((system + "/pavucontrol").c_str(), 0755);
    click(form.mutebut);
    started();
    EXPECT_TRUE(form.volumeopen);
}
