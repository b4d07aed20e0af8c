#include "shell/TForm1.h"

#include "framework/TMessageForm.h"
#include "platform/fake/ClockedAudioDevice.h"
#include "platform/fluid/FluidSynth.h"
#include "support/ScopedTrace.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "support/TraceLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string const question = "The MCI driver for midi-files is not properly installed. Midi files are music files "
                             "that are used for background music. Do you want to disable the music?";
std::string const removed = "Please re-start this program. Midi-files have been removed.";
std::string const kept = "Not every music file could be removed: this user may not change the program's folder. "
                         "The program goes on without music now and will ask again at its next start.";

// A folder its user may not change, as the installed package's is: without
// write permission and, for root, who passes over that, immutable. Undone
// when it goes.
struct UnchangeableFolder {
    std::string path;
    explicit UnchangeableFolder(std::string folder) : path(std::move(folder))
    {
        ::chmod(path.c_str(), 0555);
        set_immutable(true);
    }
    ~UnchangeableFolder()
    {
        set_immutable(false);
        ::chmod(path.c_str(), 0755);
    }
    // False where neither took (a file system without the flag).
    bool holds() const
    {
        std::string probe = path + "probe";
        int fd = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0)
            return true;
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }
    void set_immutable(bool on) const
    {
        int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }
};

// The main window's music in virtual time: real tunes on the real synth,
// rendered by an output that asks for a block every 1024 / 44100 s of that
// time. Message boxes are answered from a list of keys (Enter when it runs
// out).
struct Music : ::testing::Test {
    TestApp t;
    TempFolder folder;
    platform::ClockedAudioDevice output { t.clock };
    platform::FluidSynth synth { output, platform::FluidSynth::default_soundfont() };
    platform::AudioDevice::Installed output_installed { output };
    platform::Synth::Installed synth_installed { synth };
    ScopedTrace trace { folder.path() + "trace.txt" };
    std::string musicdir = folder.make_folder("install/Music") + "/";
    std::deque<int> answers;
    EventLoop::TimerId answering = t.app.loop().add_timer(20, [this] { answer_box(); });
    TForm1* form = nullptr;

    void SetUp() override
    {
        if (!synth.wait_loaded())
            GTEST_SKIP() << "no soundfont installed";
        setenv("ALLUSERSPROFILE", folder.make_folder("profile").c_str(), 1);
        form = &make_form("Form1");
    }
    ~Music() override
    {
        t.app.loop().remove_timer(answering);
        // Closed first, as the program closes its window before it goes, so no
        // timer ticks into a window being destroyed; the players go before the
        // synth and the output they sound through.
        for (auto* c : t.app.components())
            if (auto* f = dynamic_cast<TForm1*>(c)) {
                f->FormClose(f);
                t.app.delete_component(f);
            }
    }

    TForm1& make_form(std::string const& name)
    {
        auto& f = t.app.CreateForm<TForm1>(name);
        f.musicdir = musicdir;
        return f;
    }
    void answer_box()
    {
        for (auto* c : t.app.components())
            if (dynamic_cast<TMessageForm*>(c)) {
                int key = answers.empty() ? platform::keys::Return : answers.front();
                if (!answers.empty())
                    answers.pop_front();
                t.key(key);
                return;
            }
    }
    void tune(std::string const& name, std::uint32_t ticks = 96) // 96 ticks: 100 ms
    {
        folder.write("install/Music/" + name, sound_files::midi(ticks));
    }

    // The first field of each traced event of one kind.
    std::vector<std::string> traced(std::string const& kind)
    {
        std::vector<std::string> found;
        for (auto const& line : read_trace(trace.path(), kind))
            found.push_back(line.fields.at(0));
        return found;
    }
    std::vector<std::string> messages()
    {
        std::vector<std::string> texts;
        std::ifstream in(trace.path());
        for (std::string line; std::getline(in, line);)
            if (auto at = line.find("\tmessage\t"); at != std::string::npos)
                texts.push_back(line.substr(line.find('\t', at + 9) + 1));
        return texts;
    }
    bool run_until_played(std::size_t count, platform::Millis limit = 20000)
    {
        return t.run_until([&] { return traced("music").size() >= count; }, limit);
    }
    double loudest()
    {
        double level = 0;
        for (float s : output.captured())
            level = std::max(level, double(std::fabs(s)));
        return level;
    }
};

}

