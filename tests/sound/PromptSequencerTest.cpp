#include "shell/TForm1.h"

#include "platform/fake/ClockedAudioDevice.h"
#include "support/ScopedTrace.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "support/TraceLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// The main window's prompts and effects in virtual time, its players on an
// output that renders a block every 1024 / 44100 s of that time.
struct Sequencer : ::testing::Test {
    TestApp t;
    TempFolder folder;
    platform::ClockedAudioDevice output { t.clock };
    platform::AudioDevice::Installed output_installed { output };
    ScopedTrace trace { folder.path() + "trace.txt" };
    platform::Millis flags_moved = -1;
    TForm1& form = create_form();

    TForm1& create_form()
    {
        setenv("ALLUSERSPROFILE", folder.make_folder("profile").c_str(), 1);
        auto& f = t.app.CreateForm<TForm1>("Form1");
        f.voicedir = folder.make_folder("Sounds_eng") + "/";
        f.fxdir = folder.make_folder("fxsounds") + "/";
        // The flags move inside a tick; the loop may run on before a test looks.
        f.NotifyEndTimer.OnTimer = [this, &f](TObject* sender) {
            bool given = f.instructiongiven;
            f.NotifyEndTimerTimer(sender);
            if (!given && f.instructiongiven)
                flags_moved = t.clock.now();
        };
        return f;
    }
    ~Sequencer() override
    {
        t.app.delete_component(&form);
    }

    // Virtual times of one kind of traced event, with its first field (empty
    // for an event without fields).
    std::vector<std::pair<platform::Millis, std::string>> traced(std::string const& kind)
    {
        std::vector<std::pair<platform::Millis, std::string>> found;
        for (auto const& line : read_trace(trace.path(), kind))
            found.emplace_back(line.at, line.fields.empty() ? std::string() : line.fields[0]);
        return found;
    }
    platform::Millis last(std::string const& kind)
    {
        auto found = traced(kind);
        return found.empty() ? -1 : found.back().first;
    }

    void voice(std::string const& name, int ms, double level = 0.25)
    {
        folder.write("Sounds_eng/" + name, sound_files::wav(ms, level));
    }
    bool talking() { return form.AntAnimate1.Mode() == 2; }
    bool timers_off() { return !form.NotifyEndTimer.Enabled() && !form.playnextvoicetimer.Enabled(); }
    platform::Millis until(std::function<bool()> const& done)
    {
        EXPECT_TRUE(t.run_until(done, 10000));
        return t.clock.now();
    }
    // Milliseconds for which the output carried the level.
    double heard_ms(float level)
    {
        auto samples = output.captured();
        std::size_t count = 0;
        for (std::size_t i = 0; i < samples.size(); i += 2)
            count += std::fabs(samples[i] - level) < 0.01f;
        return double(count) * 1000 / platform::AudioDevice::rate;
    }
};

}

TEST_F(Sequencer, ASilentLeadInStartsTheVoiceAfterItsPauseAndTheEndMovesTheFlags)
{
    voice("a_2.wav", 300);
    struct LeadIn {
        char const* file;
        std::int32_t pause;
        platform::Millis voice_at;
    };
    for (auto lead : { LeadIn { "", 1, 101 }, LeadIn { "gone.mp3", 200, 300 } }) {
        form.instructionplaying = true;
        form.instructiongiven = false;
        form.pendingspoken[3] = true;
        form.spoken[3] = false;
        platform::Millis start = t.clock.now();
        form.StartPrompts(lead.file, lead.pause, "A_2.mp3", 500);
        EXPECT_EQ(form.playerstate, 3);
        EXPECT_FALSE(talking());

        until([&] { return form.playerstate == 1; });
        platform::Millis started = last("voice");
        EXPECT_EQ(started - start, lead.voice_at);
        EXPECT_EQ(form.vplayer.Filename(), form.voicedir + "a_2.wav");
        EXPECT_EQ(form.promptpos, 2);
        EXPECT_TRUE(talking());
        EXPECT_FALSE(form.instructiongiven);

        until([&] { return form.instructiongiven; });
        platform::Millis ended = last("voice-end");
        EXPECT_GE(ended - started, 300);
        EXPECT_LE(ended - started, 300 + 24 + 150);
        EXPECT_EQ(flags_moved - ended, 100);
        EXPECT_EQ(last("prompts-end"), flags_moved);
        EXPECT_FALSE(form.instructionplaying);
        EXPECT_TRUE(form.spoken[3]);
        EXPECT_FALSE(form.pendingspoken[3]);
        EXPECT_FALSE(talking());
        EXPECT_TRUE(timers_off());
    }
}

