#include "platform/sdl/TtfLibrary.h"

#include "platform/LateLibrary.h"

static_assert(SDL_TTF_MAJOR_VERSION == 2, "the library's name is that of the 2.x series");

namespace platform::ttf {

namespace {

bool resolve_all(void* library, Functions& out)
{
    bool complete = true;
#define SPROUT_TTF_RESOLVE(name) complete = resolve_into(library, "TTF_" #name, out.name) && complete;
    SPROUT_TTF_FUNCTIONS(SPROUT_TTF_RESOLVE)
#undef SPROUT_TTF_RESOLVE
    return complete;
}

}

bool load_library(char const* file) { return late_library<Functions, resolve_all>().load(file); }

Functions const& functions() { return late_library<Functions, resolve_all>().table(); }

}
