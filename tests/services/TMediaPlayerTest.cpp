#include "services/TMediaPlayer.h"

#include "platform/fake/ClockedAudioDevice.h"
#include "platform/fluid/FluidSynth.h"
#include "support/DiskAudio.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "widgets/TestApp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace {

std::string const cannot_play = "The specified file cannot be played on the specified MCI device. The file may be "
                                "corrupt, not in the correct format, or no file handler available for this format.";

std::string error_of(std::function<void()> const& call)
{
    try {
        call();
    } catch (std::runtime_error const& e) {
        return e.what();
    }
    return "no error";
}

// Tunes through the real synth and the disk driver, in real time.
struct MidiPlayer : ::testing::Test {
    TempFolder folder;
    DiskAudio audio;
    std::unique_ptr<platform::FluidSynth> synth
        = std::make_unique<platform::FluidSynth>(audio.device(), platform::FluidSynth::default_soundfont());
    RealTimeApp t;
    std::optional<platform::Synth::Installed> synth_installed;
    std::unique_ptr<TMediaPlayer> music;
    std::vector<std::pair<TMPNotifyValues, std::int32_t>> notes;

    void SetUp() override
    {
        if (!std::filesystem::exists(platform::FluidSynth::default_soundfont()))
            GTEST_SKIP() << "no soundfont installed";
        ASSERT_TRUE(synth->wait_loaded());
        synth_installed.emplace(*synth);
        music = std::make_unique<TMediaPlayer>(nullptr);
        music->OnNotify = [this](TObject*) { notes.emplace_back(music->NotifyValue(), music->Position()); };
    }
    void TearDown() override { capture(); }
    // Ends the player and the synth, then the output; returns what it wrote.
    std::vector<float> capture()
    {
        music.reset();
        synth_installed.reset();
        synth.reset();
        return audio.close();
    }
    void open(std::string const& tune)
    {
        music->SetFileName(folder.write("tune.mid", tune));
        music->Open();
    }
    bool wait_for(std::size_t count, platform::Millis limit = 3000)
    {
        platform::Millis end = t.now() + limit;
        while (notes.size() < count && t.now() < end)
            t.run_for(10);
        return notes.size() >= count;
    }
};

}

TEST_F(MidiPlayer, ATunePlaysToItsEndAndPlayAtTheEndRewinds)
{
    open(sound_files::midi(480)); // half a second
    EXPECT_EQ(music->Length(), 500);
    EXPECT_EQ(music->Position(), 0);
    platform::Millis started = t.now();
    EXPECT_EQ(music->Play(), 0u);
    t.run_for(250);
    EXPECT_GT(music->Position(), 100);
    EXPECT_LT(music->Position(), 450);
    ASSERT_TRUE(wait_for(1));
    EXPECT_NEAR(double(t.now() - started), 500, 120);
    EXPECT_EQ(notes[0].first, TMPNotifyValues::nvSuccessful);
    EXPECT_EQ(notes[0].second, music->Length());

    music->Play();
    t.run_for(100);
    EXPECT_LT(music->Position(), 400);
    ASSERT_TRUE(wait_for(2));
    EXPECT_EQ(notes[1].second, 500);
    auto left = capture();
    float loudest = 0;
    for (float s : left)
        loudest = std::max(loudest, std::fabs(s));
    EXPECT_GT(loudest, 0.01f);
}

TEST_F(MidiPlayer, CloseDuringPlayAndASecondPlayEndThePendingPlayWithoutTheEnd)
{
    open(sound_files::midi(960));
    music->Play();
    t.run_for(200);
    music->Play();
    ASSERT_TRUE(wait_for(1));
    EXPECT_EQ(notes[0].first, TMPNotifyValues::nvSuperseded);
    music->Close();
    ASSERT_TRUE(wait_for(2));
    EXPECT_EQ(notes[1].first, TMPNotifyValues::nvAborted);
    EXPECT_EQ(notes[1].second, 0);
    t.run_for(1200);
    EXPECT_EQ(notes.size(), 2u);
}

TEST_F(MidiPlayer, AClosedPlayerAnswersPositionAndRefusesTheRest)
{
    EXPECT_EQ(music->Position(), 0);
    EXPECT_EQ(error_of([&] { music->Play(); }), "No MCI device open");
    EXPECT_EQ(error_of([&] { music->Rewind(); }), "No MCI device open");
    EXPECT_EQ(error_of([&] { music->Length(); }), "No MCI device open");
    music->Close();
}

TEST_F(MidiPlayer, BrokenFilesFailOpenCleanly)
{
    std::string const good = sound_files::midi();
    std::string bad_track_length = good;
    bad_track_length[21] = '\x7f';
    std::string bad_header_length = good;
    bad_header_length[7] = '\x40';
    std::string data_for_status = good;
    data_for_status[23] = '\x40'; // first event's status becomes a data byte
    std::string random(3000, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = char(i * 7919 % 251);
    for (auto const& tune : { std::string(), random, good.substr(0, 10), good.substr(0, good.size() - 3),
             bad_track_length, bad_header_length, data_for_status, "MThd" + random }) {
        EXPECT_EQ(error_of([&] { open(tune); }), cannot_play);
        EXPECT_EQ(music->DeviceID(), 0);
        EXPECT_EQ(error_of([&] { music->Length(); }), "No MCI device open");
    }
    music->SetFileName(folder.path() + "missing.mid");
    EXPECT_EQ(error_of([&] { music->Open(); }), cannot_play);
    open(good);
    EXPECT_EQ(music->Length(), 500);
}

TEST(MidiPlayerDevice, APlayAskedForWhileTheInstrumentsLoadStartsWhenTheyAreIn)
{
    if (!std::filesystem::exists(platform::FluidSynth::default_soundfont()))
        GTEST_SKIP() << "no soundfont installed";
    TempFolder folder;
    DiskAudio audio;
    RealTimeApp t;
    std::vector<float> output;
    {
        platform::FluidSynth synth(audio.device(), platform::FluidSynth::default_soundfont());
        platform::Synth::Installed synth_installed(synth);
        synth.start_loading();
        TMediaPlayer music(nullptr);
        int ends = 0;
        music.OnNotify = [&](TObject*) { ends += music.NotifyValue() == TMPNotifyValues::nvSuccessful; };
        music.SetFileName(folder.write("tune.mid", sound_files::midi(240)));
        music.Open();
        EXPECT_EQ(music.Play(), 0u);
        EXPECT_EQ(music.Position(), 0);
        auto asked = std::chrono::steady_clock::now();
        ASSERT_TRUE(synth.wait_loaded());
        // The instruments take tens of milliseconds; the play did not wait for them.
        EXPECT_GT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(10));
        EXPECT_TRUE(t.run_until([&] { return ends == 1; }, 3000));
        EXPECT_EQ(music.Position(), music.Length());
    }
    output = audio.close();
    float loudest = 0;
    for (float s : output)
        loudest = std::max(loudest, std::fabs(s));
    EXPECT_GT(loudest, 0.01f);
}

TEST(MidiPlayerDevice, NoSoundfontFailsOpenWithTheDeviceText)
{
    VirtualApp t;
    TempFolder folder;
    platform::ClockedAudioDevice output(t.clock);
    platform::FluidSynth synth(output, folder.path() + "none.sf2");
    platform::Synth::Installed synth_installed(synth);
    {
        TMediaPlayer music(nullptr);
        music.SetFileName(folder.write("tune.mid", sound_files::midi()));
        EXPECT_EQ(error_of([&] { music.Open(); }),
            "The specified device is not installed on the system. Use the Drivers option in Control Panel to "
            "install the device.");
    }
}
