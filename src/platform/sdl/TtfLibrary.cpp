#include "platform/sdl/TtfLibrary.h"

#include "platform/LateLibrary.h"

static_assert(SDL_TTF_MAJOR_VERSION == 2, "the library's name is that of the 2.x series");

namespace platform::ttf {

namespace {

bool resolve_all(void* library, Functions& out)
{
    bool complete = true;
#define SPROUT_TTF_RESOLVE(name)                                                                                       \
    out.name = reinterpret_cast<decltype(&::TTF_##name)>(dlsym(library, "TTF_" #name));                                \
    complete = complete && out.name;
    SPROUT_TTF_FUNCTIONS(SPROUT_TTF_RESOLVE)
#undef SPROUT_TTF_RESOLVE
    return complete;
}

LateLibrary<Functions>& library()
{
    static LateLibrary<Functions> instance(resolve_all);
    return instance;
}

}

bool load_library(char const* file) { return library().load(file); }

Functions const& functions() { return library().table(); }

}
