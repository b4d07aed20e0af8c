#include "platform/sdl/SdlHandles.h"

#include "platform/sdl/TtfLibrary.h"

#include <SDL.h>

namespace platform::sdl {

void Release::operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
void Release::operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
void Release::operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
void Release::operator()(TTF_Font* f) const { ttf::functions().CloseFont(f); }

}
