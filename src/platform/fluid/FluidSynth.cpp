#include "platform/fluid/FluidSynth.h"

#include "platform/fluid/FluidLibrary.h"
#include "platform/ThreadPriority.h"
#include "platform/fluid/ServedSubset.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace platform {

namespace {

// A synth with no tune and no sounding voice is skipped once its effects'
// tail has died away, so an idle program does not mix silence.
constexpr int effects_tail_frames = 2 * AudioDevice::rate;

}

FluidSynth::FluidSynth(AudioDevice& device, std::string soundfont_path, TunePrograms tune_programs)
    : m_device(device)
    , m_tune_programs(std::move(tune_programs))
    , m_soundfont(std::move(soundfont_path))
{
}

void FluidSynth::start_loading()
{
    if (m_loaded.valid())
        return;
    // A soundfont that is not there is known at once, so opening a tune
    // can say so without waiting for the loader.
    if (::access(m_soundfont.c_str(), R_OK) != 0) {
        std::promise<bool> none;
        none.set_value(false);
        m_loaded = none.get_future().share();
        return;
    }
    m_loaded = std::async(std::launch::async, [this, path = m_soundfont] {
        // A failure here only means no tunes; it must not surface from a
        // destructor or as the wrong error text later.
        try {
            return load_instruments(path);
        } catch (...) {
            return false;
        }
    }).share();
}

FluidSynth::~FluidSynth()
{
    if (!m_loaded.valid() || !m_loaded.get())
        return;
    m_device.detach(*this);
    AudioLock hold(m_device);
    m_player.reset();
}

std::string FluidSynth::default_soundfont()
{
    char const* chosen = std::getenv("SPROUT_SOUNDFONT");
    return chosen ? chosen : "/usr/share/sounds/sf2/TimGM6mb.sf2";
}

// Runs on the loading thread; nobody touches the synth itself before
// m_instruments is set.
bool FluidSynth::load_instruments(std::string const& path)
{
    // Loading spreads over every core (the loader's helper threads inherit
    // this priority). A little nice, it yields to the intro running
    // meanwhile; not the lowest niceness, since the intro tune waits for it
    // and on a busy machine that would hold the tune back for long.
    thread_priority::set_nice(thread_priority::this_thread_id(), 5);
    if (!fluid::load_library())
        return false;
    auto const& f = fluid::functions();
    // Missing instruments are an ordinary outcome here, not worth
    // FluidSynth's own complaints on the terminal.
    for (int level : { FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG })
        f.fluid_set_log_function(level, nullptr, nullptr);
    m_settings.reset(f.new_fluid_settings());
    if (!m_settings)
        return false;
    f.fluid_settings_setnum(m_settings.get(), "synth.sample-rate", AudioDevice::rate);
    // The player is clocked by the samples we render, not by a timer thread.
    f.fluid_settings_setstr(m_settings.get(), "player.timing-source", "sample");
    // Only the instruments a tune picks have their samples read in: most of
    // the soundfont is never played and need not sit in memory.
    f.fluid_settings_setint(m_settings.get(), "synth.dynamic-sample-loading", 1);
    // A child's tunes sound a few dozen voices at most (the busiest one we
    // ship peaks at 28, release tails included); each voice kept in reserve
    // costs memory.
    f.fluid_settings_setint(m_settings.get(), "synth.polyphony", polyphony);
    m_synth.reset(f.new_fluid_synth(m_settings.get()));
    bool const loaded = m_synth && load_soundfont(path);
    // Reading the soundfont leaves megabytes of freed scratch in this
    // thread's heap, which the allocator would otherwise keep.
    malloc_trim(0);
    if (!loaded) {
        m_synth.reset();
        return false;
    }
    // A tune asked for meanwhile gets its player now, and starts if its
    // play was asked for too.
    {
        AudioLock hold(m_device);
        m_instruments = true;
        if (!m_tune.empty())
            make_player();
        if (!m_player)
            m_playing = false;
        else if (m_playing)
            f.fluid_player_play(m_player.get());
        m_device.attach(*this);
    }
    m_device.wake();
    return true;
}

