// Sound player costs.
//  - Open + Play of a 3 s voice WAV, mono 16-bit at 22.05 kHz (resampled) and
//    at 44.1 kHz (the package's format): target median at most 3 ms.
//  - One 1024-frame block of the output's mix with the synth playing a
//    12-note chord and two WAVs sounding: target median at most 10 % of the
//    block's 23.2 ms.
#include "../tests/support/SoundFiles.h"
#include "widgets/TestApp.h"
#include "platform/PcmChannel.h"
#include "platform/fluid/FluidSynth.h"
#include "platform/sdl/SdlAudioDevice.h"
#include "services/TAnyPlayer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// An output whose blocks the benchmark asks for itself.
class ManualDevice final : public platform::AudioDevice {
public:
    void lock() override { m_mutex.lock(); }
    void unlock() override { m_mutex.unlock(); }
    void block(float* out, int frames)
    {
        platform::AudioLock hold(*this);
        render(out, frames);
    }

private:
    std::recursive_mutex m_mutex;
};

// Twelve notes on four channels, held for a minute.
std::string chord_tune()
{
    std::string track;
    for (int ch = 0; ch < 4; ++ch) {
        track += std::string("\x00", 1) + char(0xc0 | ch) + char(ch * 8);
        for (int n = 0; n < 3; ++n)
            track += std::string("\x00", 1) + char(0x90 | ch) + char(48 + ch * 5 + n * 4) + char(0x64);
    }
    track += std::string("\x83\xe1\x00\x80\x30\x40", 6); // 57600 ticks later: 60 s
    track += std::string("\x00\xff\x2f\x00", 4);
    std::string s = "MThd";
    sound_files::put32be(s, 6);
    s += std::string("\x00\x00\x00\x01\x01\xe0", 6);
    s += "MTrk";
    sound_files::put32be(s, std::uint32_t(track.size()));
    return s + track;
}

}

static void BM_OpenPlayVoice3s(benchmark::State& state)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto path = std::filesystem::temp_directory_path() / ("sprout-bench-" + std::to_string(getpid()) + ".wav");
    std::ofstream(path, std::ios::binary) << sound_files::wav(3000, 0.25, int(state.range(0)));
    platform::SdlAudioDevice output;
    output.start();
    {
        platform::AudioDevice::Installed output_installed(output);
        RealTimeApp t;
        TAnyPlayer player(nullptr);
        player.SetFilename(path.string());
        std::vector<double> ms;
        for (auto _ : state) {
            auto start = std::chrono::steady_clock::now();
            player.Open();
            player.Play();
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        state.counters["median_ms"] = median(ms);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenPlayVoice3s)->Arg(22050)->Arg(44100)->Iterations(200)->Unit(benchmark::kMillisecond);

static void BM_MixBlockSynthAndTwoWavs(benchmark::State& state)
{
    ManualDevice output;
    platform::FluidSynth synth(output, platform::FluidSynth::default_soundfont());
    if (!synth.wait_loaded()) {
        state.SkipWithError("no soundfont installed");
        return;
    }
    std::string tune = chord_tune();
    synth.load(std::vector<std::uint8_t>(tune.begin(), tune.end()), 57600);
    synth.play({});
    platform::PcmChannel voice(output), effect(output);
    for (auto* channel : { &voice, &effect }) {
        channel->load(std::make_shared<platform::PcmSamples>(44100 * 2 * 60, 0.1f));
        channel->start();
    }
    constexpr int frames = 1024;
    std::vector<float> block(frames * 2);
    for (int i = 0; i < 20; ++i) // the chord's notes start sounding
        output.block(block.data(), frames);
    std::vector<double> ms;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        output.block(block.data(), frames);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    double budget = frames * 1000.0 / platform::AudioDevice::rate;
    state.counters["median_ms"] = median(ms);
    state.counters["share_of_block_pct"] = median(ms) / budget * 100;
}
BENCHMARK(BM_MixBlockSynthAndTwoWavs)->Iterations(500)->Unit(benchmark::kMicrosecond);
