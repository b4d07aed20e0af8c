#include "platform/sdl/SdlAudioDevice.h"

#include <SDL.h>

#include <stdexcept>

namespace platform {

SdlAudioDevice::SdlAudioDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && open())
        return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // The silent driver is chosen directly rather than through the
    // environment, which the activity programs would inherit.
    m_fallback = true;
    if (SDL_AudioInit("dummy") != 0 || !open())
        throw std::runtime_error(std::string("Cannot open the sound output: ") + SDL_GetError());
}

SdlAudioDevice::~SdlAudioDevice()
{
    SDL_CloseAudioDevice(m_id);
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
    m_id = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (m_id == 0)
        return false;
    SDL_PauseAudioDevice(m_id, 0);
    return true;
}

void SdlAudioDevice::lock() { SDL_LockAudioDevice(m_id); }

void SdlAudioDevice::unlock() { SDL_UnlockAudioDevice(m_id); }

// SDL holds the device lock while it runs the callback.
void SdlAudioDevice::callback(void* self, std::uint8_t* stream, int bytes)
{
    auto* device = static_cast<SdlAudioDevice*>(self);
    device->render(reinterpret_cast<float*>(stream), bytes / int(sizeof(float) * channels));
}

}