TEST_F(Music, AFolderWithOnlyTheIntroTunePlaysItOnceThenSilence)
{
    tune("pipkin.mid");
    form->FormActivate(form);
    EXPECT_FALSE(form->intromusic);
    EXPECT_FALSE(form->musiclisted);
    EXPECT_EQ(form->musiccount, 0);
    EXPECT_EQ(traced("music"), (std::vector<std::string> { musicdir + "pipkin.mid" }));

    ASSERT_TRUE(t.run_until([&] { return !traced("music-end").empty(); }, 5000));
    t.run_for(2000);
    EXPECT_EQ(traced("music").size(), 1u);
    EXPECT_EQ(traced("music-end"), (std::vector<std::string> { musicdir + "pipkin.mid" }));
    EXPECT_TRUE(form->musiclisted);
    EXPECT_EQ(form->musiccount, 1);
    EXPECT_GT(loudest(), 0.01);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Music, TunesFollowWithoutEndAndTunesAddedLaterAreNotOffered)
{
    tune("pipkin.mid");
    tune("b.mid");
    form->FormActivate(form);
    ASSERT_TRUE(run_until_played(2));
    tune("c.mid"); // after the list was made
    ASSERT_TRUE(run_until_played(25));
    auto played = traced("music");
    bool repeated = false;
    for (std::size_t i = 0; i < played.size(); ++i) {
        EXPECT_TRUE(played[i] == musicdir + "pipkin.mid" || played[i] == musicdir + "b.mid") << played[i];
        repeated = repeated || (i > 0 && played[i] == played[i - 1]);
    }
    EXPECT_TRUE(repeated) << "a tune may follow itself";
    EXPECT_GE(traced("music-end").size(), 24u);
    EXPECT_EQ(form->musiccount, 2);
}

