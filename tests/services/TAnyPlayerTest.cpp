#include "services/TAnyPlayer.h"

#include "support/DiskAudio.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "widgets/TestApp.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Real files through the real output on SDL's disk driver, in real time.
struct SoundPlayer : ::testing::Test {
    TempFolder folder;
    DiskAudio audio;
    RealTimeApp t;
    platform::Millis opened = t.now();
    std::unique_ptr<TAnyPlayer> vplayer = std::make_unique<TAnyPlayer>(nullptr);
    std::unique_ptr<TAnyPlayer> splayer = std::make_unique<TAnyPlayer>(nullptr);
    int ends = 0;
    platform::Millis ended_at = -1;

    SoundPlayer()
    {
        vplayer->OnEndPlay = [this](TObject* sender) {
            EXPECT_EQ(sender, vplayer.get());
            ++ends;
            ended_at = t.now();
        };
    }

    void start(TAnyPlayer& player, std::string const& name, int ms, double level)
    {
        player.SetFilename(folder.write(name, sound_files::wav(ms, level)));
        player.Open();
        player.Play();
    }
    void wait_for_end(platform::Millis limit = 3000)
    {
        platform::Millis end = t.now() + limit;
        while (ends == 0 && t.now() < end)
            t.run_for(20);
    }
    std::vector<float> capture()
    {
        vplayer.reset();
        splayer.reset();
        return audio.close();
    }
};

}

TEST_F(SoundPlayer, SoundsAtItsOffsetAndReportsItsEndOnceWithinAPollPeriod)
{
    t.run_for(200);
    platform::Millis started = t.now();
    start(*vplayer, "a_2.wav", 300, 0.25);
    EXPECT_EQ(vplayer->Duration(), 3'000'000);
    wait_for_end();
    ASSERT_EQ(ends, 1);
    EXPECT_GE(ended_at - started, 300);
    EXPECT_LE(ended_at - started, 300 + 150 + 120);
    // Stopped and cued at the start; the poll is off, so no second report.
    EXPECT_EQ(vplayer->Position(), 0);
    t.run_for(400);
    EXPECT_EQ(ends, 1);

    Heard h = heard(capture(), 0.25f);
    EXPECT_NEAR(h.start_ms, double(started - opened), 80);
    EXPECT_NEAR(h.length_ms, 300, 3);
}

TEST_F(SoundPlayer, ASecondOpenCutsTheFirstSilently)
{
    start(*vplayer, "long.wav", 1000, 0.25);
    t.run_for(200);
    start(*vplayer, "short.wav", 300, 0.5);
    platform::Millis second = t.now();
    wait_for_end();
    ASSERT_EQ(ends, 1);
    EXPECT_LT(ended_at - second, 300 + 150 + 120);
    t.run_for(1000);
    EXPECT_EQ(ends, 1);

    auto left = capture();
    Heard first = heard(left, 0.25f), next = heard(left, 0.5f);
    EXPECT_NEAR(first.length_ms, 200, 60);
    EXPECT_NEAR(next.length_ms, 300, 3);
    // At most one block of silence between the cut and the new start.
    EXPECT_GE(next.start_ms, first.start_ms + first.length_ms);
    EXPECT_LE(next.start_ms, first.start_ms + first.length_ms + 24);
}

TEST_F(SoundPlayer, StopMidPlayGivesNoEndAndStopWhileIdleDoesNothing)
{
    vplayer->Stop();
    start(*vplayer, "a_1.wav", 500, 0.25);
    t.run_for(200);
    vplayer->Stop();
    EXPECT_EQ(vplayer->Position(), 0);
    vplayer->Stop();
    t.run_for(800);
    EXPECT_EQ(ends, 0);
    EXPECT_NEAR(heard(capture(), 0.25f).length_ms, 200, 60);
}

TEST_F(SoundPlayer, AFileOfNoLengthEndsByItsCompletionAlone)
{
    start(*vplayer, "empty.wav", 0, 0.25);
    EXPECT_EQ(vplayer->Duration(), 0);
    wait_for_end();
    EXPECT_EQ(ends, 1);
    t.run_for(400);
    EXPECT_EQ(ends, 1);
}

TEST_F(SoundPlayer, AVoiceAndAnEffectOverlapAndTheEffectRewindsItselfUnwatched)
{
    start(*vplayer, "voice.wav", 600, 0.25);
    t.run_for(100);
    start(*splayer, "click.wav", 200, 0.5);
    t.run_for(450);
    EXPECT_EQ(splayer->Position(), 0);
    wait_for_end();
    EXPECT_EQ(ends, 1);

    auto left = capture();
    EXPECT_NEAR(heard(left, 0.75f).length_ms, 200, 3);
    EXPECT_NEAR(heard(left, 0.25f).length_ms, 400, 3);
}

TEST(SoundPlayerFiles, BrokenFilesRaiseTheFormatTextAndMissingOnesDoNothing)
{
    VirtualApp t;
    TempFolder folder;
    TAnyPlayer player(nullptr);
    std::string const good = sound_files::wav(100, 0.25);
    std::string const text = "Cannot play back the file.  The format is not supported.";
    for (std::string content : { std::string(), std::string("RIFF\x10\0\0\0WAVEfmt ", 16), good.substr(0, 30),
             std::string(5000, '\x7f'), std::string("RIFF\xff\xff\xff\x7fWAVEdata\xff\xff\xff\x7f", 20),
             sound_files::wav(100'000'000, 0.25, 10) }) {
        player.SetFilename(folder.write("broken.wav", content));
        try {
            player.Open();
            ADD_FAILURE() << "opened " << content.size() << " bytes";
        } catch (std::runtime_error const& e) {
            EXPECT_EQ(std::string(e.what()), text);
        }
        EXPECT_EQ(player.Duration(), 0);
    }
    // A file cut inside its samples plays what it holds.
    player.SetFilename(folder.write("cut.wav", good.substr(0, good.size() / 2)));
    EXPECT_NO_THROW(player.Open());

    folder.make_folder("folder.wav");
    for (auto name : { "folder.wav", "missing.wav", "" }) {
        player.SetFilename(folder.path() + name);
        EXPECT_NO_THROW(player.Open());
    }
}
