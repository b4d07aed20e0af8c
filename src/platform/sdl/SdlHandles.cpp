#include "platform/sdl/SdlHandles.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace platform::sdl {

void Release::operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
void Release::operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
void Release::operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
void Release::operator()(TTF_Font* f) const { TTF_CloseFont(f); }

}
