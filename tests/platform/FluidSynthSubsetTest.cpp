#include "platform/Files.h"
#include "platform/fake/ClockedAudioDevice.h"
#include "platform/fake/VirtualClock.h"
#include "platform/fluid/FluidSynth.h"
#include "platform/fluid/ServedSubset.h"
#include "services/MidiFile.h"
#include "sound/TunePrograms.h"
#include "support/Soundfonts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

using platform::FluidSynth;
using platform::fluid::ServedSubset;

std::string const music = SPROUT_DEMO_MUSIC "/";

// A whole tune and its last notes' release, as the synth renders it for the
// output, in virtual time.
std::vector<float> render(std::string const& tune, FluidSynth::TunePrograms programs,
    std::string const& soundfont = FluidSynth::default_soundfont())
{
    platform::VirtualClock clock;
    platform::ClockedAudioDevice output(clock);
    FluidSynth synth(output, soundfont, std::move(programs));
    EXPECT_TRUE(synth.wait_loaded());
    auto bytes = platform::files::read_all(tune);
    auto midi = bytes ? MidiFile::parse(*bytes) : std::nullopt;
    if (!midi) {
        ADD_FAILURE() << tune;
        return {};
    }
    synth.load(*bytes, midi->end_tick());
    synth.play({});
    clock.make_signal()->wait_for(midi->length_millis() + 1000);
    return output.captured();
}

float loudest(std::vector<float> const& samples)
{
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

struct FluidSynthSubset : ::testing::Test {
    void SetUp() override
    {
        if (!std::filesystem::exists(FluidSynth::default_soundfont()))
            GTEST_SKIP() << "no soundfont installed";
        if (!std::filesystem::is_directory(music))
            GTEST_SKIP() << "no demo package built";
    }
};

}

TEST_F(FluidSynthSubset, EveryDemoTuneSoundsExactlyAsWithTheWholeSoundfont)
{
    auto const names = platform::files::list(music, "*.mid");
    ASSERT_EQ(names.size(), 4u);
    auto const tunes = tune_programs::in_folder(music);
    ASSERT_TRUE(tunes);
    for (auto const& name : names) {
        auto whole = render(music + name, {});
        auto subset = render(music + name, [&] { return tunes; });
        EXPECT_GT(loudest(whole), 0.01f) << name;
        EXPECT_EQ(subset.size(), whole.size()) << name;
        EXPECT_TRUE(subset == whole) << name;
    }
}

TEST_F(FluidSynthSubset, IsWhatTheSynthPlaysFromWhenItCanBeMadeAndElseTheWholeFile)
{
    // The intro tune picks other programs than the first: without them the
    // subset's synth falls back to another preset and sounds otherwise.
    std::string const tune = music + "pipkin.mid";
    auto bytes = platform::files::read_all(tune);
    ASSERT_TRUE(bytes);
    auto midi = MidiFile::parse(*bytes);
    ASSERT_TRUE(midi);
    ASSERT_TRUE((midi->programs() & ~std::bitset<128>(1)).any());
    auto const first_only = [] { return std::optional(std::bitset<128>(1)); };
    EXPECT_FALSE(render(tune, first_only) == render(tune, {}));

    // A chunk after the preset data leaves the synth content, but not the
    // subset maker: the whole soundfont loads and the tune sounds in full.
    TempFolder folder;
    auto original = platform::files::read_all(FluidSynth::default_soundfont());
    ASSERT_TRUE(original);
    std::string longer(original->begin(), original->end());
    longer += soundfonts::chunk("LIST", "more");
    std::string size;
    sound_files::put32(size, std::uint32_t(longer.size() - 8));
    longer.replace(4, 4, size);
    std::string const extended = folder.write("extended.sf2", longer);
    EXPECT_TRUE(render(tune, first_only, extended) == render(tune, {}));
}

TEST(ServedSubset, ServesOneSubsetOfAPathAtATimeAndOnlyOfASoundfont)
{
    TempFolder folder;
    soundfonts::PresetData const one { { { "Piano", 0, 0, { { { { soundfonts::instrument, 0 } }, {} } } } },
        { { "piano", 0, 0, { { { { soundfonts::sample_id, 0 } }, {} } } } } };
    std::string const path = folder.write("small.sf2", soundfonts::file(one));
    std::bitset<128> const first(1);
    {
        auto served = ServedSubset::serve(path, first);
        ASSERT_TRUE(served);
        EXPECT_FALSE(ServedSubset::serve(path, first));
    }
    EXPECT_TRUE(ServedSubset::serve(path, first));
    EXPECT_FALSE(ServedSubset::serve(folder.write("broken.sf2", soundfonts::file(one).substr(0, 100)), first));
    EXPECT_FALSE(ServedSubset::serve(folder.path() + "none.sf2", first));
    EXPECT_FALSE(ServedSubset::serve(folder.path(), first));
}
