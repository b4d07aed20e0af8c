#pragma once

#include "platform/AudioDevice.h"
#include "platform/Synth.h"
#include "platform/fluid/FluidHandles.h"

#include <bitset>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace platform::fluid {
class ServedSubset;
}

namespace platform {

// The synth over FluidSynth, rendered inside the sound output's mixing (no
// driver of its own). Its instruments load once, on a thread of their own,
// started by start_loading() (the program calls it once its main form is
// made, its first frame on screen) or at the latest by ready(). Nothing
// waits for them: a tune loaded and played meanwhile is kept and starts as
// soon as they are in.
class FluidSynth final : public Synth, private AudioDevice::Source {
public:
    // The instrument programs the tunes can select, asked for on the loading
    // thread; nothing when they are not known.
    using TunePrograms = std::function<std::optional<std::bitset<128>>()>;

    // Only the soundfont's presets of the tunes' programs are loaded when
    // those are known; all of them otherwise.
    FluidSynth(AudioDevice&, std::string soundfont_path, TunePrograms = {});
    ~FluidSynth() override;
    FluidSynth(FluidSynth const&) = delete;
    FluidSynth& operator=(FluidSynth const&) = delete;

    // The instrument set: SPROUT_SOUNDFONT when set, else the packaged one.
    static std::string default_soundfont();

    // Voices that may sound at once; a note beyond them takes over the least
    // audible one.
    static constexpr int polyphony = 64;

    // Starts loading the instruments in the background; later calls do nothing.
    void start_loading();
    bool ready() override;
    // Waits for the load to end; false when it brought no instruments.
    bool wait_loaded();
    void load(std::vector<std::uint8_t> const& smf, std::int64_t end_tick) override;
    void unload() override;
    void play(std::function<void()> ended) override;
    void rewind() override;
    std::int64_t tick() override;

private:
    bool load_instruments(std::string const& path);
    bool load_soundfont(std::string const& path);
    // Called with the device locked: a fresh player at tick 0.
    void restart_player();
    void make_player();
    void silence();
    void mix(float* out, int frames) override;
    bool active() const override;

    AudioDevice& m_device;
    TunePrograms m_tune_programs;
    // Outlives the synth, which may read samples through it until its end.
    std::unique_ptr<fluid::ServedSubset> m_subset;
    fluid::SettingsPtr m_settings;
    fluid::SynthPtr m_synth;
    fluid::PlayerPtr m_player;
    std::string m_soundfont;
    std::shared_future<bool> m_loaded;
    bool m_attached { false };

    // Guarded by the device lock.
    bool m_instruments { false };
    std::vector<std::uint8_t> m_tune;
    std::int64_t m_end_tick { 0 };
    bool m_playing { false };
    bool m_at_end { false };
    std::function<void()> m_ended;
    std::vector<float> m_scratch;
    int m_quiet_frames { 0 };
};

}
