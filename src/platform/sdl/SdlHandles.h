#pragma once

// Owning handles for SDL and SDL_ttf objects. The types are only declared,
// so headers above the platform can hold them without SDL's headers.
#include <memory>

struct SDL_Window;
struct SDL_Cursor;
struct SDL_Surface;
typedef struct _TTF_Font TTF_Font;

namespace platform::sdl {

struct Release {
    void operator()(SDL_Window*) const;
    void operator()(SDL_Cursor*) const;
    void operator()(SDL_Surface*) const;
    void operator()(TTF_Font*) const;
};

using WindowPtr = std::unique_ptr<SDL_Window, Release>;
using CursorPtr = std::unique_ptr<SDL_Cursor, Release>;
using SurfacePtr = std::unique_ptr<SDL_Surface, Release>;
using FontPtr = std::unique_ptr<TTF_Font, Release>;

}