TEST_F(Music, WithoutTheIntroTuneNoMusicPlaysAtAll)
{
    tune("a.mid");
    tune("b.mid");
    folder.make_folder("install/Music/pipkin.mid/");
    form->FormActivate(form);
    t.run_for(2000);
    EXPECT_TRUE(traced("music").empty());
    EXPECT_EQ(form->music.DeviceID(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Music, ANotificationBeforeTheEndStartsNothing)
{
    tune("pipkin.mid", 960); // one second
    tune("b.mid");
    form->FormActivate(form);
    t.run_for(300);
    form->musicNotify(&form->music);
    form->music.Play(); // supersedes the play, which notifies
    t.run_for(300);
    EXPECT_EQ(traced("music").size(), 2u);
    EXPECT_TRUE(traced("music-end").empty());
    EXPECT_FALSE(form->musiclisted);
    ASSERT_TRUE(run_until_played(3));
}

TEST_F(Music, TheListSkipsHiddenTunesAndFoldersAndHoldsFifty)
{
    tune("pipkin.mid");
    tune(".hidden.mid");
    folder.make_folder("install/Music/x.mid");
    for (int i = 10; i < 69; ++i)
        tune("t" + std::to_string(i) + ".mid");
    form->FormActivate(form);
    ASSERT_TRUE(run_until_played(6));
    EXPECT_EQ(form->musiccount, 50);
    for (int i = 1; i <= form->musiccount; ++i) {
        EXPECT_NE(form->musicfiles[std::size_t(i)], ".hidden.mid");
        EXPECT_NE(form->musicfiles[std::size_t(i)], "x.mid");
    }
}

TEST_F(Music, ALaterTuneThatCannotBeOpenedIsReportedAndEndsTheChain)
{
    tune("pipkin.mid");
    folder.write("install/Music/broken.mid", "MThd garbage");
    form->FormActivate(form);
    ASSERT_TRUE(t.run_until([&] { return !messages().empty(); }, 30000));
    EXPECT_EQ(messages().front(),
        "The specified file cannot be played on the specified MCI device. The file may be corrupt, not in the "
        "correct format, or no file handler available for this format.");
    std::size_t played = traced("music").size();
    t.run_for(2000);
    EXPECT_EQ(traced("music").size(), played);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(Music, ADamagedIntroTuneAsksAndNoLeavesTheTunes)
{
    folder.write("install/Music/pipkin.mid", "not a tune");
    tune("b.mid");
    answers = { 'n' };
    form->FormActivate(form);
    EXPECT_EQ(messages(), (std::vector<std::string> { question }));
    EXPECT_TRUE(std::filesystem::exists(musicdir + "pipkin.mid"));
    EXPECT_TRUE(std::filesystem::exists(musicdir + "b.mid"));
    EXPECT_FALSE(t.app.Terminated());
    EXPECT_FALSE(form->intromusic);
    t.run_for(1000);
    EXPECT_TRUE(traced("music").empty());
}

TEST_F(Music, YesRemovesTheTunesAndEndsTheRunLikeANormalExit)
{
    folder.write("install/Music/pipkin.mid", "not a tune");
    tune("b.mid");
    tune(".c.mid");
    folder.write("install/Music/readme.txt", "x");
    folder.make_folder("install/Music/y.mid");
    answers = { 'y' };
    bool destroyed = false;
    form->OnDestroy = [&](TObject* s) {
        destroyed = true;
        form->FormDestroy(s);
    };
    t.app.Run(); // activates, asks, and returns once the window has closed
    EXPECT_EQ(messages(), (std::vector<std::string> { question, removed }));
    std::vector<std::string> left;
    for (auto const& e : std::filesystem::directory_iterator(musicdir))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string> { "readme.txt", "y.mid" }));
    EXPECT_TRUE(t.app.Terminated());
    EXPECT_FALSE(form->animatetimer.Enabled()) << "FormClose ran";
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(form->langletter, 'a') << "the rest of the activation ran";

    // The next start: neither music nor question.
    TForm1& next = make_form("Form2");
    next.FormActivate(&next);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(next.music.DeviceID(), 0);
}

TEST_F(Music, YesOnAFolderTheUserMayNotChangeSaysSoAndGoesOnWithoutMusic)
{
    folder.write("install/Music/pipkin.mid", "not a tune");
    tune("b.mid");
    UnchangeableFolder installed(musicdir);
    if (!installed.holds())
        GTEST_SKIP() << "no folder here can be made unchangeable";
    answers = { 'y' };
    form->FormActivate(form);
    EXPECT_EQ(messages(), (std::vector<std::string> { question, kept }));
    EXPECT_TRUE(std::filesystem::exists(musicdir + "pipkin.mid"));
    EXPECT_FALSE(t.app.Terminated());
    EXPECT_FALSE(form->closed());
    t.run_for(1000);
    EXPECT_TRUE(traced("music").empty());
}

namespace {

// Serves the loop's posted calls when destroyed, as a threaded timer does
// while it waits for its worker.
struct ServesCallsWhenDestroyed : TComponent {
    using TComponent::TComponent;
    ~ServesCallsWhenDestroyed() override { EventLoop::current().process_pending(); }
};

}

TEST_F(Music, ANotificationWhileTheWindowIsDestroyedIsDropped)
{
    tune("pipkin.mid", 960);
    form->FormActivate(form);
    t.run_for(200);
    // Destroyed before the player, with the aborted play's notification posted.
    form->add<ServesCallsWhenDestroyed>("probe");
    form->FormClose(form);
    form->music.Close();
    t.app.delete_component(form);
    form = nullptr;
    t.run_for(200);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(traced("music-end").empty());
}