TEST_F(Sequencer, APauseOfZeroOrLessStartsTheNextEntryInTheSameTick)
{
    voice("a_1.wav", 200);
    voice("m1.wav", 100);
    for (std::int32_t pause : { 0, -5 }) {
        form.instructiongiven = false;
        form.StartPrompts("a_1.mp3", pause, "m1.mp3", 0);
        EXPECT_TRUE(talking());
        until([&] { return form.vplayer.Filename() == form.voicedir + "m1.wav"; });
        auto voices = traced("voice");
        ASSERT_EQ(voices.back().second, form.voicedir + "m1.wav");
        EXPECT_EQ(voices.back().first - last("voice-end"), 100);
        EXPECT_TRUE(talking());
        until([&] { return traced("voice-end").size() == voices.size() && timers_off(); });
        // Without the instruction playing, its flag stays as it was.
        EXPECT_FALSE(form.instructiongiven);
    }
}

TEST_F(Sequencer, AMissingLastEntryEndsTheSequenceWithoutMovingFlags)
{
    voice("a_1.wav", 200);
    form.instructionplaying = true;
    form.pendingspoken[2] = true;
    form.StartPrompts("a_1.mp3", 1, "m4.mp3", 500);
    t.run_for(2000);
    EXPECT_EQ(traced("voice-end").size(), 1u);
    EXPECT_TRUE(traced("prompts-end").empty());
    EXPECT_EQ(form.promptpos, 2);
    EXPECT_EQ(form.playerstate, 1);
    EXPECT_TRUE(timers_off());
    EXPECT_FALSE(talking());
    EXPECT_TRUE(form.instructionplaying);
    EXPECT_TRUE(form.pendingspoken[2]);
    EXPECT_FALSE(form.spoken[2]);
}

TEST_F(Sequencer, AnEffectCutsTheVoiceAbandonsTheSequenceAndAVoiceLeavesAnEffectAlone)
{
    voice("a_2.wav", 1000, 0.25);
    folder.write("fxsounds/click.wav", sound_files::wav(200, 0.5));
    form.instructionplaying = true;
    form.StartPrompts("", 1, "a_2.mp3", 500);
    until([&] { return form.playerstate == 1; });
    t.run_for(300);

    form.PlayEffect("missing.mp3"); // changes nothing
    EXPECT_EQ(form.playerstate, 1);
    EXPECT_TRUE(talking());

    form.PlayEffect("Click.MP3");
    EXPECT_EQ(traced("effect").size(), 1u);
    EXPECT_EQ(form.playerstate, 2);
    EXPECT_EQ(form.splayer.Filename(), form.fxdir + "click.wav");
    EXPECT_FALSE(talking());
    EXPECT_TRUE(timers_off());
    t.run_for(2000);
    EXPECT_TRUE(traced("voice-end").empty());
    EXPECT_TRUE(traced("prompts-end").empty());
    EXPECT_TRUE(form.instructionplaying);
    EXPECT_FALSE(form.instructiongiven);
    EXPECT_NEAR(heard_ms(0.25f), 300, 30);
    EXPECT_NEAR(heard_ms(0.5f), 200, 1);

    // The other way round the two sound together.
    form.PlayEffect("click.mp3");
    form.StartPrompts("a_2.mp3", 1, "", 1);
    t.run_for(100);
    EXPECT_EQ(form.splayer.Position() > 0, true);
    t.run_for(2000);
    EXPECT_NEAR(heard_ms(0.75f), 200, 1);
}