// The synth builds every zone of every preset it reads: megabytes for a
// general-MIDI set of which the tunes use a handful. Should the subset fail
// to load, the synth's own loader, tried after it, reads the whole file.
bool FluidSynth::load_soundfont(std::string const& path)
{
    auto const& f = fluid::functions();
    if (auto programs = m_tune_programs ? m_tune_programs() : std::nullopt)
        m_subset = fluid::ServedSubset::serve(path, *programs);
    if (auto* loader = m_subset ? fluid::ServedSubset::make_loader(m_settings.get()) : nullptr)
        f.fluid_synth_add_sfloader(m_synth.get(), loader);
    return f.fluid_synth_sfload(m_synth.get(), path.c_str(), 1) != FLUID_FAILED;
}

bool FluidSynth::ready()
{
    start_loading();
    if (m_loaded.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return true;
    return m_loaded.get();
}

bool FluidSynth::wait_loaded()
{
    start_loading();
    return m_loaded.get();
}

void FluidSynth::load(std::vector<std::uint8_t> const& smf, std::int64_t end_tick)
{
    AudioLock hold(m_device);
    m_tune = smf;
    m_end_tick = end_tick;
    restart_player();
}

void FluidSynth::unload()
{
    AudioLock hold(m_device);
    m_player.reset();
    m_tune.clear();
    m_end_tick = 0;
    m_playing = false;
    m_at_end = false;
    m_ended = nullptr;
    silence();
}

// Before the instruments are in, a play is only noted; the loader starts it.
void FluidSynth::play(std::function<void()> ended)
{
    {
        AudioLock hold(m_device);
        if (m_tune.empty() || (m_instruments && !m_player))
            return;
        m_ended = std::move(ended);
        if (m_playing)
            return;
        m_playing = true;
        if (m_player && !m_at_end)
            fluid::functions().fluid_player_play(m_player.get());
    }
    m_device.wake();
}

void FluidSynth::rewind()
{
    AudioLock hold(m_device);
    if (!m_tune.empty())
        restart_player();
}

std::int64_t FluidSynth::tick()
{
    AudioLock hold(m_device);
    if (m_at_end)
        return m_end_tick;
    if (!m_player)
        return 0;
    return std::clamp<std::int64_t>(fluid::functions().fluid_player_get_current_tick(m_player.get()), 0, m_end_tick);
}

// A fresh player is the one sure way back to tick 0: a stopped player
// ignores seeks.
void FluidSynth::restart_player()
{
    if (m_instruments)
        make_player();
    m_playing = false;
    m_at_end = false;
    m_ended = nullptr;
    silence();
}

void FluidSynth::make_player()
{
    auto const& f = fluid::functions();
    m_player.reset(f.new_fluid_player(m_synth.get()));
    if (m_player)
        f.fluid_player_add_mem(m_player.get(), m_tune.data(), m_tune.size());
}

void FluidSynth::silence()
{
    auto const& f = fluid::functions();
    if (!m_instruments)
        return;
    f.fluid_synth_all_sounds_off(m_synth.get(), -1);
    f.fluid_synth_system_reset(m_synth.get());
}

bool FluidSynth::active() const { return m_playing || m_quiet_frames < effects_tail_frames; }

void FluidSynth::mix(float* out, int frames)
{
    auto const& f = fluid::functions();
    bool silent = !m_playing && f.fluid_synth_get_active_voice_count(m_synth.get()) == 0;
    m_quiet_frames = silent ? std::min(m_quiet_frames + frames, effects_tail_frames) : 0;
    if (m_quiet_frames >= effects_tail_frames)
        return;
    std::size_t n = std::size_t(frames) * AudioDevice::channels;
    if (m_scratch.size() < n)
        m_scratch.resize(n);
    f.fluid_synth_write_float(m_synth.get(), frames, m_scratch.data(), 0, 2, m_scratch.data(), 1, 2);
    for (std::size_t i = 0; i < n; ++i)
        out[i] += m_scratch[i];
    if (!m_playing)
        return;
    // FluidSynth idles on after the last event before it calls a tune done;
    // the tune is complete when its last event has been reached.
    // A player that gave up early (a tune it reads differently) ends it too.
    if (!m_at_end && f.fluid_player_get_current_tick(m_player.get()) < m_end_tick
        && f.fluid_player_get_status(m_player.get()) != FLUID_PLAYER_DONE)
        return;
    if (!m_at_end)
        f.fluid_player_stop(m_player.get());
    f.fluid_synth_all_notes_off(m_synth.get(), -1);
    m_playing = false;
    m_at_end = true;
    if (auto ended = std::move(m_ended)) {
        m_ended = nullptr;
        ended();
    }
}

}
