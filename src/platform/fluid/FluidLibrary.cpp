#include "platform/fluid/FluidLibrary.h"

#include "platform/LateLibrary.h"

static_assert(FLUIDSYNTH_VERSION_MAJOR == 2, "the library's name is that of the 2.x series");

namespace platform::fluid {

namespace {

bool resolve_all(void* library, Functions& out)
{
    bool complete = true;
#define SPROUT_FLUID_RESOLVE(name) complete = resolve_into(library, #name, out.name) && complete;
    SPROUT_FLUID_FUNCTIONS(SPROUT_FLUID_RESOLVE)
#undef SPROUT_FLUID_RESOLVE
    return complete;
}

}

bool load_library(char const* file) { return late_library<Functions, resolve_all>().load(file); }

Functions const& functions() { return late_library<Functions, resolve_all>().table(); }

}
