#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <stdexcept>
#include <string>

namespace platform {

SdlVideo::SdlVideo()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // A press that comes just after the window took the focus (as it does
    // when an activity ends) is otherwise dropped as a focusing click; a
    // child's click always counts.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Probing for an accelerated window surface loads the GL stack, which
    // costs more than the whole start-up; the canvas is small enough without.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
}

SdlVideo::~SdlVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

}
