#include "platform/sdl/TtfLibrary.h"

#include <dlfcn.h>

#include <mutex>

static_assert(SDL_TTF_MAJOR_VERSION == 2, "the library's name is that of the 2.x series");

namespace platform::ttf {

namespace {

// Written once, before the load_library() that fills it returns; read only after.
Functions table;

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

}

bool load_library(char const* file)
{
    void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    Functions found;
    if (!resolve_all(library, found)) {
        dlclose(library);
        return false;
    }
    static std::once_flag once;
    std::call_once(once, [&found] { table = found; });
    return true;
}

Functions const& functions() { return table; }

}
