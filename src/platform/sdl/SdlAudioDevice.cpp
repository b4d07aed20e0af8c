#include "platform/sdl/SdlAudioDevice.h"

#include <SDL.h>

#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

// Set on the output thread: a wake from there needs nothing done, and must
// not wait for a closer that waits for this thread.
thread_local bool on_output_thread = false;

}

SdlAudioDevice::SdlAudioDevice(int quiet_frames) : m_quiet_limit(quiet_frames) { }

void SdlAudioDevice::start()
{
    std::lock_guard hold(m_open_mutex);
    if (m_started)
        return;
    m_started = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        // Known before the output thread starts, which reads it.
        m_may_close = std::strcmp(SDL_GetCurrentAudioDriver(), "disk") != 0;
        if (open())
            return;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_may_close = true;
    // The silent driver is chosen directly rather than through the
    // environment, which the activity programs would inherit.
    m_fallback = true;
    if (SDL_AudioInit("dummy") != 0 || !open())
        throw std::runtime_error(std::string("Cannot open the sound output: ") + SDL_GetError());
}

SdlAudioDevice::~SdlAudioDevice()
{
    {
        std::lock_guard hold(m_open_mutex);
        if (m_id)
            SDL_CloseAudioDevice(m_id);
        m_id = 0;
    }
    // No output thread is left to start another closer.
    if (m_closer.joinable())
        m_closer.join();
    if (!m_started)
        return;
    if (m_fallback)
        SDL_AudioQuit();
    else
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioDevice::open()
{
    SDL_AudioSpec want {};
    want.freq = rate;
    want.format = AUDIO_F32SYS;
    want.channels = channels;
    want.samples = 1024;
    want.callback = &SdlAudioDevice::callback;
    want.userdata = this;
    m_quiet_frames = 0;
    m_id = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (m_id == 0)
        return false;
    SDL_PauseAudioDevice(m_id, 0);
    return true;
}

// The output that opened at start may be gone by now (a sound server that
// went away): the silent driver keeps playback ends coming.
bool SdlAudioDevice::reopen()
{
    if (open())
        return true;
    SDL_AudioQuit();
    if (SDL_AudioInit("dummy") != 0)
        return false;
    return open();
}

bool SdlAudioDevice::is_open()
{
    std::lock_guard hold(m_open_mutex);
    return m_id != 0;
}

void SdlAudioDevice::wake()
{
    if (on_output_thread)
        return;
    std::lock_guard hold(m_open_mutex);
    if (m_started && !m_id)
        reopen();
}

bool SdlAudioDevice::quiet()
{
    AudioLock hold(*this);
    return !any_active();
}

void SdlAudioDevice::count_quiet(bool active, int frames)
{
    if (!m_may_close || active) {
        m_quiet_frames = 0;
        return;
    }
    m_quiet_frames += frames;
    if (m_quiet_frames < m_quiet_limit)
        return;
    // Counted afresh, so a close that could not be asked for now is asked
    // for again a quiet while later.
    m_quiet_frames = 0;
    request_close();
}

// On the output thread, which cannot close its own device: a short-lived
// thread does. Only tried, since a holder of the lock may be closing already
// and waiting for this thread.
void SdlAudioDevice::request_close()
{
    std::unique_lock hold(m_open_mutex, std::try_to_lock);
    if (!hold.owns_lock() || m_closer_running)
        return;
    // A closer that is not running has done all it does under the lock.
    if (m_closer.joinable())
        m_closer.join();
    m_closer_running = true;
    m_closer = std::thread([this, id = m_id] { close_if_quiet(id); });
}

void SdlAudioDevice::close_if_quiet(std::uint32_t id)
{
    std::lock_guard hold(m_open_mutex);
    m_closer_running = false;
    if (m_id != id || !quiet())
        return;
    SDL_CloseAudioDevice(m_id);
    m_id = 0;
    // A playback that started on the output thread while it was being
    // closed still needs it.
    if (!quiet())
        reopen();
}

void SdlAudioDevice::callback(void* self, std::uint8_t* stream, int bytes)
{
    on_output_thread = true;
    auto* device = static_cast<SdlAudioDevice*>(self);
    int const frames = bytes / int(sizeof(float) * channels);
    bool active;
    {
        AudioLock hold(*device);
        active = device->render(reinterpret_cast<float*>(stream), frames);
    }
    device->count_quiet(active, frames);
}

}
